// Controls: the C++ object holds all state, the window is made on demand from it and
// made again with it. One window procedure serves every control; it finds the object
// by HWND in a table (never in the window's extra bytes, which belong to the class).
#pragma once

#include "framework/win/WinApi.h"

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/win/Graphics.h"
#include "framework/win/UtilityWindows.h"

namespace vx {

class TWinControl;
class TPopupMenu;

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// The framework's own notices, in one block below 0xB03C (0xB03C-0xB03E are the
// toolkit's). CM_DIALOGKEY is CM_BASE + 5.
constexpr UINT CM_BASE = 0xB000;
enum : UINT {
  CM_ACTIVATE = CM_BASE,
  CM_DEACTIVATE,
  CM_GOTFOCUS,
  CM_LOSTFOCUS,
  CM_CANCELMODE,
  CM_DIALOGKEY,     // 0xB005: a key the focused control did not want (wParam = key)
  CM_DIALOGCHAR,    // an accelerator character (wParam = char)
  CM_FOCUSCHANGED,  // lParam = the newly focused control
  CM_PARENTFONTCHANGED,
  CM_PARENTCOLORCHANGED,
  CM_VISIBLECHANGED,
  CM_ENABLEDCHANGED,
  CM_COLORCHANGED,
  CM_FONTCHANGED,
  CM_CURSORCHANGED,
  CM_CTL3DCHANGED,
  CM_PARENTCTL3DCHANGED,
  CM_TEXTCHANGED,
  CM_MOUSEENTER,
  CM_MOUSELEAVE,
  CM_MENUCHANGED,
  CM_BUTTONPRESSED,
  CM_SHOWINGCHANGED,
  CM_ENTER,
  CM_EXIT,
  CM_SHOWHINTCHANGED,
  CM_PARENTSHOWHINTCHANGED,
  CM_SYSCOLORCHANGE,
  CM_TABSTOPCHANGED,
  CM_HITTEST,  // lParam = MAKELPARAM(x, y); a non-zero result means hit
  CM_RECREATEWND,
  CM_RELEASE,  // posted to a form: free it
  CM_INVOKEHELP,
  CM_WANTSPECIALKEY,
  CM_CONTROLLISTCHANGE,
  CM_CHILDKEY,
  CM_DEFERREDAPPLY,  // posted by a control to itself: act once the system control has finished
  CM_LAST_FRAMEWORK
};
static_assert(CM_LAST_FRAMEWORK < 0xB03C, "framework notices must stay clear of 0xB03C-0xB03E");

// Notifications reflected from a parent to the child they concern: CN_BASE + the message.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TTypeInfo* TypeInfoAlign();
enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftFlag>;
TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csReplicatable,
  csNoStdEvents
};
using TControlStyle = TSet<TControlStyleFlag>;
enum TControlStateFlag { csLButtonDown, csClicked, csCreating, csAlignmentNeeded, csFocusing, csMouseInside };
using TControlState = TSet<TControlStateFlag>;

using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6, crSizeNS = -7,
                  crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                  crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;

enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

// The "short|long" halves of a hint.
AnsiString GetShortHint(const AnsiString& hint);
AnsiString GetLongHint(const AnsiString& hint);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  const char* ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* p);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  // Does nothing when the bounds are unchanged (controls placed while painting rely on it).
  virtual void SetBounds(int l, int t, int w, int h);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }
  virtual RECT ClientRect();
  int ClientWidth() {
    RECT r = ClientRect();
    return r.right - r.left;
  }
  int ClientHeight() {
    RECT r = ClientRect();
    return r.bottom - r.top;
  }
  virtual void SetClientSize(int w, int h);
  void SetClientWidth(int w) { SetClientSize(w, ClientHeight()); }
  void SetClientHeight(int h) { SetClientSize(ClientWidth(), h); }
  POINT ClientToScreen(POINT p);
  POINT ScreenToClient(POINT p);
  // The origin of this control's client area in its nearest window's client area.
  virtual POINT ClientOrigin();

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and every parent visible too.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool e);
  AnsiString Caption() { return GetText(); }
  void SetCaption(const AnsiString& s) { SetText(s); }
  AnsiString Text() { return GetText(); }
  virtual AnsiString GetText();
  virtual void SetText(const AnsiString& s);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() { return &font_; }
  void SetFont(const TFont& f) { font_.Assign(f); }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& h) { hint_ = h; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* m);
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle s) { controlStyle_ = s; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState s) { controlState_ = s; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int h) { helpContext_ = h; }
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode m) { dragMode_ = m; }
  TCursor DragCursor() const { return dragCursor_; }
  void SetDragCursor(TCursor c) { dragCursor_ = c; }
  // Runs the drag loop; immediate starts at once, otherwise after a 5-pixel move.
  void BeginDrag(bool immediate);
  bool Dragging() const;
  virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int x, int y);

  LRESULT Perform(UINT msg, WPARAM w = 0, LPARAM l = 0);
  virtual void WndProc(TMessage& m);
  virtual void DefaultHandler(TMessage& m) {}
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();
  virtual void Click();
  virtual void DblClick();

  TNotifyEvent OnClick, OnDblClick, OnResize, OnMouseEnter, OnMouseLeave;
  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;

 protected:
  void BeforeDestruction() override;
  virtual void Resize();
  virtual void MouseDown(TMouseButton b, TShiftState s, int x, int y);
  virtual void MouseUp(TMouseButton b, TShiftState s, int x, int y);
  virtual void MouseMove(TShiftState s, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);
  // Where an automatic drag started (screen), for controls that start it themselves.
  void SetDragStart(POINT screen) {
    dragStart_ = screen;
    dragStartSet_ = true;
  }
  virtual void FontChanged();
  virtual void ColorChanged();
  virtual void VisibleChanged();
  virtual void EnabledChanged();
  virtual void TextChanged();
  void SetVisibleFlag(bool v) { visible_ = v; }
  // Raw bounds store, used when the window reports its real size.
  void StoreBounds(int l, int t, int w, int h) {
    left_ = l;
    top_ = t;
    width_ = w;
    height_ = h;
  }
  void RequestAlign();
  bool ContainsPoint(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  TFont font_;
  AnsiString text_;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};

 private:
  friend class TWinControl;
  void HandleMouse(TMessage& m);
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  bool visible_ = true, enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false, parentFont_ = true, updatingFont_ = false;
  AnsiString hint_;
  bool showHint_ = false, parentShowHint_ = true;
  TCursor cursor_ = crDefault;
  TPopupMenu* popupMenu_ = nullptr;
  TControlState controlState_;
  int helpContext_ = 0;
  TDragMode dragMode_ = dmManual;
  TCursor dragCursor_ = crDrag;
  POINT dragStart_{0, 0};
  bool dragStartSet_ = false;

 protected:
  ~TControl() override;
};

// A canvas on a control: a borrowed paint DC, or one taken from the window on demand.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* c) : control_(c) {}
  ~TControlCanvas() override;
  const char* ClassName() const override { return "TControlCanvas"; }
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* control_;
  HWND window_ = nullptr;
  HDC ownDC_ = nullptr;
};

struct TCreateParams {
  AnsiString Caption;
  DWORD Style = 0, ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  AnsiString WinClassName;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  const char* ClassName() const override { return "TWinControl"; }

  // The window, made (with the parent chain) on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // A foreign parent window for a control with no parent control.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND w);
  // Destroys the window now (running DestroyWnd) and makes a new one when it had one.
  void RecreateWnd();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int i) const { return controls_[i]; }
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);
  bool ContainsControl(const TControl* c) const;
  // The topmost visible child under a client point (windowed ones only when allowWinControls).
  TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls = false);
  // Sends a message to every child, windowed or not.
  void Broadcast(TMessage& m);
  void NotifyControls(UINT msg);

  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return alignDisabled_ > 0; }

  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool t);
  bool Focused() const;
  virtual bool CanFocus();
  virtual void SetFocus();
  // Windowed descendants in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent);
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool v);
  bool ParentCtl3D() const { return parentCtl3D_; }
  void SetParentCtl3D(bool v);
  // The window procedure that messages fall through to (the class's own for standard controls).
  WNDPROC DefWndProc() const { return defWndProc_; }

  void SetBounds(int l, int t, int w, int h) override;
  RECT ClientRect() override;
  POINT ClientOrigin() override;
  void SetParent(TWinControl* p) override;
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  void Invalidate() override;
  void Update() override;
  AnsiString GetText() override;
  void SetText(const AnsiString& s) override;
  void PaintTo(HDC dc, int x, int y);

  TKeyEvent OnKeyDown, OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter, OnExit;

 protected:
  void BeforeDestruction() override;
  virtual void CreateParams(TCreateParams& p);
  virtual void CreateWindowHandle(const TCreateParams& p);
  // Makes the window from CreateParams, binds it, then makes the children's windows.
  virtual void CreateWnd();
  // Runs before the window is destroyed (save state held only by the window here).
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // Fills WinClassName with a system or library class; the window is subclassed after creation.
  void CreateSubClass(TCreateParams& p, const char* className);
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, TControl* first);
  virtual void PaintHandler(TMessage& m);
  virtual void AlignControls(TControl* control, RECT& rect);
  virtual void AdjustClientRect(RECT& r) {}
  virtual void DoEnter();
  virtual void DoExit();
  virtual bool DoKeyDown(WORD& key, TShiftState shift);
  virtual void KeyDown(WORD& key, TShiftState shift);
  virtual void KeyUp(WORD& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual void FontChanged() override;
  virtual void ColorChanged() override;
  virtual void VisibleChanged() override;
  virtual void EnabledChanged() override;
  // Our own erase: the client area in Color.
  virtual bool EraseBackground(HDC dc);
  TBrush* Brush() { return &brush_; }
  bool ownClass_ = false;  // the window class is ours (not a subclassed system class)

 private:
  friend class TControl;
  friend class TForm;
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  void Bind(HWND h);
  void Unbind();
  bool ReflectNotification(TMessage& m);
  bool RouteMouseToChild(TMessage& m);
  void UpdateBoundsFromWindow();
  void HandleKey(TMessage& m);
  void HandleSetCursor(TMessage& m);
  HWND handle_ = nullptr;
  HWND parentWindow_ = nullptr;
  WNDPROC defWndProc_ = DefWindowProcA;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  int alignDisabled_ = 0;
  bool alignPending_ = false, aligning_ = false;
  bool tabStop_ = false;
  bool ctl3D_ = true, parentCtl3D_ = true;
  bool settingBounds_ = false;
  TBrush brush_;

 protected:
  ~TWinControl() override;
};

// A windowless control painted by its parent into the parent's DC.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  const char* ClassName() const override { return "TGraphicControl"; }
  TCanvas* Canvas() { return canvas_.get(); }
  void WndProc(TMessage& m) override;

 protected:
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> canvas_;

 protected:
  ~TGraphicControl() override;
};

// A window of our own class that paints itself through its canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TCustomControl"; }
  TCanvas* Canvas() { return canvas_.get(); }

 protected:
  void PaintWindow(HDC dc) override;
  virtual void Paint() {}

 private:
  std::unique_ptr<TControlCanvas> canvas_;

 protected:
  ~TCustomControl() override;
};

// The control object of a window made by the framework, or nullptr.
TWinControl* FindControl(HWND h);
// The one window procedure of every framework window (for subclassing chains).
LRESULT CALLBACK ControlWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l);
// A control under a screen point: the framework window there (through foreign parents)
// and, within it, the windowless child under the point.
TControl* FindDragTarget(POINT screen, bool allowDisabled);
// The control whose events the captured mouse feeds (a windowless one through its parent).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* c);

// Runs a handler so that an exception goes to the application's handler, not up the stack.
void GuardedCall(TObject* sender, const std::function<void()>& f);

}  // namespace vx
