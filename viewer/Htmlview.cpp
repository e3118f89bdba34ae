#include "viewer/Htmlview.h"

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"
#include "viewer/HTMLFormWidgets.h"

namespace vx {

VX_PUBLISH(THTMLViewer, TCustomControl) {
  P.Bool("ViewImages", &THTMLViewer::ViewImages, &THTMLViewer::SetViewImages)
      .Int("DefBackground", &THTMLViewer::DefBackground, &THTMLViewer::SetDefBackground)
      .Enum("BorderStyle", EnumTypeInfo("THTMLBorderStyle", {"htFocused", "htNone", "htSingle"}),
            &THTMLViewer::BorderStyle, &THTMLViewer::SetBorderStyle)
      .Int("HistoryMaxCount", &THTMLViewer::HistoryMaxCount, &THTMLViewer::SetHistoryMaxCount)
      .Str("DefFontName", &THTMLViewer::DefFontName, &THTMLViewer::SetDefFontName)
      .Str("DefPreFontName", &THTMLViewer::DefPreFontName, &THTMLViewer::SetDefPreFontName)
      .Int("DefFontSize", &THTMLViewer::DefFontSize, &THTMLViewer::SetDefFontSize)
      .Int("DefFontColor", &THTMLViewer::DefFontColor, &THTMLViewer::SetDefFontColor)
      .Int("DefHotSpotColor", &THTMLViewer::DefHotSpotColor, &THTMLViewer::SetDefHotSpotColor)
      .Int("ImageCacheCount", &THTMLViewer::ImageCacheCount, &THTMLViewer::SetImageCacheCount)
      .Bool("NoSelect", &THTMLViewer::NoSelect, &THTMLViewer::SetNoSelect)
      .Enum("ScrollBars", EnumTypeInfo("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}),
            &THTMLViewer::ScrollBars, &THTMLViewer::SetScrollBars)
      .Method("OnHotSpotCovered")
      .Method("OnHotSpotClick")
      .Method("OnBitmapRequest")
      .Method("OnFormSubmit")
      .Method("OnHistoryChange")
      .Method("OnProcessing");
}

namespace {
constexpr TCursor kLinkCursor = 1;

// A colour for the screen: system colours resolved first, then marked palette-relative.
COLORREF PaletteRef(TColor c) { return HtColorRef(c) | 0x02000000; }

std::string UpperExt(const std::string& file) { return HtUpperCase(ExtractFileExt(file)).substr(0, 5); }

bool IsPictureExt(const std::string& ext) {
  return ext == ".BMP" || ext == ".GIF" || ext == ".JPG" || ext == ".JPEG" || ext == ".PNG";
}

// Restores the screen cursor when the scope ends.
struct THourGlass {
  TCursor saved;
  THourGlass() : saved(Screen ? Screen->Cursor() : crDefault) {
    if (Screen) Screen->SetCursor(crHourGlass);
  }
  ~THourGlass() {
    if (Screen) Screen->SetCursor(saved);
  }
};
}  // namespace

// ---------------------------------------------------------------- TPaintPanel
TPaintPanel::TPaintPanel(TComponent* owner, THTMLViewer* viewer) : TCustomPanel(owner), Viewer(viewer) {
  SetBevelOuter(bvNone);
  SetFullRepaint(false);
}

void TPaintPanel::CreateParams(TCreateParams& p) {
  TCustomPanel::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;  // the offscreen copy must not paint over form controls
}

void TPaintPanel::WndProc(TMessage& m) {
  if (m.Msg == WM_ERASEBKGND) {
    if (EraseOnNext && Viewer) {
      EraseOnNext = false;
      RECT r{0, 0, Width(), Height()};
      Viewer->DrawBackground(reinterpret_cast<HDC>(m.WParam), r);
    }
    m.Result = 1;
    return;
  }
  TCustomPanel::WndProc(m);
}

void TPaintPanel::Paint() {
  if (!Viewer || Viewer->Document()->LayingOut()) return;
  HDC dc = Canvas()->Handle();
  RECT clip;
  if (GetClipBox(dc, &clip) == NULLREGION || IsRectEmpty(&clip)) return;
  int w = clip.right - clip.left, h = clip.bottom - clip.top;
  TOwnedDC mem(CreateCompatibleDC(dc));
  TOwnedBitmap bmp(mem ? CreateCompatibleBitmap(dc, w, h) : nullptr);
  if (!bmp) throw EOutOfResources("Out of Resources");
  {
    TSelected selectBmp(mem, bmp);
    SetWindowOrgEx(mem, clip.left, clip.top, nullptr);
    Viewer->DrawBackground(mem, clip);
    Viewer->PaintDocument(mem, clip);
    TSelectedPalette selectPal(dc, ImageUnit().Palette, true);
    if (ImageUnit().Palette) RealizePalette(dc);
    BitBlt(dc, clip.left, clip.top, w, h, mem, clip.left, clip.top, SRCCOPY);
  }
  if (Viewer->HandleAllocated()) PostMessageA(Viewer->Handle(), WM_VIEWER_BORDER, 0, 0);
}

// ---------------------------------------------------------------- T32ScrollBar
T32ScrollBar::T32ScrollBar(TComponent* owner) : TScrollBar(owner) {}

void T32ScrollBar::CreateWnd() {
  TScrollBar::CreateWnd();
  Apply();
}

void T32ScrollBar::Apply() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, min_, max_, static_cast<UINT>(std::max(0, page_)), pos_, 0};
  SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void T32ScrollBar::SetScrollParams(int min, int max, int page, int position) {
  if (min == min_ && max == max_ && page == page_ && position == pos_) return;
  min_ = min;
  max_ = max;
  page_ = page;
  pos_ = position;
  Apply();
}

void T32ScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) {
    int code = LOWORD(m.WParam);
    int pos = pos_;
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
      // The 32-bit track position: the message's word would stop at 65,535.
      SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), SB_CTL, &si);
      pos = si.nTrackPos;
    }
    if (OnScroll32) OnScroll32(code, pos);
    m.Result = 0;
    return;
  }
  TScrollBar::WndProc(m);
}

// ---------------------------------------------------------------- THTMLViewer: creation
THTMLViewer::THTMLViewer(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption});
  ImageUnit();  // placeholders, palette and the link cursor
  anchors_.SetSorted(true);
  anchors_.SetDuplicates(dupIgnore);
  doc_ = std::make_unique<TSectionList>(this);
  doc_->ImageServices = &GdiImageServices();
  doc_->ExpandSourceName = [this](const std::string& n) { return ExpandSourceName(n); };
  doc_->ShowError = [](const std::string& m) { ShowProcessError(m); };
  doc_->Anchors = &anchors_;
  doc_->PutOnClipboard = [this](const std::string& t) {
    PutTextOnClipboard(t, HandleAllocated() ? Handle() : nullptr);
  };
  doc_->OnBackgroundChange = [this] { BackgroundColorChanged(); };
  doc_->SetImageCacheCount(imageCacheCount_);

  panel_ = new TPaintPanel(this, this);
  panel_->SetCursor(crIBeam);
  panel_->SetBounds(1, 1, 148, 148);
  panel_->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) { PanelMouseDown(b, s, x, y); };
  panel_->OnMouseMove = [this](TObject*, TShiftState s, int x, int y) { PanelMouseMove(s, x, y); };
  panel_->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState s, int x, int y) { PanelMouseUp(b, s, x, y); };
  panel_->SetParent(this);

  vbar_ = new T32ScrollBar(this);
  vbar_->SetKind(sbVertical);
  sbWidth_ = GetSystemMetrics(SM_CXVSCROLL);
  vbar_->SetBounds(0, 0, sbWidth_, 100);
  vbar_->SetSmallChange(16);
  vbar_->SetVisible(false);
  vbar_->SetTabStop(false);
  vbar_->OnScroll32 = [this](int code, int pos) { VScroll(code, pos); };
  vbar_->SetParent(this);

  hbar_ = new TScrollBar(this);
  hbar_->SetBounds(0, 0, 100, GetSystemMetrics(SM_CYHSCROLL));
  hbar_->SetSmallChange(15);
  hbar_->SetVisible(false);
  hbar_->SetTabStop(false);
  hbar_->OnScroll = [this](TObject* s, TScrollCode c, int& p) { HScroll(s, c, p); };
  hbar_->SetParent(this);

  SetCursor(crIBeam);
  SetBounds(Left(), Top(), 150, 150);
  doc_->ApplyDefaults(defFontName_, defPreFontName_, defBackground_, defHotSpotColor_, defFontColor_, defFontSize_);
  doc_->ShowImages = viewImages_;
}

THTMLViewer::~THTMLViewer() {
  *alive_ = false;
  submits_.clear();
  doc_.reset();  // form controls go before the panel they stand on
  measure_.reset();
  if (measureDC_) DeleteDC(measureDC_);
  if (bgBitmap_) DeleteObject(bgBitmap_);
}

void THTMLViewer::BeforeDestruction() {
  *alive_ = false;
  if (doc_) doc_->Clear();  // the controls of forms, while the panel is still there
  TCustomControl::BeforeDestruction();
}

TViewCanvas& THTMLViewer::MeasureCanvas() {
  if (!measure_) {
    measureDC_ = CreateCompatibleDC(nullptr);
    measure_ = std::make_unique<TGdiViewCanvas>(measureDC_);
  }
  return *measure_;
}

void THTMLViewer::ChangeProcessingState(bool on) {
  if (processing_ == on) return;
  processing_ = on;
  if (OnProcessing) OnProcessing(this, on);
}

void THTMLViewer::BackgroundColorChanged() {
  if (panel_ && doc_) {
    panel_->SetColor(doc_->Background);
    panel_->Invalidate();
  }
}

void THTMLViewer::InvalidatePanel() {
  if (panel_) panel_->Invalidate();
}

// ---------------------------------------------------------------- loading
void THTMLViewer::ClearForLoad() {
  doc_->Clear();
  doc_->BitmapList.AgeItems();
  doc_->ApplyDefaults(defFontName_, defPreFontName_, defBackground_, defHotSpotColor_, defFontColor_, defFontSize_);
  doc_->ShowImages = viewImages_;
  anchors_.Clear();
  viewAnchor_.clear();
  selAnchor_ = 0;
  mouseDownIndex_ = -1;
  selLast_ = -1;
  bgSource_ = nullptr;
  // Form controls stand on the panel, which needs a window for them.
  if (!widgets_ && (Parent() || ParentWindow())) widgets_ = std::make_unique<TWinFormWidgets>(panel_->Handle());
  doc_->Widgets = widgets_.get();
}

void THTMLViewer::FinishLoad(const THtmlDocInfo& info) {
  title_ = info.Title;
  base_ = info.BaseHref;
  target_ = info.BaseTarget;
  doc_->Finish();
  Layout();
}

void THTMLViewer::LoadDocument(const std::string& name, int kind, bool history) {
  if (processing_ || name.empty()) return;
  THourGlass hg;
  std::string file = name, dest;
  size_t hash = name.find('#');
  if (hash != std::string::npos) {
    file = name.substr(0, hash);
    dest = name.substr(hash);
  }
  std::string prevFile = fileName_, prevTitle = title_;
  int prevKind = fileType_, prevPos = GetViewPosition();
  ChangeProcessingState(true);
  {
    auto endProcessing = OnScopeExit([&] { ChangeProcessingState(false); });
    if (!FileExists(file)) throw EInOutError("Can't locate file: " + file);
    std::string expanded = ExpandFileName(file);
    ClearForLoad();
    THtmlDocInfo info;
    std::exception_ptr failed;
    try {
      if (kind == 0) {
        ParseHtmlFile(*doc_, &anchors_, file, &info);
      } else if (kind == 1) {
        ParseTextFile(*doc_, &anchors_, file);
      } else {
        std::string img = ("<img src=\"" + expanded + "\">").substr(0, 255);
        ParseHtmlMemory(*doc_, &anchors_, img.data(), img.size(), &info);
      }
    } catch (...) {
      failed = std::current_exception();
    }
    bool changed = expanded != fileName_;
    fileType_ = kind;
    fileName_ = expanded;
    FinishLoad(info);
    if (!dest.empty())
      GoToAnchor(dest);
    else if (changed) {
      ScrollTo(0);
      hbar_->SetPosition(0);
    } else {
      ScrollTo(VPosition());  // the same file again keeps its place
    }
    InvalidatePanel();
    if (failed) std::rethrow_exception(failed);
  }
  if (history && (fileName_ != prevFile || fileType_ != prevKind))
    AddHistoryEntry(prevFile, prevTitle, prevKind, prevPos);
}

void THTMLViewer::LoadFromFile(const std::string& fileName) { LoadDocument(fileName, 0, true); }
void THTMLViewer::LoadPlainTextFile(const std::string& fileName) { LoadDocument(fileName, 1, true); }
void THTMLViewer::LoadPictureFile(const std::string& fileName) { LoadDocument(fileName, 2, true); }

void THTMLViewer::LoadFromStringsAs(const TStrings& strings, int kind) {
  if (processing_) return;
  ChangeProcessingState(true);
  ClearForLoad();
  THtmlDocInfo info;
  std::exception_ptr failed;
  try {
    if (kind == 1)
      ParseTextStrings(*doc_, &anchors_, strings);
    else
      ParseHtmlStrings(*doc_, &anchors_, strings, &info);
  } catch (...) {
    failed = std::current_exception();
  }
  EndTextLoad(info, kind == 1 ? 1 : 0, failed);
}

void THTMLViewer::LoadFromMemory(const char* buffer, size_t length) {
  if (processing_) return;
  ChangeProcessingState(true);
  ClearForLoad();
  THtmlDocInfo info;
  std::exception_ptr failed;
  try {
    ParseHtmlMemory(*doc_, &anchors_, buffer, length, &info);
  } catch (...) {
    failed = std::current_exception();
  }
  EndTextLoad(info, 0, failed);
}

// The end of a load from text in memory: shown from the top; a parse failure is passed
// on only after what was read before it is shown.
void THTMLViewer::EndTextLoad(const THtmlDocInfo& info, int fileType, std::exception_ptr failed) {
  {
    auto done = OnScopeExit([&] {
      fileName_.clear();
      ChangeProcessingState(false);
    });
    fileType_ = fileType;
    FinishLoad(info);
    ScrollTo(0);
    hbar_->SetPosition(0);
    InvalidatePanel();
  }
  if (failed) std::rethrow_exception(failed);
}

void THTMLViewer::LoadFromString(const std::string& html) { LoadFromMemory(html.data(), html.size()); }

void THTMLViewer::Clear() {
  if (processing_) return;
  doc_->Clear();
  doc_->ApplyDefaults(defFontName_, defPreFontName_, defBackground_, defHotSpotColor_, defFontColor_, defFontSize_);
  anchors_.Clear();
  viewAnchor_.clear();
  base_.clear();
  target_.clear();
  title_.clear();
  docHeight_ = docWidth_ = 0;
  vbar_->SetScrollParams(0, 0, vbar_->Page(), 0);
  doc_->SetScrollOffset(0);
  vbar_->SetVisible(false);
  hbar_->SetVisible(false);
  panel_->SetBounds(1, 1, std::max(0, Width() - 2), std::max(0, Height() - 2));
  vbar_->SetBounds(vbar_->Left(), vbar_->Top(), vbar_->Width(), panel_->Height());
  selAnchor_ = 0;
  mouseDownIndex_ = -1;
  InvalidatePanel();
}

// ---------------------------------------------------------------- layout and scrolling
void THTMLViewer::Layout() {
  int w = scrollBars_ == ssNone || scrollBars_ == ssHorizontal ? Width() - 20 : Width() - sbWidth_ - 20;
  w = std::max(0, w);
  layingOut_ = true;
  {
    auto cleanup = OnScopeExit([&] { layingOut_ = false; });
    int widest = 0;
    docHeight_ = doc_->DoLayout(MeasureCanvas(), w, widest);
    docWidth_ = widest;
  }
  ArrangeScrollBars();
}

void THTMLViewer::ArrangeScrollBars() {
  int W = Width(), H = Height(), B = sbWidth_, DW = docWidth_, DH = docHeight_;
  bool hPossible = scrollBars_ == ssHorizontal || scrollBars_ == ssBoth;
  bool vPossible = scrollBars_ == ssVertical || scrollBars_ == ssBoth;
  bool vVis = vPossible && (DH >= H - 2 || (hPossible && DH >= H - B - 2 && W - B < DW + 20));
  bool hVis = hPossible && (W < DW + 20 || (vVis && W - B < DW + 20));
  int w = vVis ? W - B : W;
  int ph = std::max(0, hVis ? H - B - 2 : H - 2);
  panel_->SetBounds(1, 1, std::max(0, w - 2), ph);
  hbar_->SetBounds(1, H - B - 1, std::max(0, w - 2), B);
  int hmax = std::max(0, std::max(DW + 20, w - 2));
  hbar_->SetParams(std::min(hbar_->Position(), hmax), 0, hmax);
  hbar_->SetLargeChange(std::max(1, w - 20));
  hbar_->SetPageSize(std::max(0, w));
  vbar_->SetBounds(W - B - 1, 1, B, ph);
  vbar_->SetLargeChange(std::max(1, ph - 16));
  vbar_->SetScrollParams(0, std::max(0, DH), ph + 1, vbar_->Position());
  vbar_->SetVisible(vVis);
  hbar_->SetVisible(hVis);
}

int THTMLViewer::MaxVPos() const { return std::max(0, docHeight_ - panel_->Height()); }
int THTMLViewer::MaxHPos() const { return std::max(0, hbar_->Max() - panel_->Width()); }

void THTMLViewer::SetVPos(int y) {
  viewAnchor_.clear();
  y = std::clamp(y, 0, MaxVPos());
  vbar_->SetPosition(y);
  doc_->SetScrollOffset(y);
}

void THTMLViewer::ScrollTo(int y) {
  SetVPos(y);
  InvalidatePanel();
}

void THTMLViewer::VScroll(int code, int pos) {
  if (CanFocus()) SetFocus();
  int y = vbar_->Position();
  switch (code) {
    case SB_LINEUP: y -= 16; break;
    case SB_LINEDOWN: y += 16; break;
    case SB_PAGEUP: y -= vbar_->LargeChange(); break;
    case SB_PAGEDOWN: y += vbar_->LargeChange(); break;
    case SB_TOP: y = 0; break;
    case SB_BOTTOM: y = docHeight_ - panel_->Height(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: y = pos; break;
    default: return;
  }
  SetVPos(y);
  InvalidatePanel();
  panel_->Update();
}

void THTMLViewer::HScroll(TObject*, TScrollCode, int& pos) {
  if (CanFocus()) SetFocus();
  pos = std::clamp(pos, 0, MaxHPos());
  InvalidatePanel();
}

void THTMLViewer::Relayout() {
  if (processing_) return;
  LayoutKeepingPosition();
}

void THTMLViewer::LayoutKeepingPosition() {
  std::string anchor = viewAnchor_;
  int p = GetViewPosition();
  Layout();
  // A view placed at an anchor stays at the anchor: a section's offset means another place
  // once the lines wrap anew (a page that is one table is one section).
  if (anchor.empty() || !GoToAnchor(anchor)) SetViewPosition(p);
  InvalidatePanel();
}

void THTMLViewer::Resize() {
  TCustomControl::Resize();
  if (!panel_ || !vbar_ || !hbar_) return;  // still being made
  std::string anchor = viewAnchor_;
  if (Width() == lastLayoutWidth_) {
    ArrangeScrollBars();
  } else {
    panel_->EraseOnNext = true;
    if (!processing_) LayoutKeepingPosition();
    lastLayoutWidth_ = Width();
  }
  if (docHeight_ < panel_->Height())
    ScrollTo(0);
  else
    ScrollTo(vbar_->Position());
  hbar_->SetPosition(std::min(hbar_->Position(), MaxHPos()));
  // Sized after its page was loaded (a frame is), the view still shows the anchor.
  if (!anchor.empty()) GoToAnchor(anchor);
}

int THTMLViewer::GetViewPosition() {
  int top = 0, index = 0;
  int y = vbar_->Position();
  if (!doc_->SectionAtY(y, top, index)) return 0;
  return static_cast<int>((static_cast<unsigned>(index) << 16) | static_cast<unsigned>((y - top) & 0xFFFF));
}

void THTMLViewer::SetViewPosition(int p) {
  unsigned section = static_cast<unsigned>(p) >> 16;  // an index, never negative
  if (section < static_cast<unsigned>(doc_->Count()))
    ScrollTo(doc_->GetSectionTop(static_cast<int>(section)) + (p & 0xFFFF));
}

void THTMLViewer::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  int y = vbar_->Position();
  switch (key) {
    case VK_PRIOR: y -= vbar_->LargeChange(); break;
    case VK_NEXT: y += vbar_->LargeChange(); break;
    case VK_HOME: y = 0; break;
    case VK_END: y = docHeight_; break;
    case VK_UP: y -= 16; break;
    case VK_DOWN: y += 16; break;
    case VK_LEFT:
    case VK_RIGHT: {
      int x = hbar_->Position() + (key == VK_LEFT ? -15 : 15);
      hbar_->SetPosition(std::clamp(x, 0, MaxHPos()));
      InvalidatePanel();
      return;
    }
    default: return;
  }
  ScrollTo(y);
}

// ---------------------------------------------------------------- painting
void THTMLViewer::PaintDocument(HDC dc, const RECT& clip) {
  TGdiViewCanvas c(dc, true);
  THtRect r{10, std::max<int>(1, clip.top), panel_->Width(), std::min<int>(panel_->Height(), clip.bottom)};
  doc_->Paint(c, r, 0, 10 - hbar_->Position());
}

void THTMLViewer::DrawBackground(HDC dc, const RECT& clip) {
  HPALETTE pal = ImageUnit().Palette;
  TSelectedPalette selectPal(dc, pal, true);
  if (pal) RealizePalette(dc);
  bool tiled = false;
  try {
    TViewImagePtr img = viewImages_ && !doc_->Printing ? doc_->BackgroundBitmap : nullptr;
    if (img && img->Width() > 0 && img->Height() > 0) {
      if (bgSource_ != img.get() || !bgBitmap_) {
        if (bgBitmap_) DeleteObject(bgBitmap_);
        bgBitmap_ = nullptr;
        bgSource_ = img.get();
        bgW_ = img->Width();
        bgH_ = img->Height();
        bgBitmap_ = CreateCompatibleBitmap(TWindowDC(nullptr), bgW_, bgH_);
        if (bgBitmap_) {
          TOwnedDC mem(CreateCompatibleDC(dc));
          TSelected select(mem, bgBitmap_);
          TGdiViewCanvas c(mem, true);
          c.DrawImage(*img, nullptr, 0, 0, bgW_, bgH_, false);
        }
      }
      if (bgBitmap_) {
        int hp = hbar_->Position(), vp = vbar_->Position();
        int x0 = (hp / bgW_) * bgW_ - hp, y0 = (vp / bgH_) * bgH_ - vp;
        TOwnedDC mem(CreateCompatibleDC(dc));
        TSelected select(mem, bgBitmap_);
        for (int y = y0; y < clip.bottom; y += bgH_) {
          if (y + bgH_ <= clip.top) continue;
          for (int x = x0; x < clip.right; x += bgW_)
            if (x + bgW_ > clip.left) BitBlt(dc, x, y, bgW_, bgH_, mem, 0, 0, SRCCOPY);
        }
        tiled = true;
      }
    }
  } catch (...) {
    tiled = false;  // a picture that fails leaves the plain colour
  }
  if (!tiled) FillRect(dc, &clip, TOwnedBrush(CreateSolidBrush(PaletteRef(doc_->Background))));
}

void THTMLViewer::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r{0, 0, Width(), Height()};
  HBRUSH b = CreateSolidBrush(PaletteRef(Color()));
  FillRect(dc, &r, b);
  DeleteObject(b);
  DrawBorder();
}

void THTMLViewer::DrawBorder() {
  if (!HandleAllocated()) return;
  bool dark = (Focused() && borderStyle_ == htFocused) || borderStyle_ == htSingle;
  COLORREF c = dark ? HtColorRef(clBtnText) : PaletteRef(Color());
  HDC dc = GetDC(Handle());
  RECT r{0, 0, Width(), Height()};
  HBRUSH b = CreateSolidBrush(c);
  FrameRect(dc, &r, b);
  DeleteObject(b);
  ReleaseDC(Handle(), dc);
}

void THTMLViewer::DoEnter() {
  TCustomControl::DoEnter();
  DrawBorder();
}

void THTMLViewer::DoExit() {
  TCustomControl::DoExit();
  DrawBorder();
}

HPALETTE THTMLViewer::GetPalette() {
  InvalidatePanel();
  return ImageUnit().Palette;
}

void THTMLViewer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_VIEWER_FORMSUBMIT: DeliverFormSubmits(); return;
    case WM_VIEWER_BORDER: DrawBorder(); return;
    case WM_VIEWER_AUTOSCROLL: AutoScroll(); return;
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED: {
      HPALETTE pal = ImageUnit().Palette;
      if (!pal || (m.Msg == WM_PALETTECHANGED && reinterpret_cast<HWND>(m.WParam) == Handle())) break;
      TWindowDC dc(Handle());
      TSelectedPalette select(dc, pal, false);
      if (RealizePalette(dc)) InvalidatePanel();
      m.Result = 1;
      return;
    }
    default: break;
  }
  TCustomControl::WndProc(m);
}

// ---------------------------------------------------------------- mouse and selection
bool THTMLViewer::LinkAtPoint(int x, int y, TUrlTarget& link) {
  if (layingOut_ || processing_) return false;
  TUrlTarget t;
  if (!doc_->UrlAtPoint(MeasureCanvas(), x, y + vbar_->Position(), t)) return false;
  link = t;
  return true;
}

static int CharIndexAt(TSectionList& doc, TViewCanvas& c, int x, int y) {
  int lh = 0, lt = 0, cx = 0;
  return doc.CharIndexAtPoint(c, x, y, lh, lt, cx);
}

void THTMLViewer::PanelMouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
  focusedAtDown_ = Focused();
  if (CanFocus()) SetFocus();
  if (b != mbLeft || !focusedAtDown_ || processing_ || layingOut_) return;
  mouseDownIndex_ = CharIndexAt(*doc_, MeasureCanvas(), x, y + vbar_->Position());
  if (mouseDownIndex_ >= 0) {
    if (doc_->SelB != doc_->SelE) InvalidatePanel();
    doc_->SelB = doc_->SelE = mouseDownIndex_;
    selAnchor_ = mouseDownIndex_;
    selLast_ = mouseDownIndex_;
  }
}

void THTMLViewer::ExtendSelection(int x, int y) {
  if (!focusedAtDown_ || mouseDownIndex_ < 0 || processing_ || layingOut_) return;
  y = std::clamp(y, 0, Height());
  int i = CharIndexAt(*doc_, MeasureCanvas(), x, y + vbar_->Position());
  if (i >= 0 && i != selLast_ && !noSelect_) {
    doc_->SelB = std::min(mouseDownIndex_, i);
    doc_->SelE = std::max(mouseDownIndex_, i);
    InvalidatePanel();
  }
  selLast_ = i;
}

void THTMLViewer::PanelMouseMove(TShiftState s, int x, int y) {
  TUrlTarget link;
  std::string url, target;
  if (LinkAtPoint(x, y, link)) {
    panel_->SetCursor(kLinkCursor);
    url = link.Url;
    target = link.Target;
  } else {
    panel_->SetCursor(Cursor());
  }
  if (url != linkUrl_) {
    linkUrl_ = url;
    linkTarget_ = target;
    if (OnHotSpotCovered) OnHotSpotCovered(this, url);
  }
  if (s.Contains(ssLeft)) {
    int cy = y + panel_->Top();
    if ((cy < 0 || cy > Height()) && !autoScrolling_ && HandleAllocated()) {
      autoScrolling_ = true;
      PostMessageA(Handle(), WM_VIEWER_AUTOSCROLL, 0, 0);
    }
    if (!noSelect_) ExtendSelection(x, y);
  }
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}

void THTMLViewer::PanelMouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
  if (b == mbRight && PopupMenu() && PopupMenu()->AutoPopup()) {
    // The panel covers the viewer, so the viewer's menu is opened from here.
    POINT p = panel_->ClientToScreen(POINT{x, y});
    PopupMenu()->SetPopupComponent(this);
    PopupMenu()->Popup(p.x, p.y);
    return;
  }
  if (b != mbLeft) return;
  ExtendSelection(x, y);
  focusedAtDown_ = false;
  autoScrolling_ = false;
  TUrlTarget link;
  if (GetSelLength() < 2 && LinkAtPoint(x, y, link)) {
    linkUrl_ = link.Url;
    linkTarget_ = link.Target;
    FollowLink();
  }
}

// Scrolls while the button is held with the pointer above or below the control. Ends when
// the button is up, the pointer is back, or the control is gone.
void THTMLViewer::AutoScroll() {
  std::shared_ptr<bool> alive = alive_;
  DWORD last = GetTickCount() - 100;
  while (*alive && autoScrolling_) {
    bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    if (!(GetAsyncKeyState(swapped ? VK_RBUTTON : VK_LBUTTON) & 0x8000)) break;
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    if (p.y >= 1 && p.y <= Height()) break;
    DWORD now = GetTickCount();
    if (now - last >= 100) {
      last = now;
      int d = p.y < 1 ? (p.y < -15 ? -8 * 16 : -16) : (p.y > Height() + 15 ? 8 * 16 : 16);
      SetVPos(vbar_->Position() + d);
      ExtendSelection(p.x - panel_->Left(), p.y - panel_->Top());
      InvalidatePanel();
      panel_->Update();
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    if (Application) Application->ProcessMessages();
  }
  if (*alive) autoScrolling_ = false;
}

void THTMLViewer::SelectAll() {
  if (noSelect_ || doc_->Empty()) return;
  doc_->SelB = 0;
  doc_->SelE = doc_->Len;
  InvalidatePanel();
}

int THTMLViewer::GetSelLength() const { return std::max(0, doc_->SelE - doc_->SelB); }

std::string THTMLViewer::SelText() { return doc_->SelectionText(); }

void THTMLViewer::CopyToClipboard() { doc_->CopyToClipboard(); }

int THTMLViewer::FindText(const std::string& text, int from, bool matchCase) {
  return doc_->FindTextFrom(from, text, matchCase);
}

void THTMLViewer::SetNoSelect(bool v) {
  noSelect_ = v;
  if (v) {
    doc_->SelB = doc_->SelE = -1;
    InvalidatePanel();
  }
}

// ---------------------------------------------------------------- links and anchors
bool THTMLViewer::FireHotSpotClick() {
  bool handled = false;
  if (OnHotSpotClick) OnHotSpotClick(this, linkUrl_, handled);
  return handled;
}

void THTMLViewer::FollowLink() {
  if (FireHotSpotClick()) return;
  std::string url = linkUrl_;
  if (!url.empty() && url[0] == '#') {
    std::string pf = fileName_, pt = title_;
    int pk = fileType_, pp = GetViewPosition();
    if (GoToAnchor(url)) AddHistoryEntry(pf, pt, pk, pp);
    return;
  }
  std::string part = url, dest;
  size_t hash = url.find('#');
  if (hash != std::string::npos) {
    part = url.substr(0, hash);
    dest = url.substr(hash);
  }
  std::string file = ExpandSourceName(part);
  std::string ext = UpperExt(file);
  if (ext == ".HTM" || ext == ".HTML") {
    if (file != fileName_) {
      LoadFromFile(file + dest);
    } else {
      std::string pt = title_;
      int pp = GetViewPosition();
      if (GoToAnchor(dest)) AddHistoryEntry(fileName_, pt, 0, pp);
    }
  } else if (IsPictureExt(ext)) {
    LoadPictureFile(file);
  }
}

std::string THTMLViewer::ExpandSourceName(const std::string& name) {
  return ExpandSourceAgainst(name, base_, fileName_);
}

bool THTMLViewer::GoToAnchor(const std::string& name) {
  std::string n = name;
  if (!n.empty() && n[0] == '#') n.erase(0, 1);
  if (n.empty()) return false;
  int i = 0;
  if (!anchors_.Find(HtUpperCase(n), i)) return false;
  auto* s = dynamic_cast<TSectionBase*>(anchors_.Objects(i));
  if (!s) return false;
  ScrollTo(s->YValue);
  hbar_->SetPosition(0);
  InvalidatePanel();
  viewAnchor_ = HtUpperCase(n);
  return true;
}

// ---------------------------------------------------------------- history
void THTMLViewer::AddHistoryEntry(const std::string& file, const std::string& title, int kind, int position) {
  if (historyMax_ < 1 || fileName_.empty()) return;
  int cur = GetViewPosition();
  if (file == fileName_ && kind == fileType_ && position == cur) return;
  if (!history_.empty() && !file.empty()) {
    THistoryEntry& e = history_[std::min<size_t>(historyIndex_, history_.size() - 1)];
    e.File = file;
    e.Title = title;
    e.Pos->Pos = position;
    e.Pos->FileType = kind;
    history_.erase(history_.begin(), history_.begin() + std::min<size_t>(historyIndex_, history_.size() - 1));
  }
  historyIndex_ = 0;
  THistoryEntry n;
  n.File = fileName_;
  n.Title = title_;
  n.Pos = std::make_unique<PositionObj>();
  n.Pos->Pos = cur;
  n.Pos->FileType = fileType_;
  history_.insert(history_.begin(), std::move(n));
  if (static_cast<int>(history_.size()) > historyMax_) history_.erase(history_.begin() + historyMax_, history_.end());
  if (OnHistoryChange) OnHistoryChange(this);
}

void THTMLViewer::GoToHistoryEntry(int i) {
  if (i == historyIndex_ || i < 0 || i >= HistoryCount() || processing_) return;
  if (!fileName_.empty() && historyIndex_ < HistoryCount()) {
    THistoryEntry& e = history_[historyIndex_];
    e.File = fileName_;
    e.Title = title_;
    e.Pos->Pos = GetViewPosition();
    e.Pos->FileType = fileType_;
  }
  std::string file = history_[i].File;
  int kind = history_[i].Pos->FileType, pos = history_[i].Pos->Pos;
  if (file != fileName_ || kind != fileType_) LoadDocument(file, kind, false);
  SetViewPosition(pos);
  historyIndex_ = i;
  if (OnHistoryChange) OnHistoryChange(this);
}

void THTMLViewer::ResetHistory() {
  bool had = !history_.empty();
  history_.clear();
  historyIndex_ = 0;
  if (had && OnHistoryChange) OnHistoryChange(this);
}

void THTMLViewer::SetHistoryMaxCount(int n) {
  if (n < 0 || n == historyMax_) return;
  if (n < historyMax_) ResetHistory();
  historyMax_ = n;
}

// ---------------------------------------------------------------- forms
void THTMLViewer::QueueFormSubmit(const std::string& action, const std::string& method,
                                  std::vector<std::string> results) {
  if (!onFormSubmit_) return;
  TPendingSubmit p;
  p.Action = action;
  p.Method = method;
  p.Results = std::make_unique<TStringList>();
  for (auto& r : results) p.Results->Add(r);
  submits_.push_back(std::move(p));
  if (HandleAllocated()) PostMessageA(Handle(), WM_VIEWER_FORMSUBMIT, 0, 0);
}

// One submission per posted message, in order; each is delivered once.
void THTMLViewer::DeliverFormSubmits() {
  if (submits_.empty()) return;
  TPendingSubmit p = std::move(submits_.front());
  submits_.pop_front();
  if (onFormSubmit_) onFormSubmit_(this, p.Action, p.Method, std::move(p.Results));
}

void THTMLViewer::SetOnFormSubmit(TFormSubmitEvent e) {
  onFormSubmit_ = std::move(e);
  if (onFormSubmit_)
    doc_->SubmitForm = [this](TObject*, const std::string& a, const std::string& m, std::vector<std::string> r) {
      QueueFormSubmit(a, m, std::move(r));
    };
  else
    doc_->SubmitForm = nullptr;
}

void THTMLViewer::SetOnBitmapRequest(TGetBitmapEvent e) {
  onBitmapRequest_ = std::move(e);
  if (onBitmapRequest_)
    doc_->GetBitmap = [this](TObject*, const std::string& src, TViewImagePtr& bmp, THtColor& color) {
      std::unique_ptr<TBitmap> b;
      TColor c = -1;
      onBitmapRequest_(this, src, b, c);
      bmp = WrapBitmap(std::move(b));  // the cache owns it from here
      color = c;
    };
  else
    doc_->GetBitmap = nullptr;
}

// ---------------------------------------------------------------- property writers
void THTMLViewer::RefreshDocumentFonts() {
  doc_->RefreshFonts();
  if (!doc_->Empty() && !processing_) LayoutKeepingPosition();
  InvalidatePanel();
}

void THTMLViewer::SetViewImages(bool v) {
  if (v == viewImages_ || processing_) return;
  THourGlass hg;
  ChangeProcessingState(true);
  viewImages_ = v;
  doc_->ShowImages = v;
  bgSource_ = nullptr;
  {
    auto failed = OnScopeExit([&] { ChangeProcessingState(false); });
    doc_->Finish();  // images requested or dropped, background fetched
    if (!doc_->Empty()) {
      int p = GetViewPosition();
      Layout();
      SetViewPosition(p);
    }
    failed.Dismiss();
  }
  InvalidatePanel();
  ChangeProcessingState(false);
}

void THTMLViewer::SetDefBackground(TColor c) {
  if (processing_) return;
  defBackground_ = c;
  doc_->SetBackgroundColor(c);
  InvalidatePanel();
}

void THTMLViewer::SetBorderStyle(THTMLBorderStyle b) {
  borderStyle_ = b;
  DrawBorder();
}

void THTMLViewer::SetDefFontName(const std::string& n) {
  if (SameText(n, defFontName_)) return;
  defFontName_ = n;
  doc_->FontName = n.substr(0, 33);
  RefreshDocumentFonts();
}

void THTMLViewer::SetDefPreFontName(const std::string& n) {
  if (SameText(n, defPreFontName_)) return;
  defPreFontName_ = n;
  doc_->PreFontName = n.substr(0, 33);
  RefreshDocumentFonts();
}

void THTMLViewer::SetDefFontSize(int s) {
  defFontSize_ = std::max(6, s);
  doc_->FontSize = defFontSize_;
  RefreshDocumentFonts();
}

void THTMLViewer::SetDefFontColor(TColor c) {
  defFontColor_ = c;
  doc_->FontColor = c;
  doc_->RefreshFonts();
  InvalidatePanel();
}

void THTMLViewer::SetDefHotSpotColor(TColor c) {
  defHotSpotColor_ = c;
  doc_->HotSpotColor = c;
  doc_->RefreshFonts();
  InvalidatePanel();
}

void THTMLViewer::SetImageCacheCount(int n) {
  n = std::clamp(n, 0, 20);
  if (n == imageCacheCount_) return;
  imageCacheCount_ = n;
  doc_->SetImageCacheCount(n);
}

void THTMLViewer::SetScrollBars(TScrollStyle s) {
  if (s == scrollBars_) return;
  scrollBars_ = s;
  if (HandleAllocated() && !processing_) {
    ChangeProcessingState(true);
    auto cleanup = OnScopeExit([&] { ChangeProcessingState(false); });
    LayoutKeepingPosition();
  }
  InvalidatePanel();
}

}  // namespace vx
