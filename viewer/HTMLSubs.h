// The document model: a vertical list of sections inside cells, the root being the
// section list; paragraphs with font runs, images and controls; list items; rules and
// spaces; tables of cells.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"
#include "viewer/HTMLForms.h"
#include "viewer/HTMLImages.h"
#include "viewer/ViewCanvas.h"

namespace vx {

class TSectionList;
class TCell;

// ---------------------------------------------------------------- flow edges
struct IndentRec {
  int X = 0, YT = 0, YB = 0, Lev = 0;
};

// The left and right edges of the flow: floating images and list indentation.
class IndentManager {
 public:
  int Width = 0;
  // The records that may still bound a line being laid out.
  std::vector<IndentRec> L, R;
  int CurrentLevel = 0;
  int LfEdge = 0, RtEdge = 0;

  void Reset(int left, int right) {
    LfEdge = left;
    RtEdge = right;
    CurrentLevel = 0;
  }
  void Clear();
  // Records that end above y bound nothing laid out from y on (layout goes down the page):
  // they leave L and R, so every line no longer scans every list ever opened. Painting
  // asks about any height and still finds them.
  void Prune(int y);
  int LeftIndent(int y) const;
  int RightSide(int y) const;
  // Enters a left or right floating image at y; other alignments do nothing.
  void AddFloat(int y, TImageObj& img);
  int FloatBottom() const;
  int LeftFloatBottom() const;
  int RightFloatBottom() const;
  int BottomBesideList() const;
  void SetListLevel(int y, int level);
  // Clear space of BR CLEAR at y (mode 1 left, 2 right, 3 all).
  int ClearSpace(int y, int mode) const;

 private:
  std::vector<IndentRec> doneL_, doneR_;  // pruned: each ends above prunedAt_
  int prunedAt_ = 0;
  bool pruned_ = false;
  int doneBottomL_ = 0, doneBottomR_ = 0;  // the largest bottom among the pruned (all floats)
};

// ---------------------------------------------------------------- sections
class TSectionBase : public TObject {
 public:
  explicit TSectionBase(TSectionList* list) : List(list) {}
  TSectionBase(const TSectionBase& src, TSectionList* list) : List(list), SectionHeight(src.SectionHeight) {}
  const char* ClassName() const override { return "TSectionBase"; }
  virtual std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const = 0;
  virtual void CopySelection() {}
  virtual int LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im);
  virtual int Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im);
  // x in surface coordinates, y relative to the section top.
  virtual bool UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) { return false; }
  virtual int CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) { return -1; }
  virtual int FindText(int from, const std::string& text, bool matchCase) { return -1; }
  virtual bool CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) { return false; }
  virtual void RefreshFonts() { UpdateSizes(); }
  virtual void UpdateSizes() {}
  virtual void WidthLimits(TViewCanvas& c, int& mn, int& mx) { mn = mx = 0; }
  // Whether s is this section or lies inside it (anchors are purged with what holds them).
  virtual bool Holds(const TSectionBase* s) const { return s == this; }
  // Images off, images on: placeholders and pictures that no longer fit are forgotten.
  virtual void ResetImages(bool viewImages) {}
  // The top of the line holding y (relative to the section), for page breaks.
  virtual int LineTopAt(int y) const { return 0; }

  TSectionList* List;
  int SectionHeight = 0, DrawHeight = 0, YValue = 0, StartCurs = 0, Len = 0;
};

class TPage : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
  const char* ClassName() const override { return "TPage"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  int Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) override;
};

class TParagraphSpace : public TSectionBase {
 public:
  using TSectionBase::TSectionBase;
  const char* ClassName() const override { return "TParagraphSpace"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  void UpdateSizes() override;
  void CopySelection() override;
};

class THeadingSpace : public TSectionBase {
 public:
  THeadingSpace(TSectionList* list, int level) : TSectionBase(list), HeadingLevel(level) {}
  const char* ClassName() const override { return "THeadingSpace"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  void UpdateSizes() override;
  void CopySelection() override;
  int HeadingLevel;
};

class THorzLine : public TSectionBase {
 public:
  // size: HR SIZE (<= 0 absent); width: WIDTH value; percent: WIDTH written with "%".
  THorzLine(TSectionList* list, int size, int width, bool percent);
  const char* ClassName() const override { return "THorzLine"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  void UpdateSizes() override;
  int Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) override;
  int Thickness = 2, Width = -1;
  bool IsPercent = false;
};

// ---------------------------------------------------------------- text
class TFontObj {
 public:
  int Pos = 0;
  TMyFont Font;
  int FLineHeight = 0, FTextHeight = 0, Overhang = 0, Descent = 0;
  std::uint8_t VShift = 0;  // 0 normal, 1 subscript, 2 superscript
  TUrlTarget Link;
  void UpdateMetrics(TViewCanvas& c);
};

// One line of a laid out paragraph.
struct LineRec {
  int Start = 0;  // index into the section's buffer
  int SpaceBefore = 0, SpaceAfter = 0, LineHt = 0, DrawHeight = 0, Ln = 0, Descent = 0;
  int LineX = 0, DrawX = 0, DrawY = 0;
  int FloatHt = 0;
  int Total() const { return SpaceBefore + LineHt + SpaceAfter; }
};

enum : std::uint8_t { ltPlain = 0, ltNumbered = 1, ltBulleted = 2, ltDefinition = 3 };

class TSection : public TSectionBase {
 public:
  // link: the open link or nullptr; style: the builder's bold/italic/underline bits.
  TSection(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
           std::uint8_t style);
  TSection(const TSection& src, TSectionList* list);
  ~TSection() override;
  const char* ClassName() const override { return "TSection"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;

  // Builder operations.
  virtual void AppendText(const std::string& s);
  void ChangeFont(const TMyFont& font, std::uint8_t style, std::uint8_t vshift);
  void HRef(bool start, const TMyFont& font, const TUrlTarget* link, std::uint8_t style, std::uint8_t vshift);
  TImageObj* AddImage(const TImageParams& p);
  // The control of an INPUT (TYPE decides), SELECT or TEXTAREA; creates a form when none is
  // current (form is in-out). Hidden controls get no marker.
  enum TControlTag { ctInput, ctSelect, ctTextArea };
  TFormControlObj* AddFormControl(TControlTag tag, const TControlParams& p, ThtmlForm*& form);
  void SetClearMode(const std::string& clear);
  void MakeNonEmpty();
  std::uint8_t Justification() const { return Justify; }
  void AddedToCell();

  // Model operations.
  void CopySelection() override;
  int LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) override;
  int Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) override;
  bool UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) override;
  int CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) override;
  int FindText(int from, const std::string& text, bool matchCase) override;
  bool CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) override;
  void RefreshFonts() override;
  void WidthLimits(TViewCanvas& c, int& mn, int& mx) override;
  void ResetImages(bool viewImages) override;
  int LineTopAt(int y) const override;

  // Width of count characters from start (trim: trailing blanks left out, one remains).
  int TextWidth(TViewCanvas& c, int start, bool trim, int count);

  std::string Buff;
  std::vector<TFontObj> Fonts;  // the runs, the first at 0, by position
  TFreeList<TImageObj> Images;
  // The controls, owned by their forms, by position: only AddFormControl adds one, at the
  // end of the text, so the searches by position may halve the list.
  const std::vector<TFormControlObj*>& FormControls() const { return controls_; }
  int ListLevel = 0, Indent = 0, ListNumber = 0;
  std::vector<LineRec> Lines;
  TMyFont BaseFont;
  std::uint8_t ListType = ltPlain, Justify = 1, ClearMode = 0;
  int LeftIndentAtTop = 0;
  bool NoBullet = false;  // bulleted list items only
  bool Preformatted = false;
  bool TextCut = false;    // text beyond the length limit came and was left out

  // Look-ups by character index.
  const TFontObj* FontAt(int index) const;
  int RunEnd(int index) const;  // index where the next run starts (or the length)
  TImageObj* ImageAt(int pos) const;
  TFormControlObj* ControlAt(int pos) const;
  int NextImage(int pos) const;    // distance to the next image, 9999 when none
  int NextControl(int pos) const;  // distance to the next control, 9999 when none

 protected:
  // Text beyond this length is left out, the first time with a note that says so.
  static constexpr int kMaxText = 20000;
  bool TextFull(const std::string& s);
  std::vector<TFormControlObj*> controls_;
  struct TFitState;
  int FitCount(TViewCanvas& c, int start, int room, int maxCount, TFitState* st);
  int TextPieceEnd(int pos, int limit) const;
  void MeasureImages(TViewCanvas& c);
  int LineOfIndex(int index, int& before) const;
  int DoLayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im, bool pre);
  // The font of the run at the end, a new run when text came since; keepLink: a new run
  // continues the link of the one before.
  void SetRunFont(const TMyFont& font, std::uint8_t style, std::uint8_t vshift, bool keepLink);
};

class TPreFormated : public TSection {
 public:
  TPreFormated(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
               std::uint8_t style)
      : TSection(list, level, justify, link, font, style) {
    Preformatted = true;
  }
  TPreFormated(const TPreFormated& src, TSectionList* list) : TSection(src, list) {}
  const char* ClassName() const override { return "TPreFormated"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  void AppendText(const std::string& s) override;
  int LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) override;
  void WidthLimits(TViewCanvas& c, int& mn, int& mx) override;
};

class TUListItem : public TSection {
 public:
  TUListItem(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
             std::uint8_t style, bool plain = false)
      : TSection(list, level, justify, link, font, style) {
    ListType = ltBulleted;
    NoBullet = plain;
  }
  TUListItem(const TUListItem& src, TSectionList* list) : TSection(src, list) {}
  const char* ClassName() const override { return "TUListItem"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
};

class TDListItem : public TUListItem {
 public:
  TDListItem(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
             std::uint8_t style)
      : TUListItem(list, level, justify, link, font, style) {
    ListType = ltDefinition;
  }
  TDListItem(const TDListItem& src, TSectionList* list) : TUListItem(src, list) {}
  const char* ClassName() const override { return "TDListItem"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
};

class TOListItem : public TUListItem {
 public:
  TOListItem(TSectionList* list, int level, std::uint8_t justify, const TUrlTarget* link, const TMyFont& font,
             std::uint8_t style, int number)
      : TUListItem(list, level, justify, link, font, style) {
    ListType = ltNumbered;
    ListNumber = number;
  }
  TOListItem(const TOListItem& src, TSectionList* list) : TUListItem(src, list) {}
  const char* ClassName() const override { return "TOListItem"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
};

// ---------------------------------------------------------------- cells
class TCell {
 public:
  explicit TCell(TSectionList* master) : MasterList(master) {}
  virtual ~TCell();
  TCell(const TCell&) = delete;
  std::unique_ptr<TCell> Clone(TSectionList* master) const;

  void Add(std::unique_ptr<TSectionBase> s);
  virtual int LayOut(TViewCanvas& c, int y, int& counter, int& widest, int width);
  virtual void WidthLimits(TViewCanvas& c, int& mn, int& mx);
  virtual int Paint(TViewCanvas& c, const THtRect& clip, int y, int x);
  virtual bool UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out);
  void RefreshFonts();
  void ResetImages(bool viewImages);
  TSectionBase* SectionAtY(int y, int& top, int& index);
  int CharIndexAt(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX, TCell*& hit);
  int FindText(int from, const std::string& text, bool matchCase);
  bool CharIndexToXY(TViewCanvas& c, int index, int& x, int& y);
  void CopySelection();
  bool Holds(const TSectionBase* s) const;
  bool Empty() const { return Sections.empty(); }
  int Count() const { return static_cast<int>(Sections.size()); }

  TSectionList* MasterList;
  int YValue = 0, StartCurs = 0, Len = 0;
  IndentManager IMgr;
  TFreeList<TSectionBase> Sections;

 protected:
  // Drops section i, which could not be laid out or measured.
  void DropSection(int i, const std::string& message);
};

// ---------------------------------------------------------------- tables
class TCellObj {
 public:
  TCellObj(TSectionList* master, std::uint8_t valign);
  TCellObj(const TCellObj& src, TSectionList* master);  // print copy: no fill
  int ColSpan = 1, RowSpan = 1;
  int Wd = 0, Ht = 0, VSize = 0, YIndent = 0;
  std::uint8_t VAlign = 1;
  int SpecWd = 0;
  bool SpecWdPercent = false;
  std::unique_ptr<TCell> Cell;
  bool BkGnd = false;
  THtColor BkColor = 0;
  bool Filler() const { return ColSpan == 0; }
  // TD/TH attributes: COLSPAN, ROWSPAN (kept when > 1, clamped), WIDTH, BGCOLOR.
  void SetSpans(int colSpan, int rowSpan);
  void SetWidth(int width, bool percent);
  void SetBackground(THtColor c) {
    BkGnd = true;
    BkColor = c;
  }
};

class TCellList {
 public:
  TFreeList<TCellObj> Cells;
  int RowHeight = 0;
};

struct TTableParams {
  std::uint8_t Align = 1;  // 2 centre, 3 right, otherwise left
  int Border = 0;
  bool HasPadding = false, HasSpacing = false;
  int Padding = 0, Spacing = 0;
  int Width = 0;
  bool WidthPercent = false, HasWidth = false;
  bool HasBgColor = false, HasBorderColor = false;
  THtColor BgColor = 0, BorderColor = 0;
};

constexpr int kMaxTableColumns = 30;
// A span beyond the column limit can only make the table fail; clamped before any filler
// cell is made.
constexpr int kMaxColSpan = kMaxTableColumns + 1;
constexpr int kMaxRowSpan = 10000;

class ThtmlTable : public TSectionBase {
 public:
  ThtmlTable(TSectionList* list, const TTableParams& p);
  ThtmlTable(const ThtmlTable& src, TSectionList* list);
  const char* ClassName() const override { return "ThtmlTable"; }
  std::unique_ptr<TSectionBase> CreateClone(TSectionList* list) const override;
  void AddRow(std::unique_ptr<TCellList> row) { Rows.push_back(std::move(row)); }

  void CopySelection() override;
  int LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) override;
  int Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) override;
  bool UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) override;
  int CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) override;
  int FindText(int from, const std::string& text, bool matchCase) override;
  bool CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) override;
  void RefreshFonts() override;
  void WidthLimits(TViewCanvas& c, int& mn, int& mx) override;
  bool Holds(const TSectionBase* s) const override;
  void ResetImages(bool viewImages) override;

  void Normalize();  // spans into filler cells; raises EProcessError beyond 30 columns
  // Column minima and maxima in the table's mode; returns the totals.
  void ComputeLimits(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs, int& totalMin, int& totalMax);
  // Column widths for an inner width W.
  std::vector<int> ColumnWidths(TViewCanvas& c, int w);

  TFreeList<TCellList> Rows;
  std::unique_ptr<TCellObj> Caption;
  bool Normalized = false;
  bool HasBorder = false;
  bool TopCaption = true;
  int TableIndent = 0, AlignIndent = 0;
  std::uint8_t Align = 1;
  int NumCols = 0;
  int TableWidth = 0, DisplayWidth = 0;
  int SpecWidth = 0;
  bool WidthPercent = false, HasSpecWidth = false;
  bool AbsoluteMode = false;
  int CaptionHeight = 0, RowsHeight = 0;
  int CellPadding = 2, CellSpacing = 3;
  int CaptionMinWidth = 0;
  std::vector<int> Widths, Percents;
  int DrawX = 0, DrawY = 0;
  bool BkGnd = false, HasBorderColor = false;
  THtColor BkColor = 0, BorderColor = 0;

 private:
  void LimitsAbsolute(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs);
  void LimitsPercent(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs);
  // Visits caption and cells in document order until f answers true.
  bool ForEachCellInOrder(const std::function<bool(TCellObj&)>& f);
};

// ---------------------------------------------------------------- the document root
using TGetBitmapCallback =
    std::function<void(TObject* sender, const std::string& src, TViewImagePtr& bitmap, THtColor& color)>;
// The results list passes to the handler.
using TFormSubmitCallback = std::function<void(TObject* sender, const std::string& action, const std::string& method,
                                               std::vector<std::string> results)>;

// Platform image services: file loading with masks, masks of a colour, the placeholders.
class TImageServices {
 public:
  virtual ~TImageServices() = default;
  // transparency: 0 none, 1 lower-left requested (becomes 2 for a GIF colour).
  virtual TViewImagePtr LoadImageWithMask(const std::string& file, int& transparency, TViewImagePtr& mask) = 0;
  // fromColor false: the lower-left pixel's colour.
  virtual TViewImagePtr MakeTransparencyMask(const TViewImage& bmp, bool fromColor, THtColor color) = 0;
  virtual TViewImagePtr ErrorImage() = 0;  // resource bitmap 1001
  virtual TViewImagePtr OffImage() = 0;    // resource bitmap 1002
};

class TSectionList : public TCell {
 public:
  explicit TSectionList(TObject* viewer = nullptr);
  ~TSectionList() override;
  // The print copy: sections cloned, settings copied; bitmaps shared by reference.
  std::unique_ptr<TSectionList> CreateClone() const;
  void Clear();
  void ApplyDefaults(const std::string& fontName, const std::string& preFontName, THtColor background, THtColor hotSpot,
                     THtColor fontColor, int baseSize);
  void SetBackgroundColor(THtColor c);
  void SetBackgroundImageName(const std::string& name);
  TViewImagePtr BackgroundImage();
  void SetScrollOffset(int y);
  // Every control counts as not placed; the next paint hides those it does not place.
  void MarkControlsMoved();
  // Lays out the root; messages of dropped sections are shown after the layout.
  int LayOut(TViewCanvas& c, int y, int& counter, int& widest, int width) override;
  int DoLayout(TViewCanvas& c, int width, int& widest);  // at y 0 with a fresh counter
  int Paint(TViewCanvas& c, const THtRect& clip, int y, int x) override;
  bool UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) override;
  int CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX);
  int FindTextFrom(int from, const std::string& text, bool matchCase);
  // The selected text (CR LF lines, markers left out); empty unless start < end.
  std::string SelectionText();
  void CopyToClipboard();
  int GetSectionTop(int n) const;
  TSectionBase* SectionAndLineAtY(int y, int& top);
  // After a load or an image switch: images requested or dropped, background obtained.
  void Finish();
  TViewImagePtr ObtainImage(const std::string& source, int& transparency, TViewImagePtr& mask);
  void SetImageCacheCount(int n) { BitmapList.SetUsageLimit(n); }
  bool LayingOut() const { return layingOut_; }
  bool PlainWhite() const;  // page white and no background image shown
  THtColor LightColor() const;

  bool ShowImages = false;
  bool ImagesMeasured = false;  // an image of the list has been laid out since it was cleared
  bool Printing = false;
  int ScrollOffset = 0;
  int SelB = 0, SelE = 0;
  std::string FontName = "Times New Roman", PreFontName = "Courier New";
  int FontSize = 12;
  THtColor FontColor = htc::BtnText, HotSpotColor = htc::Blue;
  TObject* TheOwner;
  TGetBitmapCallback GetBitmap;
  THtColor Background = htc::BtnFace;
  std::function<void()> OnBackgroundChange;
  TStringBitmapList BitmapList;
  TViewImagePtr BackgroundBitmap;
  std::string BackgroundName;
  bool HasBackgroundName = false;
  TFreeList<ThtmlForm> HtmlFormList;
  TFormSubmitCallback SubmitForm;
  TClipBuffer* CB = nullptr;
  int PageBottom = 0;
  int PageHeight = 0;  // printing: the height of one page
  TFreeList<TMapItem> MapList;
  bool ControlsMoved = false;

  // Platform hooks.
  std::function<std::string(const std::string&)> ExpandSourceName;
  TImageServices* ImageServices = nullptr;
  TFormWidgetFactory* Widgets = nullptr;
  std::function<void(const std::string&)> ShowError;          // the message of a dropped section
  std::function<void(const TSectionBase*)> OnSectionDropped;  // before it is freed
  // The viewer's anchor list (names with their sections): anchors into a dropped section go.
  TStrings* Anchors = nullptr;
  std::function<void()> OnClipboard;  // SelectionText is put on the clipboard by the platform
  std::function<void(const std::string&)> PutOnClipboard;

  // Dropped sections and their messages, handled at the end of the layout.
  void QueueDrop(std::unique_ptr<TSectionBase> s, const std::string& message);

 private:
  void FinishDrops();
  bool layingOut_ = false;
  std::vector<std::unique_ptr<TSectionBase>> dropped_;
  std::vector<std::string> messages_;
};

}  // namespace vx
