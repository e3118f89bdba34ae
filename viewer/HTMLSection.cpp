// Paragraphs: text with font runs, images and controls; line breaking, painting, hit tests.
#include <algorithm>

#include "viewer/HTMLSubs.h"

#include "framework/core/Scoped.h"

namespace vx {

static THtColor PalRel(THtColor c) { return htc::IsSystem(c) ? c : (c | htc::PaletteRelative); }

static bool IsBreak(char ch) { return ch == ' ' || ch == 2 || ch == 4; }

int TViewCanvas::TextFit(const TMyFont& f, const char* s, int n, int room) {
  // Gallop to a bound first, so a long text is never measured whole for a short line.
  int lo = 0, hi = std::min(n, 16);
  while (hi < n && TextExtent(f, s, hi) <= room) {
    lo = hi;
    hi = std::min(n, hi * 2);
  }
  if (hi == n && lo < n && TextExtent(f, s, n) <= room) lo = n;
  while (lo < hi) {
    int mid = (lo + hi + 1) / 2;
    if (TextExtent(f, s, mid) <= room)
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}

void TFontObj::UpdateMetrics(TViewCanvas& c) {
  THtMetrics m = c.Metrics(Font);
  FLineHeight = m.Height + m.ExternalLeading;
  FTextHeight = m.Height;
  Overhang = m.Overhang;
  Descent = m.Descent;
}

struct TSection::TFitState {
  IndentManager* im;
  int y;
  bool onlyFloats = true;
  int floatHt = 0;
  std::vector<TImageObj*> queued;
};

TSection::TSection(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
                   std::uint8_t style)
    : TSectionBase(list) {
  // The runs are held in the list itself, which grows from one: most paragraphs keep one
  // font, and room for more in each would cost a large page megabytes.
  TFontObj& run = Fonts.emplace_back();
  run.Font = font;
  run.Font.Style |= style;
  if (link) run.Link.Assign(*link);
  BaseFont = run.Font;
  ListLevel = level;
  Indent = level * 35;
  Justify = justify;
}

TSection::TSection(const TSection& src, TSectionList* list) : TSectionBase(src, list) {
  Buff = src.Buff;
  Len = src.Len;
  Fonts.reserve(src.Fonts.size());
  for (auto& f : src.Fonts) {
    TFontObj& r = Fonts.emplace_back();
    r.Pos = f.Pos;
    r.VShift = f.VShift;
    r.Font = f.Font;
    r.Link = f.Link;
  }
  for (auto& i : src.Images) Images.push_back(std::make_unique<TImageObj>(*i));
  for (auto& i : Images) i->List = list;
  ListLevel = src.ListLevel;
  Indent = src.Indent;
  ListNumber = src.ListNumber;
  ListType = src.ListType;
  Justify = src.Justify;
  BaseFont = src.BaseFont;
  NoBullet = src.NoBullet;
  Preformatted = src.Preformatted;
  TextCut = src.TextCut;
  // The printed page keeps BR CLEAR as the screen does.
  ClearMode = src.ClearMode;
}

TSection::~TSection() = default;

std::unique_ptr<TSectionBase> TSection::CreateClone(TSectionList* list) const {
  return std::make_unique<TSection>(*this, list);
}
std::unique_ptr<TSectionBase> TPreFormated::CreateClone(TSectionList* list) const {
  return std::make_unique<TPreFormated>(*this, list);
}
std::unique_ptr<TSectionBase> TUListItem::CreateClone(TSectionList* list) const {
  return std::make_unique<TUListItem>(*this, list);
}
std::unique_ptr<TSectionBase> TDListItem::CreateClone(TSectionList* list) const {
  return std::make_unique<TDListItem>(*this, list);
}
std::unique_ptr<TSectionBase> TOListItem::CreateClone(TSectionList* list) const {
  return std::make_unique<TOListItem>(*this, list);
}

// Only real images and controls are markers: the bytes 0, 2 and 4 of a text are blanks.
static bool BlankInText(char ch) { return ch == 0 || ch == 2 || ch == 4; }

// A buffer that must grow takes room for 100 more characters, and never less than doubles:
// a paragraph arrives in many small pieces.
static void MakeRoom(std::string& buff, size_t more) {
  size_t need = buff.size() + more + 1;
  if (buff.capacity() < need) buff.reserve(std::max(need + 100, 2 * buff.capacity()));
}

// The text from `from` on, cleaned of marker bytes where it lands.
static void AppendClean(std::string& buff, const std::string& s, size_t from) {
  MakeRoom(buff, s.size() - from);
  size_t at = buff.size();
  buff.append(s, from, std::string::npos);
  for (size_t i = at; i < buff.size(); ++i)
    if (BlankInText(buff[i])) buff[i] = ' ';
}

// The note stands where the text stops, in the paragraph's own font and outside any link;
// what follows it goes on in the font it had.
bool TSection::TextFull(const std::string& s) {
  if (s.empty()) return true;
  if (static_cast<int>(Buff.size()) <= kMaxText) return false;
  if (!TextCut) {
    TextCut = true;
    TFontObj before = Fonts.back();
    SetRunFont(BaseFont, 0, 0, false);
    Fonts.back().Link.Clear();
    std::string note = std::string(Buff.back() == ' ' ? "" : " ") + "[more text is not shown]";
    MakeRoom(Buff, note.size());
    Buff += note;
    Len = static_cast<int>(Buff.size());
    TFontObj& r = Fonts.emplace_back();
    r.Pos = Len;
    r.Font = before.Font;
    r.VShift = before.VShift;
    r.Link = before.Link;
  }
  return true;
}

void TSection::AppendText(const std::string& s) {
  if (TextFull(s)) return;
  size_t from = 0;
  if (s[0] == ' ' || BlankInText(s[0])) {
    bool onlyFloats = !Buff.empty();
    for (int i = 0; i < static_cast<int>(Buff.size()) && onlyFloats; ++i) {
      TImageObj* img = Buff[i] == 4 ? ImageAt(i) : nullptr;
      onlyFloats = img && img->Floating();
    }
    if (Buff.empty() || Buff.back() == ' ' || onlyFloats) from = 1;
  }
  AppendClean(Buff, s, from);
  Len = static_cast<int>(Buff.size());
}

void TPreFormated::AppendText(const std::string& s) {
  if (TextFull(s)) return;
  AppendClean(Buff, s, 0);
  Len = static_cast<int>(Buff.size());
}

void TSection::ChangeFont(const TMyFont& font, std::uint8_t style, std::uint8_t vshift) {
  SetRunFont(font, style, vshift, true);
}

void TSection::SetRunFont(const TMyFont& font, std::uint8_t style, std::uint8_t vshift, bool keepLink) {
  if (Fonts.back().Pos != static_cast<int>(Buff.size())) {
    TFontObj& r = Fonts.emplace_back();
    r.Pos = static_cast<int>(Buff.size());
    if (keepLink) r.Link = Fonts[Fonts.size() - 2].Link;
  }
  TFontObj* last = &Fonts.back();
  last->Font = font;
  last->Font.Style |= style;
  last->VShift = vshift;
  if (vshift == 1 || vshift == 2)
    last->Font.SetNominalSize(MulDiv(last->Font.NominalSize, 3, 4), List ? List->FontSize : 12);
}

void TSection::HRef(bool start, const TMyFont& font, const TUrlTarget* link, std::uint8_t style, std::uint8_t vshift) {
  // The new run's link is set here, not copied from the run before.
  SetRunFont(font, style, vshift, false);
  TFontObj* last = &Fonts.back();
  last->Link.Clear();
  if (start && link) last->Link.Set(link->Url, link->Target);
}

TImageObj* TSection::AddImage(const TImageParams& p) {
  auto img = std::make_unique<TImageObj>(static_cast<int>(Buff.size()), p);
  img->List = List;
  TImageObj* r = img.get();
  Images.push_back(std::move(img));
  MakeRoom(Buff, 1);
  Buff += '\4';
  Len = static_cast<int>(Buff.size());
  return r;
}

void TSection::SetClearMode(const std::string& clear) {
  std::string c = HtLowerCase(clear);
  ClearMode = c == "left" ? 1 : c == "right" ? 2 : 3;
}

void TSection::MakeNonEmpty() {
  if (Buff.empty()) {
    Buff = " ";
    Len = 1;
  }
}

void TSection::AddedToCell() { Len = static_cast<int>(Buff.size()); }

const TFontObj* TSection::FontAt(int index) const {
  const TFontObj* r = &Fonts.front();
  for (auto& f : Fonts) {
    if (f.Pos <= index)
      r = &f;
    else
      break;
  }
  return r;
}

int TSection::RunEnd(int index) const {
  for (auto& f : Fonts)
    if (f.Pos > index) return f.Pos;
  return static_cast<int>(Buff.size());
}

TImageObj* TSection::ImageAt(int pos) const {
  for (auto& i : Images)
    if (i->Pos == pos) return i.get();
  return nullptr;
}

// The controls are sorted by position (see AddFormControl): a page of thousands of
// controls in one paragraph must not search them all for each one.
static std::vector<TFormControlObj*>::const_iterator FirstControlFrom(const std::vector<TFormControlObj*>& v,
                                                                       int pos) {
  return std::lower_bound(v.begin(), v.end(), pos, [](const TFormControlObj* c, int p) { return c->Pos < p; });
}

TFormControlObj* TSection::ControlAt(int pos) const {
  auto it = FirstControlFrom(controls_, pos);
  return it != controls_.end() && (*it)->Pos == pos ? *it : nullptr;
}

int TSection::NextImage(int pos) const {
  int best = 9999;
  for (auto& i : Images)
    if (i->Pos >= pos) best = std::min(best, i->Pos - pos);
  return best;
}

int TSection::NextControl(int pos) const {
  auto it = FirstControlFrom(controls_, pos);
  return it == controls_.end() ? 9999 : std::min(9999, (*it)->Pos - pos);
}

int TSection::TextPieceEnd(int pos, int limit) const {
  int e = std::min(RunEnd(pos), limit);
  for (int i = pos; i < e; ++i)
    if (Buff[i] == 2 || Buff[i] == 4) return i;
  return e;
}

void TSection::MeasureImages(TViewCanvas& c) {
  for (auto& f : Fonts) f.UpdateMetrics(c);
  for (auto& img : Images) {
    const TFontObj* run = FontAt(img->Pos);
    img->Measure(c, List, run->Font, run->Link.HasUrl && !run->Link.Url.empty());
  }
}

int TSection::TextWidth(TViewCanvas& c, int start, bool trim, int count) {
  if (trim)
    while (count > 1 && Buff[start + count - 1] == ' ') --count;
  int w = 0, p = start, end = std::min(start + count, static_cast<int>(Buff.size()));
  while (p < end) {
    char ch = Buff[p];
    if (ch == 4) {
      TImageObj* img = ImageAt(p);
      if (img && !img->Floating()) w += img->BoxWidth;
      ++p;
    } else if (ch == 2) {
      if (TFormControlObj* ctl = ControlAt(p)) w += ctl->Width();
      ++p;
    } else {
      int pe = std::min(TextPieceEnd(p, end), end);
      const TFontObj* f = FontAt(p);
      w += c.TextExtent(f->Font, Buff.data() + p, pe - p) - f->Overhang;
      p = pe;
    }
  }
  return w;
}

int TSection::FitCount(TViewCanvas& c, int start, int room, int maxCount, TFitState* st) {
  int pos = start, used = 0, count = 0, end = static_cast<int>(Buff.size());
  bool onlyFloats = true;
  while (pos < end && count < maxCount) {
    char ch = Buff[pos];
    if (ch == 4) {
      TImageObj* img = ImageAt(pos);
      if (img && img->Floating()) {
        if (st) {
          if (onlyFloats) {
            st->im->AddFloat(st->y, *img);
            st->floatHt = std::max(st->floatHt, img->BoxHeight);
            used += img->BoxWidth + 5;
          } else {
            st->queued.push_back(img);
          }
        }
        ++count;
        ++pos;
        continue;
      }
      int w = img ? img->BoxWidth : 0;
      if (used + w > room) break;
      used += w;
      ++count;
      ++pos;
      onlyFloats = false;
      continue;
    }
    if (ch == 2) {
      TFormControlObj* ctl = ControlAt(pos);
      int w = ctl ? ctl->Width() : 0;
      if (used + w > room) break;
      used += w;
      ++count;
      ++pos;
      onlyFloats = false;
      continue;
    }
    int pe = std::min(TextPieceEnd(pos, start + maxCount), start + maxCount);
    int n = pe - pos;
    const TFontObj* f = FontAt(pos);
    int lo = c.TextFit(f->Font, Buff.data() + pos, n, room - used + f->Overhang);
    count += lo;
    if (lo < n) break;
    used += c.TextExtent(f->Font, Buff.data() + pos, n) - f->Overhang;
    pos += n;
    onlyFloats = false;
  }
  return std::min(count, maxCount);
}

int TSection::DoLayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im, bool pre) {
  YValue = y;
  StartCurs = counter;
  SectionHeight = 0;
  Lines.clear();
  // Lines are gathered in one buffer of the thread and copied once: a paragraph's own list
  // is then allocated at most once, at its size, instead of growing line by line.
  static thread_local std::vector<LineRec> lines;
  lines.clear();
  Len = static_cast<int>(Buff.size());
  im.SetListLevel(y, ListLevel);
  if (Len == 0) {
    SectionHeight = DrawHeight = im.ClearSpace(y, ClearMode);
    widest = 0;
    return SectionHeight;
  }
  MeasureImages(c);
  LeftIndentAtTop = im.LeftIndent(y);
  widest = im.Width;
  for (auto& img : Images) widest = std::max(widest, img->BoxWidth + Indent);
  for (auto* ctl : controls_) widest = std::max(widest, ctl->Width() + Indent);

  int topY = y, pos = 0;
  bool first = true;
  while (pos < Len) {
    LineRec lr;
    lr.Start = pos;
    if (first) {
      lr.SpaceBefore = im.ClearSpace(y, ClearMode);
      y += lr.SpaceBefore;
      first = false;
    }
    int room = pre ? 32000 : im.RightSide(y) - im.LeftIndent(y);
    TFitState st{&im, y};
    int cnt = std::max(1, FitCount(c, pos, room, Len - pos, &st));
    int n;
    if (cnt >= Len - pos) {
      n = Len - pos;
    } else {
      char last = Buff[pos + cnt - 1];
      if (last == ' ') {
        n = cnt;
        while (pos + n < Len && Buff[pos + n] == ' ') ++n;
      } else if (Buff[pos + cnt] == 2 || Buff[pos + cnt] == 4) {
        n = cnt;
      } else {
        int k = pos + cnt - 1;
        while (k >= pos && !IsBreak(Buff[k])) --k;
        if (k >= pos) {
          n = k - pos + 1;
        } else {
          // One word wider than the room stays whole, with the blanks after it.
          n = cnt;
          while (pos + n < Len && !IsBreak(Buff[pos + n])) ++n;
          while (pos + n < Len && Buff[pos + n] == ' ') ++n;
        }
      }
    }
    // Line metrics.
    int th = 0, desc = 0;
    for (size_t k = 0; k < Fonts.size(); ++k) {
      const TFontObj& f = Fonts[k];
      int fe = k + 1 < Fonts.size() ? Fonts[k + 1].Pos : static_cast<int>(Buff.size());
      if (f.Pos >= pos + n) break;
      if (fe > pos && f.FLineHeight > th) {
        th = f.FLineHeight;
        desc = f.Descent;
      }
    }
    if (th == 0) {
      const TFontObj* f = FontAt(pos);
      th = f->FLineHeight;
      desc = f->Descent;
    }
    int above = 0, below = 0;
    for (auto& img : Images) {
      if (img->Pos < pos || img->Pos >= pos + n || img->Floating()) continue;
      int d = img->BoxHeight - th;
      switch (img->Align) {
        case iaMiddle:
          below = std::max(below, d / 2);
          above = std::max(above, d - d / 2);
          break;
        case iaTop: below = std::max(below, d); break;
        default: above = std::max(above, img->BoxHeight + desc - th);
      }
    }
    for (auto it = FirstControlFrom(controls_, pos); it != controls_.end() && (*it)->Pos < pos + n; ++it) {
      TFormControlObj* ctl = *it;
      int h = ctl->Height();
      above = std::max(above, ctl->BaselineAligned ? h + desc - th : h - th);
    }
    int li = im.LeftIndent(y), rs = im.RightSide(y);
    // Preformatted lines too are centred or right-aligned within the edges.
    if (Justify == 1) {
      lr.LineX = li;
    } else {
      int w = TextWidth(c, pos, true, n);
      lr.LineX = Justify == 2 ? std::max(li, (li + rs - w) / 2) : rs - w;
    }
    lr.DrawX = lr.LineX;
    lr.SpaceBefore += above;
    lr.SpaceAfter = below;
    lr.LineHt = th;
    lr.Descent = desc;
    lr.Ln = n;
    lr.FloatHt = st.floatHt;
    SectionHeight += lr.Total();
    y += above + th + below;
    lr.DrawHeight = std::max(lr.Total(), st.floatHt);
    for (TImageObj* img : st.queued) {
      if (img->Pos >= pos + n) continue;
      im.AddFloat(y, *img);
      lr.DrawHeight = std::max(lr.DrawHeight, lr.Total() + img->BoxHeight);
    }
    lines.push_back(lr);
    pos += n;
  }
  Lines.assign(lines.begin(), lines.end());
  counter = StartCurs + Len;
  if (ListLevel > 0) SectionHeight = std::max(SectionHeight, im.BottomBesideList() - topY);
  DrawHeight = std::max(SectionHeight, im.FloatBottom() - topY);
  return SectionHeight;
}

int TSection::LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) {
  return DoLayOut(c, y, counter, widest, im, false);
}

int TPreFormated::LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) {
  int save = im.Width;
  im.Width = 32000;
  int h;
  {
    auto cleanup = OnScopeExit([&] { im.Width = save; });
    h = DoLayOut(c, y, counter, widest, im, true);
  }
  int mn = 0, mx = 0;
  WidthLimits(c, mn, mx);
  widest = mx;
  return h;
}

void TSection::WidthLimits(TViewCanvas& c, int& mn, int& mx) {
  mn = mx = 0;
  if (Buff.empty()) return;
  MeasureImages(c);
  int floats = 0, imgMin = 0;
  for (auto& img : Images) {
    if (img->Floating())
      floats += img->BoxWidth;
    else
      imgMin = std::max(imgMin, img->BoxWidth);
  }
  int n = static_cast<int>(Buff.size());
  mx = floats + TextWidth(c, 0, false, n) + Indent;
  int word = 0;
  for (int i = 0; i < n;) {
    if (Buff[i] == ' ' || Buff[i] == 4) {
      ++i;
      continue;
    }
    int j = i;
    while (j < n && Buff[j] != ' ' && Buff[j] != 4) ++j;
    word = std::max(word, TextWidth(c, i, false, j - i));
    i = j;
  }
  mn = std::max(word, imgMin) + floats + Indent;
}

void TPreFormated::WidthLimits(TViewCanvas& c, int& mn, int& mx) {
  mn = mx = 0;
  if (Buff.empty()) return;
  MeasureImages(c);
  mx = TextWidth(c, 0, false, static_cast<int>(Buff.size())) + Indent;
  mn = std::min(500, mx);
}

int TSection::Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) {
  YValue = y;
  int so = List->ScrollOffset;
  if (y + DrawHeight - so <= clip.Top || y - so >= clip.Bottom) return y + SectionHeight;
  bool printing = List->Printing;
  int sb = List->SelB - StartCurs, se = List->SelE - StartCurs;
  bool anySel = !printing && List->SelB < List->SelE;
  int ly = y;
  for (size_t li = 0; li < Lines.size(); ++li) {
    LineRec& line = Lines[li];
    int lineTop = ly;
    if (printing) {
      // A page breaks at a line's own top; nothing from the break down is printed here.
      if (lineTop >= List->PageBottom) break;
      if (lineTop + line.DrawHeight > List->PageBottom && line.DrawHeight < List->PageHeight) {
        List->PageBottom = std::min(List->PageBottom, lineTop);
        break;
      }
    }
    int baseRow = ly + line.SpaceBefore + line.LineHt;
    int baseline = baseRow - line.Descent;
    bool visible = lineTop + line.DrawHeight - so > clip.Top && lineTop - so < clip.Bottom;
    int cx = x + line.LineX;
    line.DrawX = cx;
    line.DrawY = lineTop;
    if (li == 0 && visible && ListType != ltPlain) {
      int L = x + LeftIndentAtTop;
      if (ListType == ltNumbered) {
        std::string num = std::to_string(ListNumber) + ".";
        int w = c.TextExtent(BaseFont, num.data(), static_cast<int>(num.size()));
        c.TextOut(BaseFont, printing ? htc::Black : BaseFont.Color, L - 5 - w, baseline - so, num.data(),
                  static_cast<int>(num.size()), htc::None, nullptr);
      } else if (ListType == ltBulleted && !NoBullet) {
        int cyy = ly + line.SpaceBefore + line.LineHt / 2 - so, cxx = L - 8;
        THtRect r{cxx - 2, cyy - 2, cxx + 3, cyy + 3};
        THtColor bg = List->Background;
        bool plain = bg == htc::BtnFace || (bg & 0xFFFFFF) == 0xFFFFFF || (bg & 0xFFFFFF) == 0xC0C0C0;
        if (plain) {
          static const THtColor cols[3] = {htc::Red, htc::Navy, htc::Maroon};
          THtColor col = cols[ListLevel % 3];
          c.Ellipse(r, col, col);
        } else {
          c.Ellipse(r, List->FontColor, htc::None);
        }
      }
    }
    int p = line.Start, end = line.Start + line.Ln;
    while (p < end) {
      char ch = Buff[p];
      if (ch == 4) {
        if (TImageObj* img = ImageAt(p)) {
          const TFontObj* f = FontAt(p);
          if (img->Floating()) {
            // A float that opened the line hangs from its top; one met later from its bottom.
            bool startedLine = true;
            for (int k = line.Start; k < p; ++k) {
              TImageObj* o = Buff[k] == 4 ? ImageAt(k) : nullptr;
              if (!(o && o->Floating())) {
                startedLine = false;
                break;
              }
            }
            int top = startedLine ? lineTop : lineTop + line.Total();
            if (visible || top - so < clip.Bottom)
              img->Paint(c, im.LfEdge + img->FloatX, f->Font, f->Descent, f->FTextHeight, baseline, top);
          } else {
            if (visible) img->Paint(c, cx, f->Font, f->Descent, f->FTextHeight, baseline, lineTop);
            cx += img->BoxWidth;
          }
        }
        ++p;
        continue;
      }
      if (ch == 2) {
        if (TFormControlObj* ctl = ControlAt(p)) {
          // Only a line in view shows its controls: one window moved per control in view,
          // not per control of a long paragraph.
          if (visible) {
            int h = ctl->Height();
            int top = ctl->BaselineAligned ? baseline - h : baseRow - h;
            ctl->Place(cx, top - so);
          }
          cx += ctl->Width();
        }
        ++p;
        continue;
      }
      int pe = std::min(TextPieceEnd(p, end), end);
      if (anySel) {
        if (sb > p && sb < pe) pe = sb;
        if (se > p && se < pe) pe = se;
      }
      bool selected = anySel && p >= sb && p < se;
      const TFontObj* f = FontAt(p);
      int n = pe - p;
      int ext = c.TextExtent(f->Font, Buff.data() + p, n);
      if (visible) {
        int shift = f->VShift == 2 ? -(f->FLineHeight / 3) : f->VShift == 1 ? f->Descent / 2 + 1 : 0;
        THtColor fg = printing ? htc::Black : selected ? List->Background : f->Font.Color;
        THtColor bk = selected ? f->Font.Color : htc::None;
        THtRect box{cx, lineTop - so, cx + ext, lineTop + line.Total() - so};
        c.TextOut(f->Font, fg, cx - f->Overhang / 2, baseline - so + shift, Buff.data() + p, n, bk,
                  Preformatted ? &box : nullptr);
      }
      cx += ext - f->Overhang;
      p = pe;
    }
    ly = baseRow + line.SpaceAfter;
  }
  return y + SectionHeight;
}

bool TSection::UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) {
  for (auto& img : Images) {
    int ox = 0, oy = 0;
    if (!img->Contains(x, YValue + y, ox, oy)) continue;
    if (img->ClientMap) {
      for (auto& m : List->MapList)
        if (m->MapName == img->MapName) return m->HitTest(ox, oy, out);
      return false;
    }
    const TFontObj* f = FontAt(img->Pos);
    if (f->Link.HasUrl && !f->Link.Url.empty()) {
      out = TUrlTarget();
      out.Assign(f->Link);
      if (img->ServerMap) out.Url += "?" + std::to_string(ox) + "," + std::to_string(oy);
      return true;
    }
    return false;
  }
  int top = 0;
  for (auto& line : Lines) {
    if (y >= top && y < top + line.Total()) {
      if (x < line.DrawX) return false;
      int cnt = FitCount(c, line.Start, x - line.DrawX, line.Ln, nullptr);
      if (cnt >= line.Ln) return false;
      const TFontObj* f = FontAt(line.Start + cnt);
      if (f->Link.HasUrl && !f->Link.Url.empty()) {
        out = TUrlTarget();
        out.Assign(f->Link);
        return true;
      }
      return false;
    }
    top += line.Total();
  }
  return false;
}

int TSection::CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) {
  int top = 0;
  for (auto& line : Lines) {
    if (y >= top && y < top + line.Total()) {
      lineHeight = line.LineHt;
      lineTop = top + line.SpaceBefore;
      int cnt = 0;
      caretX = line.DrawX;
      if (x >= line.DrawX) {
        cnt = FitCount(c, line.Start, x - line.DrawX, line.Ln, nullptr);
        if (cnt < line.Ln) {
          int w1 = TextWidth(c, line.Start, false, cnt), w2 = TextWidth(c, line.Start, false, cnt + 1);
          if (x - line.DrawX > (w1 + w2) / 2) ++cnt;
        }
        caretX = line.DrawX + TextWidth(c, line.Start, false, cnt);
      }
      return StartCurs + line.Start + cnt;
    }
    top += line.Total();
  }
  return -1;
}

int TSection::LineTopAt(int y) const {
  int top = 0;
  for (auto& line : Lines) {
    if (y < top + line.Total()) return top;
    top += line.Total();
  }
  return 0;
}

int TSection::LineOfIndex(int i, int& before) const {
  before = 0;
  for (size_t k = 0; k < Lines.size(); ++k) {
    const LineRec& l = Lines[k];
    if ((i >= l.Start && i < l.Start + l.Ln) || k + 1 == Lines.size()) return static_cast<int>(k);
    before += l.Total();
  }
  return -1;
}

bool TSection::CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) {
  if (Buff.empty() || Lines.empty() || index < StartCurs || index > StartCurs + Len) return false;
  int i = index - StartCurs, before = 0;
  int k = LineOfIndex(i, before);
  if (k < 0) return false;
  const LineRec& l = Lines[k];
  y = YValue + before;
  x = l.DrawX + TextWidth(c, l.Start, false, std::min(i - l.Start, l.Ln));
  return true;
}

int TSection::FindText(int from, const std::string& text, bool matchCase) {
  if (Buff.empty() || text.empty() || from >= StartCurs + Len) return -1;
  size_t start = static_cast<size_t>(std::max(0, from - StartCurs));
  if (matchCase) {
    size_t p = Buff.find(text, start);
    return p == std::string::npos ? -1 : StartCurs + static_cast<int>(p);
  }
  // The whole search text is compared, however long.
  std::string hay = HtUpperCase(Buff), needle = HtUpperCase(text);
  size_t p = hay.find(needle, start);
  return p == std::string::npos ? -1 : StartCurs + static_cast<int>(p);
}

void TSection::CopySelection() {
  TClipBuffer* cb = List->CB;
  if (!cb) return;
  for (auto& line : Lines) {
    int ls = StartCurs + line.Start, le = ls + line.Ln;
    if (le <= List->SelB || ls >= List->SelE) continue;
    int a = std::max(ls, List->SelB), b = std::min(le, List->SelE);
    if (ls >= List->SelB) {
      std::string ind(static_cast<size_t>(std::max(0, line.LineX / 35) * 3), ' ');
      cb->AddText(ind.data(), static_cast<int>(ind.size()));
    }
    cb->AddText(Buff.data() + (a - StartCurs), b - a);
    cb->AddNewLine();
  }
}

void TSection::RefreshFonts() {
  auto upd = [&](TMyFont& f, THtColor col) {
    f.Name = f.FixedPitch ? List->PreFontName : List->FontName;
    f.Size = MulDiv(List->FontSize, f.NominalSize, 12);
    f.Color = PalRel(col);
  };
  for (auto& r : Fonts) upd(r.Font, r.Link.HasUrl && !r.Link.Url.empty() ? List->HotSpotColor : List->FontColor);
  upd(BaseFont, List->FontColor);
  UpdateSizes();
}

void TSection::ResetImages(bool viewImages) {
  for (auto& i : Images) i->ResetForImageSwitch(viewImages);
}

}  // namespace vx
