// The scrolling HTML display control: loads a document (file, strings, memory) through the
// builder, lays it out for its width, paints it through an offscreen bitmap on a child
// panel, scrolls with two scroll bars and the keyboard, selects with the mouse, follows
// links with a history and copies the selection.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/ExtCtrls.h"
#include "framework/win/StdCtrls.h"
#include "viewer/HTMLGdi.h"
#include "viewer/ReadHTML.h"

namespace vx {

class THTMLViewer;

enum THTMLBorderStyle { htFocused, htNone, htSingle };

// The viewer's private messages, posted to itself.
constexpr UINT WM_VIEWER_FORMSUBMIT = WM_USER + 100;
constexpr UINT WM_VIEWER_BORDER = WM_USER + 101;
constexpr UINT WM_VIEWER_AUTOSCROLL = WM_USER + 102;

using THotSpotEvent = std::function<void(TObject* Sender, const std::string& SRC)>;
using THotSpotClickEvent = std::function<void(TObject* Sender, const std::string& SRC, bool& Handled)>;
// The bitmap handed back becomes the viewer's (its image cache owns it); Color other than
// -1 is the transparent colour.
using TGetBitmapEvent =
    std::function<void(TObject* Sender, const std::string& SRC, std::unique_ptr<TBitmap>& Bitmap, TColor& Color)>;
// The Results list passes to the handler.
using TFormSubmitEvent = std::function<void(TObject* Sender, const std::string& Action, const std::string& Method,
                                            std::unique_ptr<TStringList> Results)>;
using TProcessingEvent = std::function<void(TObject* Sender, bool ProcessingOn)>;

// The panel the document is painted on, through an offscreen bitmap.
class TPaintPanel : public TCustomPanel {
 public:
  TPaintPanel(TComponent* owner, THTMLViewer* viewer);
  const char* ClassName() const override { return "TPaintPanel"; }
  void WndProc(TMessage& m) override;
  bool EraseOnNext = false;  // draw the background at the next erase (after a width change)
  THTMLViewer* Viewer;

 protected:
  void CreateParams(TCreateParams& p) override;
  void Paint() override;

 protected:
  ~TPaintPanel() override = default;
};

// A scroll bar that keeps a 32-bit position, page and range and tells the window only what changed.
class T32ScrollBar : public TScrollBar {
 public:
  explicit T32ScrollBar(TComponent* owner);
  const char* ClassName() const override { return "T32ScrollBar"; }
  void SetScrollParams(int min, int max, int page, int position);
  void SetPosition(int p) { SetScrollParams(min_, max_, page_, p); }
  void SetMax(int m) { SetScrollParams(min_, m, page_, pos_); }
  int Position() const { return pos_; }
  int Max() const { return max_; }
  int Page() const { return page_; }
  void WndProc(TMessage& m) override;
  // code: SB_* of the message; pos: for thumb tracking the 32-bit track position.
  std::function<void(int code, int pos)> OnScroll32;

 protected:
  void CreateWnd() override;

 private:
  void Apply();
  int min_ = 0, max_ = 0, page_ = 0, pos_ = 0;

 protected:
  ~T32ScrollBar() override = default;
};

// A saved view: position (section index shl 16 + offset) and document kind.
class PositionObj : public TObject {
 public:
  const char* ClassName() const override { return "PositionObj"; }
  int Pos = 0;
  int FileType = 0;
};

class THTMLViewer : public TCustomControl {
 public:
  explicit THTMLViewer(TComponent* owner);
  const char* ClassName() const override { return "THTMLViewer"; }

  // Loading. A file name may end in a "#" anchor part. A missing file raises EInOutError
  // "Can't locate file: " + name and keeps the old document.
  void LoadFromFile(const std::string& fileName);
  void LoadPlainTextFile(const std::string& fileName);
  void LoadPictureFile(const std::string& fileName);
  void LoadFromStrings(const TStrings& strings) { LoadFromStringsAs(strings, 0); }
  void LoadFromStringsAs(const TStrings& strings, int kind);  // 0 HTML, 1 plain text
  void LoadFromMemory(const char* buffer, size_t length);
  // An HTML text held in one string (lines split at any line end).
  void LoadFromString(const std::string& html);
  virtual void Clear();

  bool GoToAnchor(const std::string& name);
  void SelectAll();
  void CopyToClipboard();
  int GetSelLength() const;
  int SelLength() const { return GetSelLength(); }
  // The selected text as it would be copied.
  std::string SelText();
  int GetViewPosition();
  void SetViewPosition(int p);
  int Position() { return GetViewPosition(); }
  void SetPosition(int p) { SetViewPosition(p); }
  // Finds text from the character index from (case ignored unless matchCase); -1 none.
  int FindText(const std::string& text, int from = 0, bool matchCase = false);

  const std::string& GetTitle() const { return title_; }
  const std::string& GetFileName() const { return fileName_; }
  const std::string& GetBaseHref() const { return base_; }
  const std::string& GetDefaultTarget() const { return target_; }
  const std::string& GetLinkURL() const { return linkUrl_; }
  const std::string& GetLinkTarget() const { return linkTarget_; }
  int DocumentKind() const { return fileType_; }
  void SetBaseHrefDefault(const std::string& base) {
    if (base_.empty()) base_ = base;
  }

  // History (HistoryMaxCount > 0): entry 0 is the newest.
  void AddHistoryEntry(const std::string& file, const std::string& title, int kind, int position);
  void GoToHistoryEntry(int i);
  void ResetHistory();
  int HistoryIndex() const { return historyIndex_; }
  void SetHistoryIndex(int i) { GoToHistoryEntry(i); }
  int HistoryCount() const { return static_cast<int>(history_.size()); }
  const std::string& HistoryFile(int i) const { return history_.at(i).File; }
  const std::string& HistoryTitle(int i) const { return history_.at(i).Title; }

  // Panel coordinates.
  bool LinkAtPoint(int x, int y, TUrlTarget& link);
  virtual std::string ExpandSourceName(const std::string& name);

  bool Processing() const { return processing_; }
  TSectionList* Document() { return doc_.get(); }
  TStringList* Anchors() { return &anchors_; }
  TPaintPanel* PaintPanel() { return panel_; }
  T32ScrollBar* VScrollBar() { return vbar_; }
  TScrollBar* HScrollBar() { return hbar_; }
  int DocumentHeight() const { return docHeight_; }
  int DocumentWidth() const { return docWidth_; }
  int ScrollBarWidth() const { return sbWidth_; }
  int VPosition() const { return vbar_->Position(); }
  int HPosition() const { return hbar_->Position(); }
  // Prints pages FromPage to ToPage (counted from 1) on the program's printer; nothing
  // while processing. EPrinter when there is no valid printer or the printer fails.
  void Print(int FromPage, int ToPage);
  // Lays the document out again at the current width, keeping the view position.
  void Relayout();
  void ScrollTo(int y);

  // Published properties.
  bool ViewImages() const { return viewImages_; }
  void SetViewImages(bool v);
  TColor DefBackground() const { return defBackground_; }
  void SetDefBackground(TColor c);
  THTMLBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(THTMLBorderStyle b);
  int HistoryMaxCount() const { return historyMax_; }
  void SetHistoryMaxCount(int n);
  const std::string& DefFontName() const { return defFontName_; }
  void SetDefFontName(const std::string& n);
  const std::string& DefPreFontName() const { return defPreFontName_; }
  void SetDefPreFontName(const std::string& n);
  int DefFontSize() const { return defFontSize_; }
  void SetDefFontSize(int s);
  TColor DefFontColor() const { return defFontColor_; }
  void SetDefFontColor(TColor c);
  TColor DefHotSpotColor() const { return defHotSpotColor_; }
  void SetDefHotSpotColor(TColor c);
  int ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int n);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);

  THotSpotEvent OnHotSpotCovered;
  THotSpotClickEvent OnHotSpotClick;
  TNotifyEvent OnHistoryChange;
  TProcessingEvent OnProcessing;
  const TGetBitmapEvent& OnBitmapRequest() const { return onBitmapRequest_; }
  void SetOnBitmapRequest(TGetBitmapEvent e);
  const TFormSubmitEvent& OnFormSubmit() const { return onFormSubmit_; }
  void SetOnFormSubmit(TFormSubmitEvent e);

  void WndProc(TMessage& m) override;
  HPALETTE GetPalette();

  // The panel's paint call-back: the document into dc for the clip rectangle (panel coordinates).
  virtual void PaintDocument(HDC dc, const RECT& clip);
  void DrawBackground(HDC dc, const RECT& clip);
  virtual void PanelMouseDown(TMouseButton b, TShiftState s, int x, int y);
  virtual void PanelMouseMove(TShiftState s, int x, int y);
  virtual void PanelMouseUp(TMouseButton b, TShiftState s, int x, int y);
  // A link of the document was chosen: the hot-spot event, then anchors, pages and pictures.
  virtual void FollowLink();
  virtual bool FireHotSpotClick();

 protected:
  void KeyDown(WORD& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void Paint() override;
  void Resize() override;
  void BeforeDestruction() override;

 private:
  struct THistoryEntry {
    std::string File, Title;
    std::unique_ptr<PositionObj> Pos;
  };
  struct TPendingSubmit {
    std::string Action, Method;
    std::unique_ptr<TStringList> Results;
  };

  void LoadDocument(const std::string& fileName, int kind, bool history);
  void ClearForLoad();
  void FinishLoad(const THtmlDocInfo& info);
  void EndTextLoad(const THtmlDocInfo& info, int fileType, std::exception_ptr failed);
  void Layout();
  void ArrangeScrollBars();
  void ChangeProcessingState(bool on);
  void BackgroundColorChanged();
  void QueueFormSubmit(const std::string& action, const std::string& method, std::vector<std::string> results);
  void DeliverFormSubmits();
  void DrawBorder();
  void ExtendSelection(int x, int y);
  void AutoScroll();
  void VScroll(int code, int pos);
  void HScroll(TObject* sender, TScrollCode code, int& pos);
  void InvalidatePanel();
  void SetVPos(int y);
  int MaxVPos() const;
  int MaxHPos() const;
  TViewCanvas& MeasureCanvas();
  void RefreshDocumentFonts();
  void LayoutKeepingPosition();

  TPaintPanel* panel_ = nullptr;
  T32ScrollBar* vbar_ = nullptr;
  TScrollBar* hbar_ = nullptr;
  std::unique_ptr<TSectionList> doc_;
  std::unique_ptr<TFormWidgetFactory> widgets_;
  TStringList anchors_;
  std::string viewAnchor_;  // the anchor the view was placed at, until it moves
  std::string fileName_, title_, base_, target_, linkUrl_, linkTarget_;
  int fileType_ = 0;
  int docWidth_ = 0, docHeight_ = 0, lastLayoutWidth_ = -1;
  int sbWidth_ = 0;
  int selAnchor_ = -1, selLast_ = -1;  // mouse-down index and last selection end
  int mouseDownIndex_ = -1;
  bool focusedAtDown_ = false, autoScrolling_ = false, processing_ = false, layingOut_ = false;
  bool leftDown_ = false;
  std::vector<THistoryEntry> history_;
  int historyIndex_ = 0;
  std::deque<TPendingSubmit> submits_;

  bool viewImages_ = false;
  TColor defBackground_ = clBtnFace;
  THTMLBorderStyle borderStyle_ = htFocused;
  int historyMax_ = 0;
  std::string defFontName_ = "Times New Roman", defPreFontName_ = "Courier New";
  int defFontSize_ = 12;
  TColor defFontColor_ = clBtnText, defHotSpotColor_ = 0xFF0000;
  int imageCacheCount_ = 5;
  bool noSelect_ = false;
  TScrollStyle scrollBars_ = ssBoth;
  TGetBitmapEvent onBitmapRequest_;
  TFormSubmitEvent onFormSubmit_;

  HDC measureDC_ = nullptr;
  std::unique_ptr<TGdiViewCanvas> measure_;
  // The background picture converted once for the screen.
  const TViewImage* bgSource_ = nullptr;
  HBITMAP bgBitmap_ = nullptr;
  int bgW_ = 0, bgH_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

 protected:
  ~THTMLViewer() override;
};

}  // namespace vx
