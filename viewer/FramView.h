// The frame viewer: a frame document shown as a tree of panels, each leaf frame holding a
// viewer of its own (or an ordinary document, picture or text file in one frame), with
// link targets between frames, borders dragged with the mouse, and a history of whole
// frame sets beside each viewer's own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Menus.h"
#include "viewer/FrameDocument.h"
#include "viewer/Htmlview.h"

namespace vx {

class TFrameSet;
class TSubFrameSet;
class TFrameViewer;

// Posted by the frame viewer to itself: a link chosen in a frame is followed once the
// clicked viewer's mouse handling has returned, since following it may free that viewer.
constexpr UINT WM_FRAMEVIEWER_FOLLOW = WM_USER + 110;

using THotSpotTargetEvent = std::function<void(TObject* Sender, const std::string& Target, const std::string& URL)>;
using THotSpotTargetClickEvent =
    std::function<void(TObject* Sender, const std::string& Target, const std::string& URL, bool& Handled)>;
using TWindowRequestEvent = std::function<void(TObject* Sender, const std::string& Target, const std::string& URL)>;

// Loads of frame documents nest at most this deep; deeper frames stay empty.
constexpr int kMaxFrameLoadNesting = 4;

class TFrameBase : public TCustomPanel {
 public:
  TFrameBase(TComponent* owner, TFrameSet* master);
  const char* ClassName() const override { return "TFrameBase"; }
  // Coordinates in this panel's client area.
  virtual void MouseDownOnBorder(TMouseButton b, TShiftState s, int x, int y) {}
  virtual void MouseMoveOnBorder(TShiftState s, int x, int y) {}
  virtual void MouseUpOnBorder(TMouseButton b, TShiftState s, int x, int y) {}
  // Whether this piece fixes the border before (above or left of) it and the one after.
  virtual bool GetNoResize(bool& before, bool& after) = 0;
  virtual void LoadContent() = 0;
  // position < 0: the position saved when the content was unloaded.
  virtual void ReloadContent(int position) = 0;
  virtual void UnloadContent() = 0;
  virtual void ComputeSizes(int left, int top, int height, int width) = 0;

  TFrameSet* MasterSet;

 protected:
  ~TFrameBase() override = default;
};

// One FRAME.
class TFrame : public TFrameBase {
 public:
  // A piece that is a note shows its text and loads nothing.
  TFrame(TSubFrameSet* parent, TFrameSet* master, const TFramePiece& piece);
  const char* ClassName() const override { return "TFrame"; }
  bool GetNoResize(bool& before, bool& after) override;
  void LoadContent() override;
  void ReloadContent(int position) override;
  void UnloadContent() override;
  void ComputeSizes(int left, int top, int height, int width) override;
  // Shows a page in this frame (an empty file: the frame's own); only HTML files are followed.
  void OpenLink(const std::string& file, const std::string& dest);

  TSubFrameSet* ParentSet;
  std::string FrameName, Source;
  bool NoResize = false, NoScroll = false;
  THTMLViewer* Viewer = nullptr;
  TSubFrameSet* FrameSet = nullptr;  // a nested frame document
  int SavedPosition = 0;

 protected:
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;

 private:
  void CreateViewer();
  void FreeContent();
  // Loads the source into the viewer by its kind (picture, text or HTML).
  void LoadViewer(const std::string& file, const std::string& dest);
  void ShowErrorPage();
  void LoadNestedSet(const std::string& file);

 protected:
  ~TFrame() override = default;
};

// One FRAMESET.
class TSubFrameSet : public TFrameBase {
 public:
  TSubFrameSet(TComponent* owner, TFrameSet* master);
  const char* ClassName() const override { return "TSubFrameSet"; }
  void MouseDownOnBorder(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMoveOnBorder(TShiftState s, int x, int y) override;
  void MouseUpOnBorder(TMouseButton b, TShiftState s, int x, int y) override;
  bool GetNoResize(bool& before, bool& after) override;
  void LoadContent() override;
  void ReloadContent(int position) override;
  void UnloadContent() override;
  void ComputeSizes(int left, int top, int height, int width) override;
  virtual void ClearFrames();
  void FinishFrames();

  // The panels of a set read from a frame document.
  void Build(const TFrameSetSpec& spec);
  TFrame* AddFrame(const TFramePiece& piece);
  // Frames and sets shown inside this set, at every depth.
  int PieceCount() const;
  // Reads a frame document into this set (and the sets it nests); false when the file is
  // no frame document or cannot be read as one, leaving the set empty.
  bool ReadFrameDocument(const std::string& file, THtmlDocInfo& info);

  // Places the children again in the client area, sizes scaled to it.
  void ArrangeChildren();
  // Fixes the borders that a NORESIZE frame touches.
  void CollectFixedBorders();
  // Replaces the set's children by one frame showing the file.
  void OpenLink(const std::string& file, const std::string& dest);
  // A relative name of this set's document made whole: against its BASE, else its folder.
  std::string ExpandFrameSource(const std::string& src) const;
  // The set around this one (through the frame that holds it); nullptr for the master.
  TSubFrameSet* ParentSubSet() const;

  std::vector<TFrameBase*> List;  // children in document order
  bool OnRows = false;
  std::vector<int> Entries;  // ROWS or COLS as written (encoded)
  std::vector<int> Sizes;    // computed sizes
  int TotalSize = 0;
  std::vector<int> Borders;  // Borders[i]: where child i starts; the last is the end
  std::vector<bool> Fixed;   // per border
  std::string BaseHref, BaseTarget;
  std::string DocumentFile;   // the frame document this set was read from
  int BorderIndex = -1;       // the border under the pointer
  RECT DragRect{0, 0, 0, 0};  // the drag line, screen coordinates

 protected:
  void Resize() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;

 private:
  bool NearOutside(int x, int y) const;
  POINT OffsetInParentSet() const;
  int Extent();
  void DrawDragLine();
  void MoveDragLine(int pos);

 protected:
  ~TSubFrameSet() override = default;
};

// The master of one displayed tree of frames.
class TFrameSet : public TSubFrameSet {
 public:
  TFrameSet(TFrameViewer* viewer);
  const char* ClassName() const override { return "TFrameSet"; }
  void ClearFrames() override;
  // Loads a file (frame document, HTML page, picture or text file) into the set.
  void LoadFromFile(const std::string& file, const std::string& dest);
  THTMLViewer* GetCurrentViewer();
  void ViewerEntered(THTMLViewer* v);
  void AddFrameName(const std::string& name, TFrame* f);
  TFrame* FindFrame(const std::string& name) const;
  void AddViewer(THTMLViewer* v);
  int ViewerCount() const { return static_cast<int>(Viewers.size()); }
  // The viewer of a set that holds exactly one, else nullptr.
  THTMLViewer* SingleViewer() const { return Viewers.size() == 1 ? Viewers[0] : nullptr; }
  void CheckSize();

  TFrameViewer* FrameViewer;
  std::string Title, FileName;
  TStringList FrameNames;  // upper-cased names, each with its TFrame
  std::vector<THTMLViewer*> Viewers;
  TSubFrameSet* DraggedSet = nullptr;
  int LastWidth = -1, LastHeight = -1;
  THTMLViewer* FocusedViewer = nullptr;
  int NestLevel = 0;
  // The pointer over the borders, for the piece that had the mouse.
  TCursor HoverCursor = crDefault;
  // A FRAMESET was met by the last read (a parse error after it fails the load).
  bool FrameSetStarted = false;

 protected:
  void Resize() override;
  void Notification(TComponent* c, TOperation op) override;

 protected:
  ~TFrameSet() override = default;
};

class TFrameViewer : public TWinControl {
 public:
  explicit TFrameViewer(TComponent* owner);
  const char* ClassName() const override { return "TFrameViewer"; }

  // A file name with an optional "#" anchor part; "Can't locate file: " when missing.
  // Refused while the frame viewer is processing.
  void LoadFromFile(const std::string& name);
  const std::string& GetTitle() const;
  const std::string& GetFileName() const;
  THTMLViewer* GetCurrentViewer();
  // The current viewer's Print; nothing without one.
  void Print(int FromPage, int ToPage);
  TFrameSet* CurrentFrameSet() const { return current_; }

  // The frame-set history, newest first.
  int HistoryIndex() const { return historyIndex_; }
  void SetHistoryIndex(int i) { GoToHistoryEntry(i); }
  int HistoryCount() const { return static_cast<int>(history_.size()); }
  const std::string& History(int i) const;
  const std::string& HistoryTitle(int i) const;
  void GoToHistoryEntry(int i);
  void ResetHistory();
  // Whether the frame viewer or any of its viewers is processing.
  bool Processing() const { return processing_ || !busy_.empty(); }

  virtual std::string ExpandSourceName(const std::string& name);
  // The popup with "Forward in Frame" and "Back in Frame" (the viewers' popup when no
  // PopupMenu is given).
  TPopupMenu* FramePopup() const { return popup_; }
  TMenuItem* ForwardInFrame() const { return fwdItem_; }
  TMenuItem* BackInFrame() const { return backItem_; }

  // Published properties.
  bool ViewImages() const { return viewImages_; }
  void SetViewImages(bool v);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool v);
  int SelLength();
  int HistoryMaxCount() const { return historyMax_; }
  void SetHistoryMaxCount(int n);
  TColor DefBackground() const { return defBackground_; }
  void SetDefBackground(TColor c);
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
  const TFormSubmitEvent& OnFormSubmit() const { return onFormSubmit_; }
  void SetOnFormSubmit(TFormSubmitEvent e);
  const TGetBitmapEvent& OnBitmapRequest() const { return onBitmapRequest_; }
  void SetOnBitmapRequest(TGetBitmapEvent e);

  THotSpotTargetEvent OnHotSpotTargetCovered;
  THotSpotTargetClickEvent OnHotSpotTargetClick;
  TWindowRequestEvent OnBlankWindowRequest;
  TNotifyEvent OnHistoryChange;
  TProcessingEvent OnProcessing;

  void WndProc(TMessage& m) override;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* c, TOperation op) override;

 private:
  friend class TFrame;
  friend class TSubFrameSet;
  class TProcessingScope;
  struct THistoryEntry {
    std::string File;
    TFrameSet* Set = nullptr;
    std::string Title;
    int Position = 0;
  };
  // A link chosen in a frame, waiting for the posted message.
  struct TPendingLink {
    THTMLViewer* Viewer = nullptr;
    std::string URL, Target;
  };
  friend class TFrameSet;

  void DoLoadFromFile(const std::string& name);
  void FreeSetLater(TFrameSet* s);
  void ChildLinkClick(TObject* Sender, const std::string& URL, bool& Handled);
  void ChildLinkCovered(TObject* Sender, const std::string& URL);
  void FollowPendingLinks();
  void FollowLink(THTMLViewer* viewer, const std::string& url, const std::string& target);
  // The effective target and base of a viewer: its own, else those of the enclosing sets.
  std::string EffectiveTarget(THTMLViewer* v, const std::string& linkTarget);
  std::string EffectiveBase(THTMLViewer* v);
  TFrame* FrameOfViewer(THTMLViewer* v) const;
  void ViewerBusyChanged(THTMLViewer* v, bool on);
  void ChangeProcessingState();
  void AddHistoryEntry(TFrameSet* oldSet, int position);
  void AddHistoryEntry(const std::string& file, const std::string& title, int position);
  void RecordLeft(const THistoryEntry* left);
  bool HeldByHistory(const TFrameSet* s) const;
  void FreeSetUnlessHeld(TFrameSet* s);
  void FramePopupPopup(TObject* Sender);
  void FwdBackInFrame(int delta);
  // Every viewer of every set, shown or in the history.
  void ForEachViewer(const std::function<void(THTMLViewer*)>& f);
  void SetupViewer(THTMLViewer* v);

  TFrameSet* current_ = nullptr;
  bool processing_ = false, reported_ = false;
  std::vector<THTMLViewer*> busy_;
  std::string linkURL_, linkTarget_;
  std::vector<TPendingLink> pending_;
  std::vector<THistoryEntry> history_;
  int historyIndex_ = 0;
  std::vector<TFrameSet*> dead_;  // sets to free from the posted message
  TPopupMenu* popup_ = nullptr;
  THTMLViewer* popupViewer_ = nullptr;
  TMenuItem *fwdItem_ = nullptr, *backItem_ = nullptr;

  bool viewImages_ = true, noSelect_ = false;
  int historyMax_ = 0;
  TColor defBackground_ = clBtnFace;
  std::string defFontName_ = "Times New Roman", defPreFontName_ = "Courier New";
  int defFontSize_ = 12;
  TColor defFontColor_ = clBtnText, defHotSpotColor_ = 0xFF0000;
  TFormSubmitEvent onFormSubmit_;
  TGetBitmapEvent onBitmapRequest_;

 protected:
  ~TFrameViewer() override;
};

}  // namespace vx
