#include "viewer/FramView.h"

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"

namespace vx {

VX_PUBLISH(TFrameViewer, TWinControl) {
  P.Bool("ViewImages", &TFrameViewer::ViewImages, &TFrameViewer::SetViewImages)
      .Bool("NoSelect", &TFrameViewer::NoSelect, &TFrameViewer::SetNoSelect)
      .Int("HistoryMaxCount", &TFrameViewer::HistoryMaxCount, &TFrameViewer::SetHistoryMaxCount)
      .Int("DefBackground", &TFrameViewer::DefBackground, &TFrameViewer::SetDefBackground)
      .Str("DefFontName", &TFrameViewer::DefFontName, &TFrameViewer::SetDefFontName)
      .Str("DefPreFontName", &TFrameViewer::DefPreFontName, &TFrameViewer::SetDefPreFontName)
      .Int("DefFontSize", &TFrameViewer::DefFontSize, &TFrameViewer::SetDefFontSize)
      .Int("DefFontColor", &TFrameViewer::DefFontColor, &TFrameViewer::SetDefFontColor)
      .Int("DefHotSpotColor", &TFrameViewer::DefHotSpotColor, &TFrameViewer::SetDefHotSpotColor)
      .Method("OnHotSpotTargetCovered")
      .Method("OnHotSpotTargetClick")
      .Method("OnBlankWindowRequest")
      .Method("OnHistoryChange")
      .Method("OnFormSubmit")
      .Method("OnBitmapRequest")
      .Method("OnProcessing");
}

// The frame viewer's own processing for a scope, reported on the way in and out.
class TFrameViewer::TProcessingScope {
 public:
  explicit TProcessingScope(TFrameViewer* v) : v_(v), old_(v->processing_) {
    v_->processing_ = true;
    v_->ChangeProcessingState();
  }
  ~TProcessingScope() {
    v_->processing_ = old_;
    v_->ChangeProcessingState();
  }
  TProcessingScope(const TProcessingScope&) = delete;
  TProcessingScope& operator=(const TProcessingScope&) = delete;

 private:
  TFrameViewer* v_;
  bool old_;
};

namespace {

constexpr UINT WM_FRAMEVIEWER_FREE = WM_USER + 111;

void SplitAnchor(const std::string& name, std::string& file, std::string& dest) {
  size_t hash = name.find('#');
  file = hash == std::string::npos ? name : name.substr(0, hash);
  dest = hash == std::string::npos ? std::string() : name.substr(hash);
}

std::string LowerExt(const std::string& file) { return HtLowerCase(ExtractFileExt(file)); }

bool IsPictureFile(const std::string& file) {
  std::string e = LowerExt(file);
  return e == ".gif" || e == ".jpg" || e == ".jpeg" || e == ".bmp" || e == ".png";
}

bool IsTextFile(const std::string& file) { return LowerExt(file) == ".txt"; }

bool IsHtmlFile(const std::string& file) {
  std::string e = HtUpperCase(ExtractFileExt(file)).substr(0, 5);
  return e == ".HTM" || e == ".HTML";
}

// The kinds of file a link may open, as a single viewer follows them: pages and pictures.
bool IsFollowedFile(const std::string& file) { return IsHtmlFile(file) || IsPictureFile(file); }

void RaiseMissing(const std::string& file) { throw EInOutError("Can't locate file: " + file); }

}  // namespace

// ---------------------------------------------------------------- TFrameBase
TFrameBase::TFrameBase(TComponent* owner, TFrameSet* master) : TCustomPanel(owner), MasterSet(master) {
  SetCaption("");
  SetBevelOuter(bvNone);
  SetFullRepaint(false);
}

// ---------------------------------------------------------------- TFrame
TFrame::TFrame(TSubFrameSet* parent, TFrameSet* master, const TFramePiece& piece)
    : TFrameBase(parent, master),
      ParentSet(parent),
      FrameName(piece.Name),
      Source(piece.Source),
      NoResize(piece.NoResize),
      NoScroll(piece.NoScroll) {
  SetBevelOuter(bvLowered);
  SetBevelInner(bvLowered);
  if (piece.Note()) SetCaption(OmittedFramesNote(piece.Omitted));
}

bool TFrame::GetNoResize(bool& before, bool& after) {
  before = after = NoResize;
  if (FrameSet) {
    bool b = false, e = false;
    FrameSet->GetNoResize(b, e);
    before = before || b;
    after = after || e;
  }
  return before || after;
}

void TFrame::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TFrameBase::MouseDown(b, s, x, y);
  POINT p = ParentSet->ScreenToClient(ClientToScreen(POINT{x, y}));
  ParentSet->MouseDownOnBorder(b, s, p.x, p.y);
}

void TFrame::MouseMove(TShiftState s, int x, int y) {
  TFrameBase::MouseMove(s, x, y);
  if (NoResize && !MasterSet->DraggedSet) return;
  POINT p = ParentSet->ScreenToClient(ClientToScreen(POINT{x, y}));
  ParentSet->MouseMoveOnBorder(s, p.x, p.y);
  SetCursor(MasterSet->HoverCursor);
}

void TFrame::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  TFrameBase::MouseUp(b, s, x, y);
  POINT p = ParentSet->ScreenToClient(ClientToScreen(POINT{x, y}));
  ParentSet->MouseUpOnBorder(b, s, p.x, p.y);
}

void TFrame::CreateViewer() {
  TFrameViewer* fv = MasterSet->FrameViewer;
  auto* v = new THTMLViewer(this);
  Viewer = v;
  v->SetParent(this);
  v->SetAlign(alClient);
  v->OnHotSpotClick = [fv](TObject* s, const std::string& url, bool& handled) { fv->ChildLinkClick(s, url, handled); };
  v->OnHotSpotCovered = [fv](TObject* s, const std::string& url) { fv->ChildLinkCovered(s, url); };
  if (NoScroll) v->SetScrollBars(ssNone);
  MasterSet->AddViewer(v);
  fv->SetupViewer(v);
  v->OnProcessing = [fv, v](TObject*, bool on) { fv->ViewerBusyChanged(v, on); };
  TFrameSet* master = MasterSet;
  v->OnEnter = [master, v](TObject*) { master->ViewerEntered(v); };
  SetBevelOuter(bvLowered);
  SetBevelInner(bvLowered);
}

void TFrame::FreeContent() {
  if (Viewer) {
    THTMLViewer* v = Viewer;
    Viewer = nullptr;
    v->Free();
  }
  if (FrameSet) {
    TSubFrameSet* s = FrameSet;
    FrameSet = nullptr;
    s->Free();
  }
}

void TFrame::LoadViewer(const std::string& file, const std::string& dest) {
  if (IsPictureFile(file))
    Viewer->LoadPictureFile(file);
  else if (IsTextFile(file))
    Viewer->LoadPlainTextFile(file);
  else
    Viewer->LoadFromFile(file + dest);
}

void TFrame::ShowErrorPage() {
  if (FrameSet) {
    TSubFrameSet* s = FrameSet;
    FrameSet = nullptr;
    s->Free();
  }
  if (!Viewer) CreateViewer();
  std::string page = "<p><img src=\"qw%&.bmp\" alt=\"Error\"> Can't load " + Source.substr(0, 255);
  Viewer->LoadFromString(page);
}

void TFrame::LoadNestedSet(const std::string& file) {
  FreeContent();
  auto* set = new TSubFrameSet(this, MasterSet);
  FrameSet = set;
  set->SetParent(this);
  set->SetAlign(alClient);
  SetBevelOuter(bvNone);
  SetBevelInner(bvNone);
  THtmlDocInfo info;
  if (!set->ReadFrameDocument(file, info)) throw EParseError("Not a frame document: " + file);
  for (TFrameBase* c : std::vector<TFrameBase*>(set->List)) c->LoadContent();
  set->CollectFixedBorders();
}

void TFrame::LoadContent() {
  std::string file, dest;
  SplitAnchor(Source, file, dest);
  TFrameViewer* fv = MasterSet->FrameViewer;
  if (Trim(file).empty() || MasterSet->NestLevel >= kMaxFrameLoadNesting) {
    OnMouseDown = fv->OnMouseDown;
    OnMouseMove = fv->OnMouseMove;
    OnMouseUp = fv->OnMouseUp;
    return;
  }
  TSaved<int> level(MasterSet->NestLevel, MasterSet->NestLevel + 1);
  try {
    // A relative SRC belongs to the frame document, not to the current folder.
    std::string path = ParentSet->ExpandFrameSource(file);
    if (!FileExists(path)) RaiseMissing(path);
    if (IsPictureFile(path) || IsTextFile(path) || !IsFramesetDocument(path)) {
      if (FrameSet) FreeContent();
      if (!Viewer) CreateViewer();
      LoadViewer(path, dest);
      Viewer->SetBaseHrefDefault(MasterSet->BaseHref);
    } else {
      LoadNestedSet(path);
    }
    Source = path + dest;
  } catch (const std::exception&) {
    ShowErrorPage();
  }
}

void TFrame::ReloadContent(int position) {
  if (FrameSet) {
    for (TFrameBase* c : std::vector<TFrameBase*>(FrameSet->List)) c->ReloadContent(-1);
    FrameSet->CollectFixedBorders();
    return;
  }
  std::string file, dest;
  SplitAnchor(Source, file, dest);
  if (!Viewer || file.empty()) return;
  try {
    if (!FileExists(file)) RaiseMissing(file);
    LoadViewer(file, "");
    Viewer->SetViewPosition(position >= 0 ? position : SavedPosition);
    Viewer->SetBaseHrefDefault(MasterSet->BaseHref);
  } catch (const std::exception&) {
    ShowErrorPage();
  }
}

void TFrame::UnloadContent() {
  if (FrameSet) {
    for (TFrameBase* c : FrameSet->List) c->UnloadContent();
    return;
  }
  if (!Viewer) return;
  if (!Viewer->GetFileName().empty()) Source = Viewer->GetFileName();
  SavedPosition = Viewer->GetViewPosition();
  Viewer->Clear();
}

void TFrame::ComputeSizes(int left, int top, int height, int width) {
  SetBounds(left, top, width, height);
  if (FrameSet) FrameSet->ComputeSizes(0, 0, ClientHeight(), ClientWidth());
}

void TFrame::OpenLink(const std::string& file0, const std::string& dest) {
  std::string file = file0;
  if (file.empty()) {
    std::string own;
    SplitAnchor(Source, file, own);
    if (Viewer && !Viewer->GetFileName().empty()) file = Viewer->GetFileName();
  }
  if (!IsHtmlFile(file)) return;
  if (!FileExists(file)) RaiseMissing(file);
  if (FrameSet || IsFramesetDocument(file)) {
    FreeContent();
    Source = file + dest;
    LoadContent();
    if (FrameSet) FrameSet->ComputeSizes(0, 0, ClientHeight(), ClientWidth());
    if (Viewer) {
      SetBevelOuter(bvLowered);
      SetBevelInner(bvLowered);
      if (!dest.empty()) Viewer->GoToAnchor(dest);
    }
    return;
  }
  if (!Viewer) CreateViewer();
  THTMLViewer* v = Viewer;
  std::string oldFile = v->GetFileName(), oldTitle = v->GetTitle();
  int oldPos = v->GetViewPosition();
  if (!SameText(file, oldFile)) {
    v->LoadFromFile(file + dest);
    v->SetBaseHrefDefault(MasterSet->BaseHref);
  } else if (v->GoToAnchor(dest)) {
    v->AddHistoryEntry(oldFile, oldTitle, 0, oldPos);
  }
  if (MasterSet->SingleViewer() == v) {
    // A set of one page follows its page: name, title, base and history.
    MasterSet->FileName = v->GetFileName();
    MasterSet->Title = v->GetTitle();
    MasterSet->BaseHref = v->GetBaseHref();
    MasterSet->BaseTarget = v->GetDefaultTarget();
    MasterSet->FrameViewer->AddHistoryEntry(oldFile, oldTitle, oldPos);
  }
  Source = file;
}

// ---------------------------------------------------------------- TSubFrameSet
TSubFrameSet::TSubFrameSet(TComponent* owner, TFrameSet* master) : TFrameBase(owner, master) {}

void TSubFrameSet::Build(const TFrameSetSpec& spec) {
  OnRows = spec.OnRows;
  Entries = spec.Entries;
  for (const TFramePiece& p : spec.Pieces) {
    if (p.Set) {
      auto* s = new TSubFrameSet(this, MasterSet);
      s->SetParent(this);
      List.push_back(s);
      s->Build(*p.Set);
    } else {
      AddFrame(p);
    }
  }
  FinishFrames();
}

TFrame* TSubFrameSet::AddFrame(const TFramePiece& piece) {
  auto* f = new TFrame(this, MasterSet, piece);
  f->SetParent(this);
  List.push_back(f);
  if (!f->FrameName.empty()) MasterSet->AddFrameName(f->FrameName, f);
  return f;
}

int TSubFrameSet::PieceCount() const {
  int n = 0;
  for (TFrameBase* c : List) {
    ++n;
    if (auto* s = dynamic_cast<TSubFrameSet*>(c))
      n += s->PieceCount();
    else if (auto* f = dynamic_cast<TFrame*>(c); f && f->FrameSet)
      n += 1 + f->FrameSet->PieceCount();
  }
  return n;
}

void TSubFrameSet::ClearFrames() {
  std::vector<TFrameBase*> kids;
  kids.swap(List);
  for (auto it = kids.rbegin(); it != kids.rend(); ++it) (*it)->Free();
  Entries.clear();
  Sizes.clear();
  TotalSize = 0;
  OnRows = false;
  Fixed.clear();
  Borders.clear();
  BaseHref.clear();
  BaseTarget.clear();
  BorderIndex = -1;
}

void TSubFrameSet::FinishFrames() {
  // The frame document made a piece for every size it kept; children beyond the written
  // sizes take one share each.
  Entries.resize(List.size(), -1);
  Fixed.assign(List.size() + 1, false);
  Borders.assign(List.size() + 1, 0);
  Sizes.assign(List.size(), 0);
}

bool TSubFrameSet::ReadFrameDocument(const std::string& file, THtmlDocInfo& info) {
  TFrameDocument doc;
  {
    auto read = OnScopeExit([&] {
      info = doc.Info;
      if (doc.Started) MasterSet->FrameSetStarted = true;
    });
    // What the frame viewer shows already leaves that much less for this document.
    ReadFrameDocumentFile(file, doc, kMaxFramesInAll - MasterSet->PieceCount());
  }
  if (!doc.Found) {
    ClearFrames();
    return false;
  }
  Build(doc.Root);
  // Every set read from this document shares its base and its file.
  std::string docFile = ExpandFileName(file);
  std::function<void(TSubFrameSet*)> assign = [&](TSubFrameSet* s) {
    s->BaseHref = info.BaseHref;
    s->BaseTarget = info.BaseTarget;
    s->DocumentFile = docFile;
    for (TFrameBase* c : s->List)
      if (auto* sub = dynamic_cast<TSubFrameSet*>(c)) assign(sub);
  };
  assign(this);
  return true;
}

std::string TSubFrameSet::ExpandFrameSource(const std::string& src) const {
  std::string path;
  if (!SourcePath(src, BaseHref, path)) return path;
  std::string folder = SourceFolder(BaseHref, DocumentFile);
  // Without a base or a document, against the current folder: a frame keeps a whole name.
  return folder.empty() ? ExpandFileName(path) : folder + path;
}

bool TSubFrameSet::GetNoResize(bool& before, bool& after) {
  before = after = false;
  if (!List.empty()) {
    bool b = false, a = false;
    List.front()->GetNoResize(b, a);
    before = b;
    List.back()->GetNoResize(b, a);
    after = a;
  }
  return before || after;
}

void TSubFrameSet::CollectFixedBorders() {
  Fixed.assign(List.size() + 1, false);
  for (size_t i = 0; i < List.size(); ++i) {
    bool b = false, a = false;
    List[i]->GetNoResize(b, a);
    if (b) Fixed[i] = true;
    if (a) Fixed[i + 1] = true;
  }
}

void TSubFrameSet::LoadContent() {
  for (TFrameBase* c : std::vector<TFrameBase*>(List)) c->LoadContent();
  CollectFixedBorders();
}

void TSubFrameSet::ReloadContent(int) {
  for (TFrameBase* c : std::vector<TFrameBase*>(List)) c->ReloadContent(-1);
  CollectFixedBorders();
}

void TSubFrameSet::UnloadContent() {
  for (TFrameBase* c : List) c->UnloadContent();
}

void TSubFrameSet::ComputeSizes(int left, int top, int height, int width) {
  if (MasterSet != this) SetBounds(left, top, width, height);
  Sizes = ComputeFrameSizes(Entries, OnRows ? height : width);
  Sizes.resize(List.size(), 0);
  TotalSize = 0;
  Borders.assign(List.size() + 1, 0);
  for (size_t k = 0; k < List.size(); ++k) {
    if (OnRows)
      List[k]->ComputeSizes(0, TotalSize, Sizes[k], width);
    else
      List[k]->ComputeSizes(TotalSize, 0, height, Sizes[k]);
    TotalSize += Sizes[k];
    Borders[k + 1] = TotalSize;
  }
}

int TSubFrameSet::Extent() { return OnRows ? ClientHeight() : ClientWidth(); }

void TSubFrameSet::ArrangeChildren() {
  if (List.empty() || Sizes.size() != List.size()) return;
  int w = ClientWidth(), h = ClientHeight();
  std::vector<int> placed = ScaleFrameSizes(Sizes, OnRows ? h : w);
  Borders.assign(List.size() + 1, 0);
  int at = 0;
  for (size_t k = 0; k < List.size(); ++k) {
    if (OnRows)
      List[k]->SetBounds(0, at, w, placed[k]);
    else
      List[k]->SetBounds(at, 0, placed[k], h);
    at += placed[k];
    Borders[k + 1] = at;
  }
}

void TSubFrameSet::Resize() {
  TFrameBase::Resize();
  ArrangeChildren();
}

TSubFrameSet* TSubFrameSet::ParentSubSet() const {
  if (auto* f = dynamic_cast<TFrame*>(Parent())) return f->ParentSet;
  return dynamic_cast<TSubFrameSet*>(Parent());
}

bool TSubFrameSet::NearOutside(int x, int y) const { return x < 3 || y < 3 || x >= Width() - 3 || y >= Height() - 3; }

void TSubFrameSet::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TFrameBase::MouseDown(b, s, x, y);
  MouseDownOnBorder(b, s, x, y);
}

void TSubFrameSet::MouseMove(TShiftState s, int x, int y) {
  TFrameBase::MouseMove(s, x, y);
  MouseMoveOnBorder(s, x, y);
  SetCursor(MasterSet->HoverCursor);
}

void TSubFrameSet::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  TFrameBase::MouseUp(b, s, x, y);
  MouseUpOnBorder(b, s, x, y);
}

// The two-pixel line across the set at the drag position, drawn and erased alike.
void TSubFrameSet::DrawDragLine() {
  TWindowDC dc(nullptr);
  ::DrawFocusRect(dc, &DragRect);
}

void TSubFrameSet::MoveDragLine(int pos) {
  POINT a = ClientToScreen(POINT{0, 0});
  RECT r = OnRows ? RECT{a.x, a.y + pos - 1, a.x + Width(), a.y + pos + 1}
                  : RECT{a.x + pos - 1, a.y, a.x + pos + 1, a.y + Height()};
  if (EqualRect(&r, &DragRect)) return;
  if (!IsRectEmpty(&DragRect)) DrawDragLine();  // the old line away
  DragRect = r;
  DrawDragLine();
}

void TSubFrameSet::MouseMoveOnBorder(TShiftState s, int x, int y) {
  TSubFrameSet* dragged = MasterSet->DraggedSet;
  if (dragged && dragged != this) {
    POINT p = dragged->ScreenToClient(ClientToScreen(POINT{x, y}));
    dragged->MouseMoveOnBorder(s, p.x, p.y);
    return;
  }
  int count = static_cast<int>(List.size());
  if (dragged) {
    int pos = std::clamp(OnRows ? y : x, Borders[BorderIndex - 1] + 1, Borders[BorderIndex + 1] - 1);
    MoveDragLine(pos);
    return;
  }
  TCursor viewerCursor = MasterSet->FrameViewer->Cursor();
  if (NearOutside(x, y)) {
    if (TSubFrameSet* parent = ParentSubSet()) {
      POINT p = parent->ScreenToClient(ClientToScreen(POINT{x, y}));
      parent->MouseMoveOnBorder(s, p.x, p.y);
      return;
    }
    if (MasterSet == this) {
      BorderIndex = -1;
      MasterSet->HoverCursor = viewerCursor;
      return;
    }
  }
  int pos = OnRows ? y : x;
  int best = -1, dist = 0;
  for (int i = 1; i < count && i < static_cast<int>(Borders.size()); ++i) {
    int d = std::abs(pos - Borders[i]);
    if (best < 0 || d < dist || (d == dist && pos >= Borders[i])) {
      best = i;
      dist = d;
    }
  }
  BorderIndex = best;
  bool split = best > 0 && dist <= 4 && !(best < static_cast<int>(Fixed.size()) && Fixed[best]);
  MasterSet->HoverCursor = split ? (OnRows ? crVSplit : crHSplit) : viewerCursor;
}

void TSubFrameSet::MouseDownOnBorder(TMouseButton b, TShiftState s, int x, int y) {
  if (b != mbLeft || MasterSet->DraggedSet) return;
  if (NearOutside(x, y) && ParentSubSet()) {
    TSubFrameSet* parent = ParentSubSet();
    POINT p = parent->ScreenToClient(ClientToScreen(POINT{x, y}));
    parent->MouseDownOnBorder(b, s, p.x, p.y);
    return;
  }
  MouseMoveOnBorder(s, x, y);
  if (MasterSet->HoverCursor != crVSplit && MasterSet->HoverCursor != crHSplit) return;
  if (MasterSet->DraggedSet || BorderIndex < 1 || BorderIndex + 1 >= static_cast<int>(Borders.size())) return;
  MasterSet->DraggedSet = this;
  // The pointer stays one pixel inside the neighbouring borders.
  int lo = Borders[BorderIndex - 1] + 1, hi = Borders[BorderIndex + 1] - 1;
  POINT a = ClientToScreen(POINT{0, 0});
  RECT band =
      OnRows ? RECT{a.x, a.y + lo, a.x + Width(), a.y + hi + 1} : RECT{a.x + lo, a.y, a.x + hi + 1, a.y + Height()};
  ClipCursor(&band);
  DragRect = RECT{0, 0, 0, 0};
  MoveDragLine(std::clamp(OnRows ? y : x, lo, hi));
}

void TSubFrameSet::MouseUpOnBorder(TMouseButton b, TShiftState s, int x, int y) {
  TSubFrameSet* dragged = MasterSet->DraggedSet;
  if (!dragged || b != mbLeft) return;
  if (dragged != this) {
    POINT p = dragged->ScreenToClient(ClientToScreen(POINT{x, y}));
    dragged->MouseUpOnBorder(b, s, p.x, p.y);
    return;
  }
  MasterSet->DraggedSet = nullptr;
  if (!IsRectEmpty(&DragRect)) DrawDragLine();
  DragRect = RECT{0, 0, 0, 0};
  ClipCursor(nullptr);
  int pos = std::clamp(OnRows ? y : x, Borders[BorderIndex - 1] + 1, Borders[BorderIndex + 1] - 1);
  Borders[BorderIndex] = pos;
  int full = Extent();
  for (size_t k = 0; k < List.size(); ++k)
    Sizes[k] = std::max(0, MulDivOr(Borders[k + 1] - Borders[k], TotalSize, full, 0));
  ArrangeChildren();
  Invalidate();
}

void TSubFrameSet::OpenLink(const std::string& file, const std::string& dest) {
  ClearFrames();
  auto* f = new TFrame(this, MasterSet, TFramePiece());
  f->SetParent(this);
  f->Source = file + dest;
  List.push_back(f);
  FinishFrames();
  f->LoadContent();
  CollectFixedBorders();
  ComputeSizes(Left(), Top(), Height(), Width());
  if (f->Viewer && !dest.empty()) f->Viewer->GoToAnchor(dest);
}

// ---------------------------------------------------------------- TFrameSet
TFrameSet::TFrameSet(TFrameViewer* viewer) : TSubFrameSet(viewer, this), FrameViewer(viewer) {
  FrameNames.SetSorted(true);
  FrameNames.SetDuplicates(dupIgnore);
  HoverCursor = viewer->Cursor();
}

void TFrameSet::ClearFrames() {
  TSubFrameSet::ClearFrames();
  FrameNames.Clear();
  Viewers.clear();
  DraggedSet = nullptr;
  Title.clear();
  FileName.clear();
  LastWidth = LastHeight = -1;
  FocusedViewer = nullptr;
}

void TFrameSet::AddFrameName(const std::string& name, TFrame* f) {
  FrameNames.AddObject(HtUpperCase(name), f);
  f->FreeNotification(this);
}

TFrame* TFrameSet::FindFrame(const std::string& name) const {
  int i = 0;
  if (name.empty() || !FrameNames.Find(HtUpperCase(name), i)) return nullptr;
  return static_cast<TFrame*>(FrameNames.Objects(i));
}

void TFrameSet::AddViewer(THTMLViewer* v) {
  Viewers.push_back(v);
  v->FreeNotification(this);
}

void TFrameSet::ViewerEntered(THTMLViewer* v) { FocusedViewer = v; }

THTMLViewer* TFrameSet::GetCurrentViewer() {
  if (THTMLViewer* v = SingleViewer()) return v;
  return FocusedViewer;
}

// Frames and viewers freed anywhere in the tree leave the master's lists with them.
void TFrameSet::Notification(TComponent* c, TOperation op) {
  TSubFrameSet::Notification(c, op);
  if (op != opRemove) return;
  Viewers.erase(std::remove(Viewers.begin(), Viewers.end(), c), Viewers.end());
  if (FocusedViewer == c) FocusedViewer = nullptr;
  if (DraggedSet == c) DraggedSet = nullptr;
  for (int i = FrameNames.Count() - 1; i >= 0; --i)
    if (FrameNames.Objects(i) == c) FrameNames.Delete(i);
}

void TFrameSet::LoadFromFile(const std::string& file, const std::string& dest) {
  if (!FileExists(file)) RaiseMissing(file);
  ClearFrames();
  NestLevel = 0;
  FrameSetStarted = false;
  THtmlDocInfo info;
  bool frames = false;
  if (!IsPictureFile(file) && !IsTextFile(file)) {
    try {
      frames = ReadFrameDocument(file, info);
    } catch (const EParseError&) {
      // A frame document that cannot be read fails the load; a page whose head cannot be
      // read is still shown as well as its viewer can.
      if (FrameSetStarted) throw;
      ClearFrames();
    }
  }
  FileName = ExpandFileName(file);
  if (frames) {
    Title = info.Title;
    for (TFrameBase* c : std::vector<TFrameBase*>(List)) c->LoadContent();
    CollectFixedBorders();
  } else {
    auto* f = new TFrame(this, this, TFramePiece());
    f->SetParent(this);
    f->Source = file + dest;
    List.push_back(f);
    FinishFrames();
    f->LoadContent();
    if (THTMLViewer* v = SingleViewer()) {
      Title = v->GetTitle();
      BaseHref = v->GetBaseHref();
      BaseTarget = v->GetDefaultTarget();
    }
  }
  LastWidth = ClientWidth();
  LastHeight = ClientHeight();
  ComputeSizes(0, 0, LastHeight, LastWidth);
}

void TFrameSet::CheckSize() {
  int w = ClientWidth(), h = ClientHeight();
  if (w == LastWidth && h == LastHeight) return;
  LastWidth = w;
  LastHeight = h;
  if (!List.empty()) ComputeSizes(0, 0, h, w);
}

void TFrameSet::Resize() {
  TFrameBase::Resize();
  CheckSize();
}

// ---------------------------------------------------------------- TFrameViewer
TFrameViewer::TFrameViewer(TComponent* owner) : TWinControl(owner) {
  SetBounds(Left(), Top(), 150, 150);
  SetCursor(crIBeam);
  SetTabStop(false);
  popup_ = new TPopupMenu(this);
  fwdItem_ = new TMenuItem(this);
  fwdItem_->SetCaption("Forward in Frame");
  fwdItem_->OnClick = [this](TObject*) { FwdBackInFrame(-1); };
  popup_->Items()->Add(fwdItem_);
  backItem_ = new TMenuItem(this);
  backItem_->SetCaption("Back in Frame");
  backItem_->OnClick = [this](TObject*) { FwdBackInFrame(1); };
  popup_->Items()->Add(backItem_);
  popup_->OnPopup = [this](TObject* s) { FramePopupPopup(s); };
  // An empty set to start with: the first page loaded replaces it like any other.
  current_ = new TFrameSet(this);
  current_->SetAlign(alClient);
  current_->SetParent(this);
}

TFrameViewer::~TFrameViewer() = default;

void TFrameViewer::BeforeDestruction() {
  // The sets go first, while the lists that watch them are whole.
  history_.clear();
  current_ = nullptr;
  dead_.clear();
  TWinControl::BeforeDestruction();
}

void TFrameViewer::Notification(TComponent* c, TOperation op) {
  TWinControl::Notification(c, op);
  if (op != opRemove) return;
  if (std::find(busy_.begin(), busy_.end(), c) != busy_.end()) {
    busy_.erase(std::remove(busy_.begin(), busy_.end(), c), busy_.end());
    if (!Destroying()) ChangeProcessingState();
  }
  for (auto& p : pending_)
    if (p.Viewer == c) p.Viewer = nullptr;
  if (popupViewer_ == c) popupViewer_ = nullptr;
  if (current_ == c) current_ = nullptr;
  for (auto& e : history_)
    if (e.Set == c) e.Set = nullptr;
  dead_.erase(std::remove(dead_.begin(), dead_.end(), c), dead_.end());
}

void TFrameViewer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_FRAMEVIEWER_FOLLOW: FollowPendingLinks(); return;
    case WM_FRAMEVIEWER_FREE: {
      std::vector<TFrameSet*> dead;
      dead.swap(dead_);
      for (TFrameSet* s : dead) s->Free();
      return;
    }
    case CM_CURSORCHANGED: ForEachViewer([this](THTMLViewer* v) { v->SetCursor(Cursor()); }); break;
    default: break;
  }
  TWinControl::WndProc(m);
}

const std::string& TFrameViewer::GetTitle() const {
  static const std::string none;
  return current_ ? current_->Title : none;
}

const std::string& TFrameViewer::GetFileName() const {
  static const std::string none;
  return current_ ? current_->FileName : none;
}

THTMLViewer* TFrameViewer::GetCurrentViewer() { return current_ ? current_->GetCurrentViewer() : nullptr; }

void TFrameViewer::Print(int FromPage, int ToPage) {
  if (THTMLViewer* v = GetCurrentViewer()) v->Print(FromPage, ToPage);
}

int TFrameViewer::SelLength() {
  THTMLViewer* v = GetCurrentViewer();
  return v ? v->GetSelLength() : 0;
}

const std::string& TFrameViewer::History(int i) const { return history_.at(static_cast<size_t>(i)).File; }
const std::string& TFrameViewer::HistoryTitle(int i) const { return history_.at(static_cast<size_t>(i)).Title; }

void TFrameViewer::ChangeProcessingState() {
  bool now = Processing();
  if (now == reported_) return;
  reported_ = now;
  if (OnProcessing) OnProcessing(this, now);
}

void TFrameViewer::ViewerBusyChanged(THTMLViewer* v, bool on) {
  auto it = std::find(busy_.begin(), busy_.end(), v);
  if (on && it == busy_.end()) {
    busy_.push_back(v);
    v->FreeNotification(this);
  } else if (!on && it != busy_.end()) {
    busy_.erase(it);
  }
  ChangeProcessingState();
}

void TFrameViewer::LoadFromFile(const std::string& name) {
  if (Processing()) return;
  DoLoadFromFile(name);
}

void TFrameViewer::DoLoadFromFile(const std::string& name) {
  std::string file, dest;
  SplitAnchor(name, file, dest);
  if (!FileExists(file)) RaiseMissing(file);
  TProcessingScope busy(this);
  busy_.clear();
  auto* set = new TFrameSet(this);
  set->SetAlign(alClient);
  set->SetParent(this);
  {
    // The old content stays; a set that fails goes, once nothing runs inside it.
    auto failed = OnScopeExit([&] { FreeSetLater(set); });
    set->LoadFromFile(file, dest);
    failed.Dismiss();
  }
  TFrameSet* old = current_;
  current_ = set;
  set->BringToFront();
  if (old) {
    int pos = 0;
    if (THTMLViewer* v = old->SingleViewer()) pos = v->GetViewPosition();
    old->UnloadContent();
    old->SetVisible(false);
    AddHistoryEntry(old, pos);
  }
}

// Sets leave the screen at once and are freed from a posted message: the load that
// drops a set may run inside one of its viewers' own handlers.
void TFrameViewer::FreeSetLater(TFrameSet* s) {
  if (!s) return;
  s->SetVisible(false);
  if (std::find(dead_.begin(), dead_.end(), s) == dead_.end()) dead_.push_back(s);
  if (HandleAllocated()) PostMessageA(Handle(), WM_FRAMEVIEWER_FREE, 0, 0);
}

bool TFrameViewer::HeldByHistory(const TFrameSet* s) const {
  for (auto& e : history_)
    if (e.Set == s) return true;
  return false;
}

void TFrameViewer::FreeSetUnlessHeld(TFrameSet* s) {
  if (s && s != current_ && !HeldByHistory(s)) FreeSetLater(s);
}

void TFrameViewer::AddHistoryEntry(TFrameSet* oldSet, int position) {
  if (historyMax_ <= 0 || !current_ || current_->FileName.empty()) {
    FreeSetUnlessHeld(oldSet);
    return;
  }
  THistoryEntry left{oldSet->FileName, oldSet, oldSet->Title, position};
  if (history_.empty()) FreeSetUnlessHeld(oldSet);
  RecordLeft(history_.empty() ? nullptr : &left);
}

// A page left inside a set of one viewer: the set stays, the entry records the page.
void TFrameViewer::AddHistoryEntry(const std::string& file, const std::string& title, int position) {
  if (historyMax_ <= 0 || !current_ || current_->FileName.empty() || file.empty()) return;
  THistoryEntry left{file, current_, title, position};
  RecordLeft(&left);
}

// The entry at the index becomes what was left (when given), newer entries go, and the
// current set is inserted as the newest; sets no entry holds any more are freed.
void TFrameViewer::RecordLeft(const THistoryEntry* left) {
  std::vector<TFrameSet*> dropped;
  if (left && !history_.empty()) {
    THistoryEntry& e = history_[std::min<size_t>(historyIndex_, history_.size() - 1)];
    dropped.push_back(e.Set);
    e = *left;
  }
  size_t newer = std::min<size_t>(historyIndex_, history_.size());
  for (size_t k = 0; k < newer; ++k) dropped.push_back(history_[k].Set);
  history_.erase(history_.begin(), history_.begin() + static_cast<std::ptrdiff_t>(newer));
  historyIndex_ = 0;
  history_.insert(history_.begin(), THistoryEntry{current_->FileName, current_, current_->Title, 0});
  while (static_cast<int>(history_.size()) > historyMax_) {
    dropped.push_back(history_.back().Set);
    history_.pop_back();
  }
  for (TFrameSet* s : dropped) FreeSetUnlessHeld(s);
  if (OnHistoryChange) OnHistoryChange(this);
}

void TFrameViewer::GoToHistoryEntry(int i) {
  if (i == historyIndex_ || i < 0 || i >= HistoryCount() || Processing() || !current_) return;
  TProcessingScope busy(this);
  if (!current_->FileName.empty() && historyIndex_ < HistoryCount()) {
    THistoryEntry& e = history_[historyIndex_];
    e.Title = current_->Title;
    if (!current_->Viewers.empty()) e.Position = current_->Viewers[0]->GetViewPosition();
  }
  THistoryEntry& target = history_[i];
  TFrameSet* set = target.Set;
  if (!set) return;
  if (set == current_) {
    // The same set of one page: the page of the entry, at its place.
    if (THTMLViewer* v = current_->SingleViewer()) {
      if (!SameText(v->GetFileName(), target.File)) {
        if (!FileExists(target.File)) RaiseMissing(target.File);
        v->LoadFromFile(target.File);
        current_->FileName = v->GetFileName();
        current_->Title = v->GetTitle();
      }
      v->SetViewPosition(target.Position);
    } else if (!current_->Viewers.empty()) {
      current_->Viewers[0]->SetViewPosition(target.Position);
    }
  } else {
    TFrameSet* old = current_;
    set->SetVisible(true);
    set->BringToFront();
    current_ = set;
    set->LastWidth = set->LastHeight = -1;
    set->CheckSize();
    for (TFrameBase* c : std::vector<TFrameBase*>(set->List)) c->ReloadContent(-1);
    set->CollectFixedBorders();
    if (THTMLViewer* v = set->SingleViewer()) v->SetViewPosition(target.Position);
    old->UnloadContent();
    old->SetVisible(false);
    FreeSetUnlessHeld(old);
  }
  historyIndex_ = i;
  if (OnHistoryChange) OnHistoryChange(this);
}

void TFrameViewer::ResetHistory() {
  bool had = !history_.empty();
  std::vector<TFrameSet*> sets;
  for (auto& e : history_) sets.push_back(e.Set);
  history_.clear();
  historyIndex_ = 0;
  for (TFrameSet* s : sets) FreeSetUnlessHeld(s);
  if (had && OnHistoryChange) OnHistoryChange(this);
}

void TFrameViewer::SetHistoryMaxCount(int n) {
  if (n < 0 || n == historyMax_) return;
  historyMax_ = n;
  ResetHistory();
  ForEachViewer([n](THTMLViewer* v) {
    v->ResetHistory();
    v->SetHistoryMaxCount(n);
  });
}

void TFrameViewer::ForEachViewer(const std::function<void(THTMLViewer*)>& f) {
  std::vector<TFrameSet*> sets;
  if (current_) sets.push_back(current_);
  for (auto& e : history_)
    if (e.Set && std::find(sets.begin(), sets.end(), e.Set) == sets.end()) sets.push_back(e.Set);
  for (TFrameSet* s : sets)
    for (THTMLViewer* v : std::vector<THTMLViewer*>(s->Viewers)) f(v);
}

void TFrameViewer::SetupViewer(THTMLViewer* v) {
  v->SetViewImages(viewImages_);
  v->SetNoSelect(noSelect_);
  v->SetDefBackground(defBackground_);
  v->SetDefFontColor(defFontColor_);
  v->SetDefHotSpotColor(defHotSpotColor_);
  v->SetDefFontSize(defFontSize_);
  v->SetDefFontName(defFontName_);
  v->SetDefPreFontName(defPreFontName_);
  v->SetOnFormSubmit(onFormSubmit_);
  v->SetOnBitmapRequest(onBitmapRequest_);
  v->OnMouseDown = OnMouseDown;
  v->OnMouseMove = OnMouseMove;
  v->OnMouseUp = OnMouseUp;
  v->OnKeyDown = OnKeyDown;
  v->OnKeyUp = OnKeyUp;
  v->OnKeyPress = OnKeyPress;
  v->SetCursor(Cursor());
  v->SetHistoryMaxCount(historyMax_);
  v->SetPopupMenu(PopupMenu() ? PopupMenu() : popup_);
}

// ---------------------------------------------------------------- links
TFrame* TFrameViewer::FrameOfViewer(THTMLViewer* v) const { return v ? dynamic_cast<TFrame*>(v->Parent()) : nullptr; }

// The first value that the sets around a viewer's frame give, the innermost first.
static std::string FromEnclosingSets(TFrame* f, std::string TSubFrameSet::*value) {
  for (TSubFrameSet* s = f ? f->ParentSet : nullptr; s; s = s->ParentSubSet())
    if (!(s->*value).empty()) return s->*value;
  return std::string();
}

std::string TFrameViewer::EffectiveTarget(THTMLViewer* v, const std::string& linkTarget) {
  if (!linkTarget.empty()) return linkTarget;
  if (v && !v->GetDefaultTarget().empty()) return v->GetDefaultTarget();
  return FromEnclosingSets(FrameOfViewer(v), &TSubFrameSet::BaseTarget);
}

std::string TFrameViewer::EffectiveBase(THTMLViewer* v) {
  if (v && !v->GetBaseHref().empty()) return v->GetBaseHref();
  return FromEnclosingSets(FrameOfViewer(v), &TSubFrameSet::BaseHref);
}

std::string TFrameViewer::ExpandSourceName(const std::string& name) {
  return ExpandSourceAgainst(name, EffectiveBase(GetCurrentViewer()), GetFileName());
}

void TFrameViewer::ChildLinkCovered(TObject* Sender, const std::string& URL) {
  auto* v = dynamic_cast<THTMLViewer*>(Sender);
  if (OnHotSpotTargetCovered) OnHotSpotTargetCovered(Sender, v ? v->GetLinkTarget() : std::string(), URL);
}

void TFrameViewer::ChildLinkClick(TObject* Sender, const std::string& URL, bool& Handled) {
  auto* v = dynamic_cast<THTMLViewer*>(Sender);
  linkURL_ = URL;
  linkTarget_ = EffectiveTarget(v, v ? v->GetLinkTarget() : std::string());
  if (OnHotSpotTargetClick) {
    bool handled = false;
    OnHotSpotTargetClick(this, linkTarget_, URL, handled);
    if (handled) {
      Handled = true;
      return;
    }
  }
  Handled = true;
  // Nothing is followed while a load runs: the set being built must not change under it.
  if (Processing() || !v) return;
  pending_.push_back(TPendingLink{v, URL, linkTarget_});
  if (HandleAllocated()) PostMessageA(Handle(), WM_FRAMEVIEWER_FOLLOW, 0, 0);
}

void TFrameViewer::FollowPendingLinks() {
  while (!pending_.empty()) {
    TPendingLink p = pending_.front();
    pending_.erase(pending_.begin());
    if (!p.Viewer || !current_ || Processing()) continue;
    if (std::find(current_->Viewers.begin(), current_->Viewers.end(), p.Viewer) == current_->Viewers.end()) continue;
    FollowLink(p.Viewer, p.URL, p.Target);
  }
}

void TFrameViewer::FollowLink(THTMLViewer* v, const std::string& url, const std::string& target) {
  TFrame* frame = FrameOfViewer(v);
  if (!frame) return;
  TFrame* destFrame = nullptr;
  TSubFrameSet* destSet = nullptr;
  std::string t = HtUpperCase(target);
  if (t.empty() || t == "_SELF") {
    destFrame = frame;
  } else if (TFrame* named = current_->FindFrame(target)) {
    destFrame = named;
  } else if (t == "_TOP") {
    destSet = current_;
  } else if (t == "_PARENT") {
    destSet = frame->ParentSet;
  } else {
    if (OnBlankWindowRequest) OnBlankWindowRequest(this, target, url);
    return;
  }
  std::string part, dest;
  SplitAnchor(url, part, dest);
  std::string file = Trim(part).empty() ? std::string() : v->ExpandSourceName(part);
  // The same kinds of file as a single viewer follows: never an archive or a program.
  if (!file.empty() && !IsFollowedFile(file)) return;
  TProcessingScope busy(this);
  if (destFrame && current_->SingleViewer() && !file.empty() && !SameText(ExpandFileName(file), current_->FileName))
    destSet = current_;
  if (destSet && destSet != current_) {
    destSet->OpenLink(file.empty() ? std::string(current_->FileName) : file, dest);
  } else if (destSet) {
    DoLoadFromFile((file.empty() ? current_->FileName : file) + dest);
  } else {
    destFrame->OpenLink(file, dest);
  }
}

// ---------------------------------------------------------------- popup
void TFrameViewer::FramePopupPopup(TObject*) {
  popupViewer_ = dynamic_cast<THTMLViewer*>(popup_->PopupComponent());
  if (!popupViewer_)
    if (auto* c = dynamic_cast<TControl*>(popup_->PopupComponent()))
      popupViewer_ = dynamic_cast<THTMLViewer*>(c->Parent());
  if (current_ && current_->SingleViewer()) {
    fwdItem_->SetEnabled(historyIndex_ > 0);
    backItem_->SetEnabled(historyIndex_ < HistoryCount() - 1);
  } else if (popupViewer_) {
    fwdItem_->SetEnabled(popupViewer_->HistoryIndex() > 0);
    backItem_->SetEnabled(popupViewer_->HistoryIndex() < popupViewer_->HistoryCount() - 1);
  } else {
    fwdItem_->SetEnabled(false);
    backItem_->SetEnabled(false);
  }
}

void TFrameViewer::FwdBackInFrame(int delta) {
  if (current_ && current_->SingleViewer()) {
    GoToHistoryEntry(historyIndex_ + delta);
  } else if (popupViewer_ && current_ &&
             std::find(current_->Viewers.begin(), current_->Viewers.end(), popupViewer_) != current_->Viewers.end()) {
    popupViewer_->GoToHistoryEntry(popupViewer_->HistoryIndex() + delta);
  }
}

// ---------------------------------------------------------------- property writers
void TFrameViewer::SetViewImages(bool v) {
  bool wish = v && !Processing();
  if (wish == viewImages_) return;
  viewImages_ = wish;
  ForEachViewer([wish](THTMLViewer* x) { x->SetViewImages(wish); });
}

void TFrameViewer::SetNoSelect(bool v) {
  if (v == noSelect_) return;
  noSelect_ = v;
  ForEachViewer([v](THTMLViewer* x) { x->SetNoSelect(v); });
}

void TFrameViewer::SetDefBackground(TColor c) {
  if (c == defBackground_) return;
  defBackground_ = c;
  ForEachViewer([c](THTMLViewer* x) { x->SetDefBackground(c); });
}

void TFrameViewer::SetDefFontName(const std::string& n) {
  if (n == defFontName_) return;
  defFontName_ = n;
  ForEachViewer([&n](THTMLViewer* x) { x->SetDefFontName(n); });
}

void TFrameViewer::SetDefPreFontName(const std::string& n) {
  if (n == defPreFontName_) return;
  defPreFontName_ = n;
  ForEachViewer([&n](THTMLViewer* x) { x->SetDefPreFontName(n); });
}

void TFrameViewer::SetDefFontSize(int s) {
  if (s == defFontSize_) return;
  defFontSize_ = s;
  ForEachViewer([s](THTMLViewer* x) { x->SetDefFontSize(s); });
}

void TFrameViewer::SetDefFontColor(TColor c) {
  if (c == defFontColor_) return;
  defFontColor_ = c;
  ForEachViewer([c](THTMLViewer* x) { x->SetDefFontColor(c); });
}

void TFrameViewer::SetDefHotSpotColor(TColor c) {
  if (c == defHotSpotColor_) return;
  defHotSpotColor_ = c;
  ForEachViewer([c](THTMLViewer* x) { x->SetDefHotSpotColor(c); });
}

void TFrameViewer::SetOnFormSubmit(TFormSubmitEvent e) {
  onFormSubmit_ = std::move(e);
  ForEachViewer([this](THTMLViewer* x) { x->SetOnFormSubmit(onFormSubmit_); });
}

void TFrameViewer::SetOnBitmapRequest(TGetBitmapEvent e) {
  onBitmapRequest_ = std::move(e);
  ForEachViewer([this](THTMLViewer* x) { x->SetOnBitmapRequest(onBitmapRequest_); });
}

}  // namespace vx
