#include "toolkit/ZXCombos.h"

#include <algorithm>
#include <map>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Printers.h"
#include "toolkit/VCLUtils.h"

namespace vx {

namespace {

struct ColorLine {
  const char* name;
  TColor value;
};
// In list order; the names are the framework's colour names without their "cl".
constexpr ColorLine kColors[TColorComboBox::ColorCount] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

TObject* AsObject(intptr_t v) { return reinterpret_cast<TObject*>(v); }
intptr_t FromObject(TObject* o) { return reinterpret_cast<intptr_t>(o); }

// A single line of text, vertically centred in r, from x on.
void DrawItemText(TCanvas* c, RECT r, int x, const AnsiString& text) {
  r.left = x;
  c->Brush()->SetStyle(bsClear);
  c->DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
  c->Brush()->SetStyle(bsSolid);
}

}  // namespace

VX_PUBLISH(TColorComboBox, TComboBox) {
  P.Int("ColorValue", &TColorComboBox::ColorValue, &TColorComboBox::SetColorValue)
      .Bool("DisplayNames", &TColorComboBox::DisplayNames, &TColorComboBox::SetDisplayNames)
      .Method("OnChange");
}

std::unique_ptr<TBitmap> LoadToolkitBitmap(const char* resName) {
  std::unique_ptr<TBitmap> b = LoadResBitmap(GetModuleHandleA(nullptr), resName);
  if (!b) ResourceNotFound(resName);
  return b;
}

// ---- TColorComboBox ---------------------------------------------------------------------

const char* TColorComboBox::ColorName(int i) { return kColors[i].name; }
TColor TColorComboBox::ColorOfLine(int i) { return kColors[i].value; }

TColorComboBox::TColorComboBox(TComponent* owner) : TComboBox(owner) {
  SetStyle(csOwnerDrawFixed);
  ResetItemHeight();
}

TColorComboBox::~TColorComboBox() = default;

void TColorComboBox::ResetItemHeight() {
  int h = std::max(ScreenFontHeight(Font()->Handle()) + 1, 9);
  if (h != ItemHeight()) SetItemHeight(h);  // which makes the window again
}

void TColorComboBox::FontChanged() {
  TComboBox::FontChanged();
  ResetItemHeight();
}

void TColorComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  Items()->BeginUpdate();
  Items()->Clear();
  for (const ColorLine& c : kColors) Items()->AddObject(c.name, AsObject(c.value));
  Items()->EndUpdate();
  SelectValue();
}

int TColorComboBox::LineOf(TColor value) {
  for (int i = 0; i < ColorCount; ++i)
    if (kColors[i].value == value) return i;
  return -1;
}

void TColorComboBox::SelectValue() {
  int line = LineOf(colorValue_);
  if (ItemIndex() != line) SetItemIndex(line);
}

void TColorComboBox::SetColorValue(TColor value) {
  if (value == colorValue_ && ItemIndex() >= 0) return;
  // A colour the list does not offer is kept all the same, with no line selected.
  if (value == colorValue_ && LineOf(value) < 0) return;
  colorValue_ = value;
  SelectValue();
  if (OnChange) OnChange(this);
}

void TColorComboBox::SetDisplayNames(bool value) {
  displayNames_ = value;
  Invalidate();
}

void TColorComboBox::Click() {
  int i = ItemIndex();
  if (i >= 0 && i < ColorCount) SetColorValue(kColors[i].value);
  TComboBox::Click();
}

void TColorComboBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  TCanvas* c = Canvas();
  c->FillRect(r);
  // With no line selected the closed list still shows the colour it keeps, unnamed.
  bool kept = index < 0 && ItemIndex() < 0;
  if (!kept && (index < 0 || index >= ColorCount)) return;
  TColor brush = c->Brush()->Color();
  RECT swatch{r.left + 2, r.top + 2, displayNames_ ? r.left + 24 : r.right - 3, r.bottom - 2};
  c->Brush()->SetColor(clBlack);
  c->FrameRect(swatch);
  InflateRect(&swatch, -1, -1);
  c->Brush()->SetColor(kept ? colorValue_ : kColors[index].value);
  c->FillRect(swatch);
  c->Brush()->SetColor(brush);
  if (displayNames_ && !kept) DrawItemText(c, r, r.left + 28, kColors[index].name);
}

// ---- TFontComboBox ------------------------------------------------------------------------

VX_PUBLISH(TFontComboBox, TComboBox) {
  static const TTypeInfo* device = EnumTypeInfo("TFontDevice", {"fdScreen", "fdPrinter", "fdBoth"});
  static const TTypeInfo* options = SetTypeInfo(
      "TFontListOptions", EnumTypeInfo("TFontListOption", {"foAnsiOnly", "foTrueTypeOnly", "foFixedPitchOnly",
                                                           "foNoOEMFonts", "foOEMFontsOnly", "foScalableOnly"}));
  P.Enum("Device", device, &TFontComboBox::Device, &TFontComboBox::SetDevice)
      .Str("FontName", &TFontComboBox::FontName, &TFontComboBox::SetFontName)
      .Set("Options", options, &TFontComboBox::Options, &TFontComboBox::SetOptions)
      .Method("OnChange");
}

TFontComboBox::TFontComboBox(TComponent* owner)
    : TComboBox(owner), trueTypeMark_(LoadToolkitBitmap("TTF_FONT")), printerMark_(LoadToolkitBitmap("PRN_FONT")) {
  SetStyle(csOwnerDrawFixed);
  SetSorted(true);
  ResetItemHeight();
}

TFontComboBox::~TFontComboBox() = default;

void TFontComboBox::BeforeDestruction() {
  if (fontWatch_) {
    DeallocateHWnd(fontWatch_);
    fontWatch_ = nullptr;
  }
  TComboBox::BeforeDestruction();
}

void TFontComboBox::ResetItemHeight() {
  int h = std::max({ScreenFontHeight(Font()->Handle()) + 1, trueTypeMark_->Height() - 1, 9});
  if (h != ItemHeight()) SetItemHeight(h);
}

void TFontComboBox::FontChanged() {
  TComboBox::FontChanged();
  ResetItemHeight();
}

void TFontComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  if (!fontWatch_)
    fontWatch_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == WM_FONTCHANGE)
        GuardedCall(this, [this] { Reload(); });
      else
        m.Result = DefWindowProcA(fontWatch_, m.Msg, m.WParam, m.LParam);
    });
  TSaved<bool> hold(updating_, true);
  FillList();
  SelectName(fontName_);
}

namespace {

struct EnumState {
  TFontListOptions options;
  // Faces found so far, first enumeration first; the key ignores case.
  std::map<AnsiString, std::pair<AnsiString, int>, bool (*)(const AnsiString&, const AnsiString&)>* faces;
};

int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM data) {
  auto* st = reinterpret_cast<EnumState*>(data);
  const TFontListOptions& o = st->options;
  BYTE charset = lf->lfCharSet;
  if (o.Contains(foAnsiOnly) && charset != ANSI_CHARSET) return 1;
  if (o.Contains(foTrueTypeOnly) && !(type & TRUETYPE_FONTTYPE)) return 1;
  if (o.Contains(foFixedPitchOnly) && (lf->lfPitchAndFamily & 3) != FIXED_PITCH) return 1;
  if (o.Contains(foOEMFontsOnly) && charset != OEM_CHARSET) return 1;
  if (o.Contains(foNoOEMFonts) && charset == OEM_CHARSET) return 1;
  if (o.Contains(foScalableOnly) && (type & RASTER_FONTTYPE)) return 1;
  AnsiString name = lf->lfFaceName;
  st->faces->emplace(name, std::make_pair(name, static_cast<int>(type & 7)));
  return 1;
}

void EnumerateFaces(HDC dc, EnumState& st) {
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &lf, AddFace, reinterpret_cast<LPARAM>(&st), 0);
}

bool LessIgnoringCase(const AnsiString& a, const AnsiString& b) { return CompareText(a, b) < 0; }

}  // namespace

void TFontComboBox::FillList() {
  if (!HandleAllocated()) return;
  std::map<AnsiString, std::pair<AnsiString, int>, bool (*)(const AnsiString&, const AnsiString&)> faces(
      LessIgnoringCase);
  EnumState st{options_, &faces};
  if (device_ == fdScreen || device_ == fdBoth) {
    TWindowDC dc(nullptr);
    EnumerateFaces(dc, st);
  }
  if (device_ == fdPrinter || device_ == fdBoth) {
    // No printer, or one that cannot be reached, leaves what the screen gave.
    try {
      EnumerateFaces(Printer()->Handle(), st);
    } catch (const std::exception&) {}
  }
  Items()->BeginUpdate();
  Items()->Clear();
  for (auto& f : faces) Items()->AddObject(f.second.first, AsObject(f.second.second));
  Items()->EndUpdate();
}

void TFontComboBox::SelectName(const AnsiString& name) {
  int line = -1;
  for (int i = 0; i < Items()->Count(); ++i)
    if (CompareText(Items()->Strings(i), name) == 0) {
      line = i;
      break;
    }
  SetItemIndex(line);
}

void TFontComboBox::Reload() {
  if (!HandleAllocated()) return;
  AnsiString before = FontName();
  {
    TSaved<bool> hold(updating_, true);
    FillList();
    SelectName(before);
  }
  if (FontName() != before && OnChange) OnChange(this);
}

AnsiString TFontComboBox::FontName() {
  int i = ItemIndex();
  if (i >= 0 && i < Items()->Count()) return Items()->Strings(i);
  return fontName_;
}

void TFontComboBox::SetFontName(const AnsiString& value) {
  if (value == FontName()) return;
  fontName_ = value;
  if (!HandleAllocated() && (Parent() || ParentWindow())) HandleNeeded();
  if (HandleAllocated()) SelectName(value);
  if (OnChange) OnChange(this);
}

int TFontComboBox::FontTypeOf(int index) {
  if (index < 0 || index >= Items()->Count()) return 0;
  return static_cast<int>(FromObject(Items()->Objects(index)));
}

void TFontComboBox::SetDevice(TFontDevice value) {
  device_ = value;
  Reload();
}

void TFontComboBox::SetOptions(TFontListOptions value) {
  options_ = value;
  Reload();
}

void TFontComboBox::SetTrueTypeOnly(bool value) {
  SetOptions(value ? options_ + foTrueTypeOnly : options_ - foTrueTypeOnly);
}

void TFontComboBox::Click() {
  int i = ItemIndex();
  if (i >= 0 && i < Items()->Count()) fontName_ = Items()->Strings(i);
  TComboBox::Click();
}

void TFontComboBox::Change() {
  if (!updating_) TComboBox::Change();
}

void TFontComboBox::WndProc(TMessage& m) {
  if (m.Msg == WM_FONTCHANGE) {
    Reload();
    return;
  }
  TComboBox::WndProc(m);
}

void TFontComboBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  TCanvas* c = Canvas();
  c->FillRect(r);
  // With no line selected the closed list still shows the name it keeps, unmarked.
  if (index < 0 && ItemIndex() < 0) {
    DrawItemText(c, r, r.left + 20 + 6, fontName_);
    return;
  }
  if (index < 0 || index >= Items()->Count()) return;
  int type = FontTypeOf(index);
  TBitmap* mark = (type & TRUETYPE_FONTTYPE) ? trueTypeMark_.get()
                  : (type & DEVICE_FONTTYPE) ? printerMark_.get()
                                             : nullptr;
  if (mark)
    DrawBitmapTransparent(c, r.left + 2, (r.top + r.bottom - mark->Height()) / 2, mark->TransparentColor(), mark);
  DrawItemText(c, r, r.left + (mark ? mark->Width() : 20) + 6, Items()->Strings(index));
}

}  // namespace vx
