#include "viewer/HTMLAttribs.h"

namespace vx {

static const TAttribute* Find(const TAttributeList& a, THtmlSymbol s) { return a.Find(s); }

static bool IsPercent(const TAttribute* t) { return t && t->Name.find('%') != std::string::npos; }

bool ReadHtColor(const std::string& text, THtColor& color) {
  std::string up = HtUpperCase(text).substr(0, 10);
  int named = 0;
  if (LookupColorName(TrimControlChars(up), named)) {
    color = named;
    return true;
  }
  std::string s = TrimControlChars(text);
  size_t hash = s.find('#');
  if (hash != std::string::npos) s.erase(hash, 1);
  if (s.empty() || s.size() > 6) return false;
  unsigned v = 0;
  for (char ch : s) {
    int d = ch >= '0' && ch <= '9'   ? ch - '0'
            : ch >= 'a' && ch <= 'f' ? ch - 'a' + 10
            : ch >= 'A' && ch <= 'F' ? ch - 'A' + 10
                                     : -1;
    if (d < 0) return false;
    v = v * 16 + static_cast<unsigned>(d);
  }
  color = static_cast<THtColor>(((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF));
  return true;
}

TImageParams ImageParamsOf(const TAttributeList& a) {
  TImageParams p;
  if (auto* t = Find(a, SrcAttr)) {
    p.Src = t->Name;
    p.HasSrc = true;
  }
  if (auto* t = Find(a, AltAttr)) {
    p.Alt = t->Name;
    p.HasAlt = true;
  }
  if (auto* t = Find(a, AlignAttr)) p.Align = t->Name;
  if (auto* t = Find(a, HeightAttr)) p.Height = t->Value;
  if (auto* t = Find(a, WidthAttr)) p.Width = t->Value;
  if (auto* t = Find(a, BorderAttr)) {
    p.HasBorder = true;
    p.Border = t->Value;
  }
  p.Transp = Find(a, TranspAttr) != nullptr;
  p.IsMap = Find(a, IsMapAttr) != nullptr;
  if (auto* t = Find(a, UseMapAttr)) {
    p.HasUseMap = true;
    p.UseMap = t->Name;
  }
  return p;
}

std::unique_ptr<THorzLine> NewHorzLine(TSectionList* list, const TAttributeList& a) {
  auto* size = Find(a, SizeAttr);
  auto* width = Find(a, WidthAttr);
  return std::make_unique<THorzLine>(list, size ? size->Value : 0, width ? width->Value : 0, IsPercent(width));
}

std::unique_ptr<ThtmlTable> NewTable(TSectionList* list, const TAttributeList& a, std::uint8_t align) {
  TTableParams p;
  p.Align = align;
  if (auto* t = Find(a, AlignAttr)) {
    std::string v = HtUpperCase(t->Name);
    if (v == "CENTER")
      p.Align = 2;
    else if (v == "RIGHT")
      p.Align = 3;
  }
  if (auto* t = Find(a, BorderAttr)) p.Border = t->Value;
  if (auto* t = Find(a, CellPaddingAttr)) {
    p.HasPadding = true;
    p.Padding = t->Value;
  }
  if (auto* t = Find(a, CellSpacingAttr)) {
    p.HasSpacing = true;
    p.Spacing = t->Value;
  }
  if (auto* t = Find(a, WidthAttr)) {
    p.HasWidth = true;
    p.Width = t->Value;
    p.WidthPercent = IsPercent(t);
  }
  if (auto* t = Find(a, BgColorAttr)) p.HasBgColor = ReadHtColor(t->Name, p.BgColor);
  if (auto* t = Find(a, BorderColorAttr)) p.HasBorderColor = ReadHtColor(t->Name, p.BorderColor);
  return std::make_unique<ThtmlTable>(list, p);
}

std::unique_ptr<TCellObj> NewCellObj(TSectionList* list, const TAttributeList& a, std::uint8_t valign) {
  auto c = std::make_unique<TCellObj>(list, valign);
  auto* cs = Find(a, ColSpanAttr);
  auto* rs = Find(a, RowSpanAttr);
  c->SetSpans(cs ? cs->Value : 1, rs ? rs->Value : 1);
  if (auto* t = Find(a, WidthAttr)) c->SetWidth(t->Value, IsPercent(t));
  if (auto* t = Find(a, BgColorAttr)) {
    THtColor col = 0;
    if (ReadHtColor(t->Name, col)) c->SetBackground(col);
  }
  return c;
}

TControlParams ControlParamsOf(const TAttributeList& a) {
  TControlParams p;
  if (auto* t = Find(a, TypeAttr)) p.Type = t->Name;
  if (auto* t = Find(a, NameAttr)) p.Name = t->Name;
  if (auto* t = Find(a, ValueAttr)) {
    p.Value = t->Name;
    p.HasValue = true;
  }
  if (auto* t = Find(a, SizeAttr)) p.Size = t->Value;
  if (auto* t = Find(a, MaxLengthAttr)) p.MaxLength = t->Value;
  if (auto* t = Find(a, RowsAttr)) p.Rows = t->Value;
  if (auto* t = Find(a, ColsAttr)) p.Cols = t->Value;
  p.Checked = Find(a, CheckedAttr) != nullptr;
  p.Multiple = Find(a, MultipleAttr) != nullptr;
  return p;
}

ThtmlForm* NewForm(TSectionList* list, const TAttributeList& a) {
  auto* m = Find(a, MethodAttr);
  auto* act = Find(a, ActionAttr);
  return ThtmlForm::Create(list, m ? m->Name : std::string(), m != nullptr, act ? act->Name : std::string());
}

TAreaParams AreaParamsOf(const TAttributeList& a) {
  TAreaParams p;
  for (const TAttribute& t : a) {
    switch (t.Which) {
      case HrefAttr:
        p.Href = t.Name;
        p.HasHref = true;
        p.NoHref = false;
        break;
      case NoHrefAttr:
        p.NoHref = true;
        p.Href.clear();
        break;
      case ShapeAttr: p.Shape = t.Name; break;
      case CoordsAttr: p.Coords = t.Name; break;
      case TargetAttr: p.Target = t.Name; break;
      default: break;
    }
  }
  return p;
}

void PurgeAnchors(TStrings& anchors, const TSectionBase* dropped) {
  for (int i = anchors.Count() - 1; i >= 0; --i) {
    auto* s = dynamic_cast<TSectionBase*>(anchors.Objects(i));
    if (s && dropped->Holds(s)) anchors.Delete(i);
  }
}

}  // namespace vx
