// What the document builder calls to make model objects from a tag's attributes.
#pragma once

#include "framework/core/Classes.h"
#include "viewer/HTMLSubs.h"
#include "viewer/HtmlSymbols.h"

namespace vx {

// A colour name or hexadecimal RGB ("#RRGGBB") as 0x00BBGGRR; only 24 bits are ever taken,
// so a long text cannot reach the palette or system-colour bits. False: no colour.
bool ReadHtColor(const std::string& text, THtColor& color);

TImageParams ImageParamsOf(const TAttributeList& a);
std::unique_ptr<THorzLine> NewHorzLine(TSectionList* list, const TAttributeList& a);
// align: the builder's initial alignment; ALIGN "CENTER" or "RIGHT" (any case) wins.
std::unique_ptr<ThtmlTable> NewTable(TSectionList* list, const TAttributeList& a, std::uint8_t align);
std::unique_ptr<TCellObj> NewCellObj(TSectionList* list, const TAttributeList& a, std::uint8_t valign);
TControlParams ControlParamsOf(const TAttributeList& a);
ThtmlForm* NewForm(TSectionList* list, const TAttributeList& a);
TAreaParams AreaParamsOf(const TAttributeList& a);

// Removes every anchor whose section is the dropped section or lies inside it.
void PurgeAnchors(TStrings& anchors, const TSectionBase* dropped);

}  // namespace vx
