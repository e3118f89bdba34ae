#include "tagdefs/teTagType.h"

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"
#include "framework/core/SysUtils.h"

namespace vx {

const char* const TagKindCaptions[3] = {
    "Tag is stand alone",
    "Tag has ending tag",
    "Tag can be stand alone or have ending tag",
};
const char* const AttribTypeCaptions[6] = {"Text", "Numeric", "Color", "Pick List", "File", "Image"};
const char* const AttribRequiredCaptions[3] = {
    "Not required by tag",
    "Required by tag",
    "Requred by tag unless other attribute present",
};
const TBrowserFlags BrowserFlagBits[4] = {bfNetscape3, bfIE3, bfMosaic, bfIntBrowser};
const char* const BrowserCaptions[4] = {"Netscape 3.0", "Internet Explorer 3", "NCSA Mosaic", "Int Browser"};

const char* TagKindCaption(TTagKind k) { return k < 3 ? TagKindCaptions[k] : ""; }
const char* AttribTypeCaption(TAttribType t) { return t < 6 ? AttribTypeCaptions[t] : ""; }
const char* AttribRequiredCaption(TAttribRequired r) { return r < 3 ? AttribRequiredCaptions[r] : ""; }
const char* BrowserCaption(TBrowserFlags bit) {
  for (int i = 0; i < 4; ++i)
    if (BrowserFlagBits[i] == bit) return BrowserCaptions[i];
  return "";
}

namespace {

// The four browser booleans, lowest bit first; bits start clear.
TBrowserFlags ReadBrowsers(TReader& r) {
  TBrowserFlags b = 0;
  for (TBrowserFlags bit : BrowserFlagBits)
    if (r.ReadBoolean()) b = static_cast<TBrowserFlags>(b | bit);
  return b;
}

void WriteBrowsers(TWriter& w, TBrowserFlags b) {
  for (TBrowserFlags bit : BrowserFlagBits) w.WriteBoolean((b & bit) != 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------

void THTMLAttribDef::Assign(const TPersistent& source) {
  if (const auto* a = dynamic_cast<const THTMLAttribDef*>(&source)) {
    pickList_ = a->pickList_;
    name_ = a->name_;
    filter_ = a->filter_;
    otherAttrib_ = a->otherAttrib_;
    description_ = a->description_;
    attrType_ = a->attrType_;
    required_ = a->required_;
    isFlag_ = a->isFlag_;
    browsers_ = a->browsers_;
    return;
  }
  TPersistent::Assign(source);
}

void THTMLAttribDef::ReadData(TReader& r) {
  pickList_ = r.ReadString();
  name_ = r.ReadString();
  filter_ = r.ReadString();
  otherAttrib_ = r.ReadString();
  description_ = r.ReadString();
  attrType_ = static_cast<TAttribType>(static_cast<uint8_t>(r.ReadInteger()));
  required_ = static_cast<TAttribRequired>(static_cast<uint8_t>(r.ReadInteger()));
  isFlag_ = r.ReadBoolean();
  browsers_ = ReadBrowsers(r);
}

void THTMLAttribDef::WriteData(TWriter& w) const {
  w.WriteString(pickList_);
  w.WriteString(name_);
  w.WriteString(filter_);
  w.WriteString(otherAttrib_);
  w.WriteString(description_);
  w.WriteInteger(attrType_);
  w.WriteInteger(required_);
  w.WriteBoolean(isFlag_);
  WriteBrowsers(w, browsers_);
}

// ---------------------------------------------------------------------------------------

THTMLAttribDef* THTMLTagDef::FindAttrib(const AnsiString& name) const {
  int i = attribs_.IndexOf(name);
  return i < 0 ? nullptr : AttribAt(i);
}

void THTMLTagDef::ReadData(TReader& r) {
  name_ = r.ReadString();
  endTag_ = r.ReadString();
  description_ = r.ReadString();
  kind_ = static_cast<TTagKind>(static_cast<uint8_t>(r.ReadInteger()));
  groupIndex_ = r.ReadInteger();
  browsers_ = ReadBrowsers(r);
  extraText_ = r.ReadString();
  r.ReadListBegin();
  // Room for a usual tag's attributes at once, rather than growing one by one.
  if (!r.EndOfList()) attribs_.SetCapacity(8);
  while (!r.EndOfList()) {
    // Listed only once read whole: a cut-off attribute is dropped.
    auto a = std::make_unique<THTMLAttribDef>();
    a->ReadData(r);
    THTMLAttribDef* p = a.get();
    attribs_.AddObject(p->Name(), a.release());
  }
  r.ReadListEnd();
}

void THTMLTagDef::WriteData(TWriter& w) const {
  w.WriteString(name_);
  w.WriteString(endTag_);
  w.WriteString(description_);
  w.WriteInteger(kind_);
  w.WriteInteger(groupIndex_);
  WriteBrowsers(w, browsers_);
  w.WriteString(extraText_);
  w.WriteListBegin();
  for (int i = 0, n = attribs_.Count(); i < n; ++i) AttribAt(i)->WriteData(w);
  w.WriteListEnd();
}

// ---------------------------------------------------------------------------------------

THTMLTagDef* THTMLGroup::FindTag(const AnsiString& name) const {
  int i = tags_.IndexOf(name);
  return i < 0 ? nullptr : TagAt(i);
}

void THTMLGroup::Clear() {
  for (int i = tags_.Count() - 1; i >= 0; --i) tags_.Delete(i);
}

void THTMLGroup::ReadData(TReader& r) {
  name_ = r.ReadString();
  // The tag count: the list markers decide; it only sizes the list, within reason.
  const int32_t count = r.ReadInteger();
  if (count > tags_.Count() && count <= 100000) tags_.SetCapacity(count);
  r.ReadListBegin();
  while (!r.EndOfList()) {
    // Listed only once read whole, attributes included: a cut-off tag is dropped.
    auto t = std::make_unique<THTMLTagDef>();
    t->ReadData(r);
    THTMLTagDef* p = t.get();
    tags_.AddObject(p->Name(), t.release());
  }
  r.ReadListEnd();
  groupNames_ = r.ReadString();
}

void THTMLGroup::WriteData(TWriter& w) const {
  w.WriteString(name_);
  w.WriteInteger(tags_.Count());
  w.WriteListBegin();
  for (int i = 0, n = tags_.Count(); i < n; ++i) TagAt(i)->WriteData(w);
  w.WriteListEnd();
  w.WriteString(groupNames_);
}

void THTMLGroup::LoadFromStream(TStream& s) {
  TReader r(s);
  Clear();
  ReadData(r);
}

void THTMLGroup::LoadFromFile(const AnsiString& fileName) {
  // Read in blocks straight from the file: memory stays small whatever the file's size,
  // and a file that is no definition set fails at its first value, not after reading it all.
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  TReader r(f, 64 * 1024);
  Clear();
  ReadData(r);
}

void THTMLGroup::SaveToStream(TStream& s) const {
  TWriter w(s);
  WriteData(w);
  w.FlushBuffer();  // here, where a failure can still be reported
}

void THTMLGroup::SaveToFile(const AnsiString& fileName) const {
  SaveFileSafely(fileName, [this](TStream& s) { SaveToStream(s); });
}

AnsiString THTMLGroup::GetTagLookup() const {
  AnsiString r;
  // Upper-cased, as callers upper-case the word they look for: a set written with
  // lower-case names is found all the same.
  for (int i = 0, n = tags_.Count(); i < n; ++i) r += "|<" + UpperCase(tags_[i]) + "|";
  return r;
}

AnsiString THTMLGroup::GetAttrTagLookup() const {
  AnsiString r;
  for (int i = 0, n = tags_.Count(); i < n; ++i)
    if (TagAt(i)->Attribs().Count() > 0) r += "|<" + UpperCase(tags_[i]) + "|";
  return r;
}

}  // namespace vx
