// Flow edges, the simple sections, cells and the section list.
#include <algorithm>

#include "framework/core/Scoped.h"
#include "viewer/HTMLAttribs.h"
#include "viewer/HTMLSubs.h"

namespace vx {

// ---------------------------------------------------------------- IndentManager
void IndentManager::Clear() {
  L.clear();
  R.clear();
  doneL_.clear();
  doneR_.clear();
  pruned_ = false;
  prunedAt_ = doneBottomL_ = doneBottomR_ = 0;
}

void IndentManager::Prune(int y) {
  if (pruned_ && y <= prunedAt_) return;
  auto move = [y](std::vector<IndentRec>& from, std::vector<IndentRec>& to, int& bottom) {
    size_t keep = 0;
    for (size_t i = 0; i < from.size(); ++i) {
      if (from[i].YB < y) {
        // Only closed lists and floats end above a line: both count as floats (level 0).
        bottom = std::max(bottom, from[i].YB);
        to.push_back(from[i]);
      } else {
        from[keep++] = from[i];
      }
    }
    from.resize(keep);
  };
  move(L, doneL_, doneBottomL_);
  move(R, doneR_, doneBottomR_);
  pruned_ = true;
  prunedAt_ = y;
}

int IndentManager::LeftIndent(int y) const {
  int x = 0;
  for (auto& r : L)
    if (r.YT <= y && y <= r.YB) x = std::max(x, r.X);
  if (pruned_ && y < prunedAt_)
    for (auto& r : doneL_)
      if (r.YT <= y && y <= r.YB) x = std::max(x, r.X);
  return LfEdge + x;
}

int IndentManager::RightSide(int y) const {
  int x = 0;
  for (auto& r : R)
    if (r.YT <= y && y <= r.YB) x = std::min(x, r.X);
  if (pruned_ && y < prunedAt_)
    for (auto& r : doneR_)
      if (r.YT <= y && y <= r.YB) x = std::min(x, r.X);
  return RtEdge + x;
}

void IndentManager::AddFloat(int y, TImageObj& img) {
  if (img.Align == iaLeft) {
    int li = LeftIndent(y);
    img.FloatX = li - LfEdge;
    L.push_back({li + img.BoxWidth - LfEdge + 5, y, y + img.BoxHeight, 0});
  } else if (img.Align == iaRight) {
    IndentRec r{RightSide(y) - (RtEdge + img.BoxWidth + 5), y, y + img.BoxHeight, 0};
    R.push_back(r);
    img.FloatX = r.X + RtEdge + 5;
  }
}

// The largest bottom among the level-0 records, pruned ones included; any: there is one.
static int SideBottom(const std::vector<IndentRec>& v, bool pruned, int prunedBottom, bool& any) {
  int b = pruned ? prunedBottom : 0;
  any = pruned;
  for (auto& r : v)
    if (r.Lev == 0) {
      b = std::max(b, r.YB);
      any = true;
    }
  return b;
}

int IndentManager::FloatBottom() const {
  bool any = false;
  return std::max(SideBottom(L, !doneL_.empty(), doneBottomL_, any), SideBottom(R, !doneR_.empty(), doneBottomR_, any));
}

int IndentManager::LeftFloatBottom() const {
  bool any = false;
  int b = SideBottom(L, !doneL_.empty(), doneBottomL_, any);
  return any ? b + 1 : 0;
}

int IndentManager::RightFloatBottom() const {
  bool any = false;
  int b = SideBottom(R, !doneR_.empty(), doneBottomR_, any);
  return any ? b + 1 : 0;
}

// Used for list items, whose level's record is open and so never pruned; pruned records
// end above the item and could not reach below its top.
int IndentManager::BottomBesideList() const {
  int x = 0;
  for (auto& r : L)
    if (r.Lev == CurrentLevel) {
      x = r.X;
      break;
    }
  int b = 0;
  bool any = false;
  for (auto& r : L)
    if (r.X > x) {
      b = std::max(b, r.YB);
      any = true;
    }
  return any ? b + 1 : 0;
}

void IndentManager::SetListLevel(int y, int level) {
  Prune(y);
  if (level > CurrentLevel) {
    for (int d = CurrentLevel + 1; d <= level; ++d) L.push_back({LeftIndent(y) - LfEdge + 35, y, 9999999, d});
  } else if (level < CurrentLevel && CurrentLevel > 0) {
    for (auto& r : L)
      if (r.Lev > level) {
        r.Lev = 0;
        r.YB = y - 1;
      }
  }
  CurrentLevel = level;
}

int IndentManager::ClearSpace(int y, int mode) const {
  int l = std::max(0, LeftFloatBottom() - y), r = std::max(0, RightFloatBottom() - y);
  switch (mode) {
    case 1: return l;
    case 2: return r;
    case 3: return std::max(l, r);
    default: return 0;
  }
}

// ---------------------------------------------------------------- TSectionBase
int TSectionBase::LayOut(TViewCanvas&, int y, int& counter, int& widest, IndentManager& im) {
  YValue = y;
  StartCurs = counter;
  DrawHeight = SectionHeight;
  widest = im.Width;
  return SectionHeight;
}

int TSectionBase::Paint(TViewCanvas&, const THtRect&, int y, int, IndentManager&) {
  YValue = y;
  return y + SectionHeight;
}

std::unique_ptr<TSectionBase> TPage::CreateClone(TSectionList* list) const {
  return std::make_unique<TPage>(*this, list);
}

int TPage::Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) {
  YValue = y;
  if (List->Printing && y > clip.Top + 5 && y < clip.Bottom && y < List->PageBottom) List->PageBottom = y;
  return y + SectionHeight;
}

std::unique_ptr<TSectionBase> TParagraphSpace::CreateClone(TSectionList* list) const {
  return std::make_unique<TParagraphSpace>(*this, list);
}
void TParagraphSpace::UpdateSizes() { SectionHeight = MulDiv(14, List->FontSize, 12); }
void TParagraphSpace::CopySelection() {
  if (List->CB) List->CB->AddNewLine();
}

std::unique_ptr<TSectionBase> THeadingSpace::CreateClone(TSectionList* list) const {
  auto p = std::make_unique<THeadingSpace>(list, HeadingLevel);
  p->SectionHeight = SectionHeight;
  return p;
}
void THeadingSpace::UpdateSizes() {
  static const int n[] = {16, 12, 10, 8, 6, 4};
  int v = HeadingLevel >= 1 && HeadingLevel <= 6 ? n[HeadingLevel - 1] : 8;
  SectionHeight = MulDiv(v, List->FontSize, 12);
}
void THeadingSpace::CopySelection() {
  if (List->CB) List->CB->AddNewLine();
}

THorzLine::THorzLine(TSectionList* list, int size, int width, bool percent) : TSectionBase(list) {
  Thickness = size >= 1 && size <= 20 ? size : 2;
  if (width > 0) {
    if (percent) {
      if (width <= 100) {
        Width = width;
        IsPercent = true;
      }
    } else {
      Width = width;
    }
  }
}

std::unique_ptr<TSectionBase> THorzLine::CreateClone(TSectionList* list) const {
  auto p = std::make_unique<THorzLine>(list, Thickness, 0, false);
  p->Width = Width;
  p->IsPercent = IsPercent;
  p->SectionHeight = SectionHeight;
  return p;
}

void THorzLine::UpdateSizes() { SectionHeight = MulDiv(20, List->FontSize, 12) + Thickness - 2; }

int THorzLine::Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) {
  YValue = y;
  int sy = y - List->ScrollOffset;
  if (sy >= clip.Bottom || sy + SectionHeight < clip.Top) return y + SectionHeight;
  if (List->Printing && y >= List->PageBottom) return y + SectionHeight;
  int left = im.LeftIndent(y), right = im.RightSide(y);
  int xl, xr;
  if (Width < 0) {
    xl = left + 10;
    xr = right - 10;
  } else {
    int w = IsPercent ? MulDiv(right - left, Width, 100) : Width;
    xl = left + (right - left - w) / 2;
    xr = xl + w;
  }
  int top = sy + (SectionHeight - Thickness) / 2, bot = top + Thickness;
  THtColor light = List->LightColor();
  c.Line(xl, top, xr, top, htc::BtnShadow);
  c.Line(xl, top, xl, bot, htc::BtnShadow);
  c.Line(xl, bot - 1, xr, bot - 1, light);
  c.Line(xr - 1, top, xr - 1, bot, light);
  return y + SectionHeight;
}

// ---------------------------------------------------------------- TCell
TCell::~TCell() = default;

std::unique_ptr<TCell> TCell::Clone(TSectionList* master) const {
  auto c = std::make_unique<TCell>(master);
  for (auto& s : Sections) c->Sections.push_back(s->CreateClone(master));
  return c;
}

void TCell::Add(std::unique_ptr<TSectionBase> s) {
  if (!s) return;
  if (auto* sec = dynamic_cast<TSection*>(s.get())) {
    if (sec->Preformatted && sec->Buff.empty()) sec->AppendText(" ");
    // An empty numbered or bulleted item still takes a line, for its number or bullet.
    bool marked = sec->ListType == ltNumbered || (sec->ListType == ltBulleted && !sec->NoBullet);
    if (marked && sec->Buff.empty()) sec->MakeNonEmpty();
    sec->AddedToCell();
  }
  s->List = MasterList;
  s->UpdateSizes();
  Sections.push_back(std::move(s));
}

void TCell::DropSection(int i, const std::string& message) {
  std::unique_ptr<TSectionBase> s = std::move(Sections[i]);
  Sections.erase(Sections.begin() + i);
  MasterList->QueueDrop(std::move(s), message);
}

int TCell::LayOut(TViewCanvas& c, int y, int& counter, int& widest, int width) {
  IMgr.Clear();
  IMgr.Reset(0, width);
  IMgr.Width = width;
  YValue = y;
  StartCurs = counter;
  int h = 0;
  widest = 0;
  for (int i = 0; i < static_cast<int>(Sections.size());) {
    int w = 0;
    try {
      h += Sections[i]->LayOut(c, y + h, counter, w, IMgr);
      widest = std::max(widest, w);
      ++i;
    } catch (const EProcessError& e) {
      DropSection(i, e.Message());
    }
  }
  Len = counter - StartCurs;
  return std::max(h, IMgr.FloatBottom() - y);
}

void TCell::WidthLimits(TViewCanvas& c, int& mn, int& mx) {
  mn = mx = 0;
  for (int i = 0; i < static_cast<int>(Sections.size());) {
    int a = 0, b = 0;
    try {
      Sections[i]->WidthLimits(c, a, b);
      mn = std::max(mn, a);
      mx = std::max(mx, b);
      ++i;
    } catch (const EProcessError& e) {
      DropSection(i, e.Message());
    }
  }
}

int TCell::Paint(TViewCanvas& c, const THtRect& clip, int y, int x) {
  IMgr.Reset(x, x + IMgr.Width);
  for (auto& s : Sections) y = s->Paint(c, clip, y, x, IMgr);
  return y;
}

bool TCell::UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) {
  int h = 0;
  for (auto& s : Sections) {
    if (y >= h && y < h + s->DrawHeight && s->UrlAtPoint(c, x, y - h, out)) return true;
    h += s->SectionHeight;
  }
  return false;
}

void TCell::RefreshFonts() {
  for (auto& s : Sections) s->RefreshFonts();
}

void TCell::ResetImages(bool viewImages) {
  for (auto& s : Sections) s->ResetImages(viewImages);
}

TSectionBase* TCell::SectionAtY(int y, int& top, int& index) {
  int h = 0;
  for (int i = 0; i < static_cast<int>(Sections.size()); ++i) {
    if (h + Sections[i]->SectionHeight > y) {
      top = h;
      index = i;
      return Sections[i].get();
    }
    h += Sections[i]->SectionHeight;
  }
  return nullptr;
}

int TCell::CharIndexAt(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX, TCell*& hit) {
  int top = 0, idx = 0;
  TSectionBase* s = SectionAtY(y, top, idx);
  if (!s) return -1;
  int r = s->CharIndexAtPoint(c, x, y - top, lineHeight, lineTop, caretX);
  lineTop += top;
  if (!hit) hit = this;
  return r;
}

int TCell::FindText(int from, const std::string& text, bool matchCase) {
  for (auto& s : Sections) {
    int r = s->FindText(from, text, matchCase);
    if (r >= 0) return r;
  }
  return -1;
}

bool TCell::CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) {
  for (auto& s : Sections)
    if (s->CharIndexToXY(c, index, x, y)) return true;
  return false;
}

void TCell::CopySelection() {
  for (auto& s : Sections) {
    if (s->StartCurs + s->Len <= MasterList->SelB) continue;
    if (s->StartCurs >= MasterList->SelE) break;
    s->CopySelection();
  }
}

bool TCell::Holds(const TSectionBase* s) const {
  for (auto& p : Sections)
    if (p->Holds(s)) return true;
  return false;
}

// ---------------------------------------------------------------- TSectionList
TSectionList::TSectionList(TObject* viewer) : TCell(this), TheOwner(viewer) { BitmapList.SetUsageLimit(4); }

// Last made first: a page's thousands of platform controls then leave their parent's
// lists from the end, each at once.
static void FreeForms(TFreeList<ThtmlForm>& forms) {
  while (!forms.empty()) {
    auto& controls = forms.back()->Controls;
    while (!controls.empty()) controls.pop_back();
    forms.pop_back();
  }
}

TSectionList::~TSectionList() {
  // Controls belong to the forms; the sections only point at them.
  FreeForms(HtmlFormList);
  MapList.clear();
  Sections.clear();
  dropped_.clear();
  BitmapList.Clear();
}

std::unique_ptr<TSectionList> TSectionList::CreateClone() const {
  auto p = std::make_unique<TSectionList>(TheOwner);
  p->ShowImages = ShowImages;
  p->Printing = Printing;
  p->ScrollOffset = ScrollOffset;
  p->SelB = SelB;
  p->SelE = SelE;
  p->FontName = FontName;
  p->PreFontName = PreFontName;
  p->FontSize = FontSize;
  p->FontColor = FontColor;
  p->HotSpotColor = HotSpotColor;
  p->GetBitmap = GetBitmap;
  p->Background = Background;
  p->ExpandSourceName = ExpandSourceName;
  p->ImageServices = ImageServices;
  p->ImagesMeasured = ImagesMeasured;
  for (auto& s : Sections) p->Sections.push_back(s->CreateClone(p.get()));
  return p;
}

void TSectionList::Clear() {
  BackgroundBitmap.reset();
  BackgroundName.clear();
  HasBackgroundName = false;
  FreeForms(HtmlFormList);
  SelB = SelE = 0;
  MapList.clear();
  Sections.clear();
  ImagesMeasured = false;
  IMgr.Clear();
}

void TSectionList::ApplyDefaults(const std::string& fontName, const std::string& preFontName, THtColor background,
                                 THtColor hotSpot, THtColor fontColor, int baseSize) {
  FontName = fontName.substr(0, 33);
  PreFontName = preFontName.substr(0, 33);
  HotSpotColor = hotSpot;
  FontColor = fontColor;
  FontSize = baseSize;
  SetBackgroundColor(background);
  RefreshFonts();
}

void TSectionList::SetBackgroundColor(THtColor c) {
  Background = c;
  if (OnBackgroundChange) OnBackgroundChange();
}

void TSectionList::SetBackgroundImageName(const std::string& name) {
  BackgroundBitmap.reset();
  BackgroundName = name;
  HasBackgroundName = true;
}

TViewImagePtr TSectionList::BackgroundImage() {
  if (ShowImages && HasBackgroundName && !BackgroundBitmap) {
    int t = 0;
    TViewImagePtr mask;
    BackgroundBitmap = ObtainImage(BackgroundName, t, mask);
    BackgroundName.clear();
    HasBackgroundName = false;
  }
  return BackgroundBitmap;
}

void TSectionList::SetScrollOffset(int y) {
  if (y == ScrollOffset) return;
  ScrollOffset = y;
  MarkControlsMoved();
}

void TSectionList::MarkControlsMoved() {
  ControlsMoved = true;
  for (auto& f : HtmlFormList)
    for (auto& ctl : f->Controls) ctl->Placed = false;
}

void TSectionList::QueueDrop(std::unique_ptr<TSectionBase> s, const std::string& message) {
  if (Anchors) PurgeAnchors(*Anchors, s.get());
  if (OnSectionDropped) OnSectionDropped(s.get());
  dropped_.push_back(std::move(s));
  messages_.push_back(message);
}

void TSectionList::FinishDrops() {
  std::vector<std::unique_ptr<TSectionBase>> dead;
  std::vector<std::string> msgs;
  dead.swap(dropped_);
  msgs.swap(messages_);
  dead.clear();
  if (ShowError)
    for (auto& m : msgs) ShowError(m);
}

int TSectionList::LayOut(TViewCanvas& c, int y, int& counter, int& widest, int width) {
  struct Flag {
    bool& f;
    bool old;
    explicit Flag(bool& x) : f(x), old(x) { f = true; }
    ~Flag() { f = old; }
  };
  int h;
  {
    Flag busy(layingOut_);
    for (auto& f : HtmlFormList) f->SizeControls();
    h = TCell::LayOut(c, y, counter, widest, width);
    // Painting shows only the controls in view, so one that a new layout moves out of
    // view must be hidden by the next paint.
    MarkControlsMoved();
  }
  if (!layingOut_) FinishDrops();
  return h;
}

int TSectionList::DoLayout(TViewCanvas& c, int width, int& widest) {
  int counter = 0;
  return LayOut(c, 0, counter, widest, width);
}

int TSectionList::Paint(TViewCanvas& c, const THtRect& clip, int y, int x) {
  if (layingOut_) return y;
  PageBottom = clip.Bottom;
  int r = TCell::Paint(c, clip, y, x);
  if (ControlsMoved) {
    for (auto& f : HtmlFormList)
      for (auto& ctl : f->Controls)
        if (!ctl->Placed) ctl->Hide();
    ControlsMoved = false;
  }
  return r;
}

bool TSectionList::UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) {
  if (layingOut_) return false;
  return TCell::UrlAtPoint(c, x, y, out);
}

int TSectionList::CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) {
  if (layingOut_) return -1;
  TCell* hit = nullptr;
  return CharIndexAt(c, x, y, lineHeight, lineTop, caretX, hit);
}

int TSectionList::FindTextFrom(int from, const std::string& text, bool matchCase) {
  if (layingOut_ || text.empty()) return -1;
  return FindText(from, text, matchCase);
}

std::string TSectionList::SelectionText() {
  if (SelB >= SelE) return std::string();
  TClipBuffer cb;
  {
    CB = &cb;
    auto done = OnScopeExit([&] { CB = nullptr; });
    CopySelection();
  }
  return cb.Text();
}

void TSectionList::CopyToClipboard() {
  if (SelB >= SelE) return;
  std::string t = SelectionText();
  if (PutOnClipboard) PutOnClipboard(t);
}

int TSectionList::GetSectionTop(int n) const {
  if (n <= 0 || Sections.empty()) return 0;
  n = std::min(n, static_cast<int>(Sections.size()) - 1);
  int h = 0;
  for (int i = 0; i < n; ++i) h += Sections[i]->SectionHeight;
  return h;
}

TSectionBase* TSectionList::SectionAndLineAtY(int y, int& top) {
  int idx = 0;
  TSectionBase* s = SectionAtY(y, top, idx);
  if (s) top += s->LineTopAt(y - top);
  return s;
}

void TSectionList::Finish() {
  // Images not yet laid out in either state need no reset: the walk through every section,
  // cold in memory on a large page, would change nothing.
  if (ImagesMeasured) ResetImages(ShowImages);
  BackgroundImage();
}

bool TSectionList::PlainWhite() const {
  return (Background & 0xFFFFFF) == 0xFFFFFF && !(ShowImages && BackgroundBitmap);
}

THtColor TSectionList::LightColor() const { return Printing || PlainWhite() ? htc::Silver : htc::BtnHighlight; }

}  // namespace vx
