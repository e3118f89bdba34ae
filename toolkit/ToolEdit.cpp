#include "toolkit/ToolEdit.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "toolkit/VCLUtils.h"

namespace vx {

const TTypeInfo* TypeInfoGlyphKind() {
  return EnumTypeInfo("TGlyphKind", {"gkCustom", "gkDefault", "gkDropDown", "gkEllipsis"});
}

VX_PUBLISH(TCustomComboEdit, TCustomEdit) {
  P.Str("ButtonHint", &TCustomComboEdit::ButtonHint, &TCustomComboEdit::SetButtonHint)
      .Int("ClickKey", &TCustomComboEdit::ClickKey, &TCustomComboEdit::SetClickKey)
      .Bool("DirectInput", &TCustomComboEdit::DirectInput, &TCustomComboEdit::SetDirectInput)
      .Enum("GlyphKind", TypeInfoGlyphKind(), &TCustomComboEdit::GlyphKind, &TCustomComboEdit::SetGlyphKind)
      .Int("ButtonWidth", &TCustomComboEdit::ButtonWidth, &TCustomComboEdit::SetButtonWidth)
      .Int("NumGlyphs", &TCustomComboEdit::NumGlyphs, &TCustomComboEdit::SetNumGlyphs)
      .Bool("ReadOnly", &TCustomComboEdit::ReadOnly, &TCustomComboEdit::SetReadOnly);
}
VX_PUBLISH(TComboEdit, TCustomComboEdit) {
  P.Enum("Alignment", TypeInfoAlignment(), &TComboEdit::Alignment, &TComboEdit::SetAlignment).Method("OnButtonClick");
}
VX_PUBLISH(TFileDirEdit, TCustomComboEdit) {
  P.Bool("AcceptFiles", &TFileDirEdit::AcceptFiles, &TFileDirEdit::SetAcceptFiles)
      .Method("OnBeforeDialog")
      .Method("OnAfterDialog")
      .Method("OnDropFiles");
}
VX_PUBLISH(TFilenameEdit, TFileDirEdit) {
  P.Str("DefaultExt", &TFilenameEdit::DefaultExt, &TFilenameEdit::SetDefaultExt)
      .Str("Filter", &TFilenameEdit::Filter, &TFilenameEdit::SetFilter)
      .Int("FilterIndex", &TFilenameEdit::FilterIndex, &TFilenameEdit::SetFilterIndex)
      .Str("InitialDir", &TFilenameEdit::InitialDir, &TFilenameEdit::SetInitialDir)
      .Str("DialogTitle", &TFilenameEdit::DialogTitle, &TFilenameEdit::SetDialogTitle);
}
VX_PUBLISH(TDirectoryEdit, TFileDirEdit) {
  P.Set("DialogOptions", TypeInfoSelectDirOpts(), &TDirectoryEdit::DialogOptions, &TDirectoryEdit::SetDialogOptions)
      .Str("InitialDir", &TDirectoryEdit::InitialDir, &TDirectoryEdit::SetInitialDir);
}

// ---- geometry ----------------------------------------------------------------------

RECT ComboButtonRect(int editWidth, int editHeight, int buttonWidth, bool newStyle, bool ctl3D) {
  int w = buttonWidth;
  if (newStyle && ctl3D) return RECT{editWidth - w - 4, 0, editWidth - 4, editHeight - 4};
  if (newStyle) return RECT{editWidth - w - 2, 2, editWidth - 2, editHeight - 2};
  return RECT{editWidth - w, 1, editWidth, editHeight};
}

int ComboEditMinHeight(int systemFontHeight, int editFontHeight, int borderHeight) {
  return std::min(systemFontHeight, editFontHeight) + 4 * borderHeight + 1;
}

std::array<int, 3> EllipsisDotLefts(int width) {
  int gap = (width - 6) / 2;
  if (gap == 0) gap = 1;
  if (gap > 3) gap = 3;
  int x0 = (width - 6 - 2 * gap) / 2;
  return {x0, x0 + gap + 2, x0 + 2 * gap + 4};
}

bool NewStyleControls() { return LOBYTE(LOWORD(GetVersion())) >= 4; }

// ---- TEditButton -------------------------------------------------------------------

TEditButton::TEditButton(TComponent* owner) : TZxSpeedButton(owner) {}

void TEditButton::Paint() {
  TZxSpeedButton::Paint();
  if (State() == bsDown || State() == bsExclusive || Down()) return;
  // The left edge joins the button to the edit's text area instead of a raised border.
  TCanvas* c = Canvas();
  c->Pen()->SetColor(NewStyleControls() ? clBtnFace : clBtnShadow);
  c->MoveTo(0, 0);
  c->LineTo(0, Height() - 1);
  c->Pen()->SetColor(clBtnHighlight);
  c->MoveTo(1, 1);
  c->LineTo(1, Height() - 2);
}

// ---- TCustomComboEdit --------------------------------------------------------------

TCustomComboEdit::TCustomComboEdit(TComponent* owner) : TCustomEdit(owner) {
  controlStyle_ << csCaptureMouse;
  btnControl_ = new TWinControl(this);
  btnControl_->SetBounds(0, 0, 21, 17);
  btnControl_->SetVisible(true);
  btnControl_->SetParent(this);
  button_ = new TEditButton(this);
  button_->SetBounds(0, 0, btnControl_->Width(), btnControl_->Height());
  button_->SetVisible(true);
  button_->SetParent(btnControl_);
  button_->OnClick = [this](TObject*) { EditButtonClick(); };
  StoreBounds(Left(), Top(), Width(), 21);
}

TCustomComboEdit::~TCustomComboEdit() = default;

void TCustomComboEdit::SetAlignment(TAlignment a) {
  if (a == alignment_) return;
  alignment_ = a;
  RecreateWnd();
}

void TCustomComboEdit::SetDirectInput(bool v) {
  directInput_ = v;
  ApplyReadOnly();
}

void TCustomComboEdit::SetReadOnly(bool r) {
  readOnly_ = r;
  ApplyReadOnly();
}

void TCustomComboEdit::ApplyReadOnly() { TCustomEdit::SetReadOnly(readOnly_ || !directInput_); }

void TCustomComboEdit::SetGlyphKind(TGlyphKind k) {
  if (k == glyphKind_) return;
  glyphKind_ = k;
  if (k == gkCustom && ComponentState().Contains(csReading)) button_->SetGlyph(nullptr);
  RecreateGlyph();
}

void TCustomComboEdit::SetGlyph(TBitmap* b) {
  button_->SetGlyph(b);
  glyphKind_ = gkCustom;
}

void TCustomComboEdit::SetNumGlyphs(int n) {
  button_->SetNumGlyphs(glyphKind_ == gkDropDown || glyphKind_ == gkEllipsis ? 1 : n);
}

void TCustomComboEdit::SetButtonWidth(int w) {
  if (w == button_->Width() || w >= ClientWidth()) return;
  if (glyphKind_ == gkDefault && !button_->Glyph()->Empty()) w = std::max(w, button_->Glyph()->Width() + 4);
  button_->SetWidth(w);
  btnControl_->SetWidth(w);
  if (HandleAllocated())
    RecreateWnd();
  else
    UpdateButtonPlace();
  RecreateGlyph();
}

TBitmap* TCustomComboEdit::DefaultGlyph(bool& destroyNeeded) {
  destroyNeeded = false;
  return nullptr;
}

void TCustomComboEdit::RecreateGlyph() {
  switch (glyphKind_) {
    case gkCustom: return;
    case gkDefault: {
      bool destroyNeeded = false;
      TBitmap* b = DefaultGlyph(destroyNeeded);
      std::unique_ptr<TBitmap> owned(destroyNeeded ? b : nullptr);
      button_->SetGlyph(b);
      return;
    }
    case gkDropDown: {
      TBitmap arrow;
      arrow.SetHandle(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32738)));  // the combo box arrow
      // A white row below it: some systems draw a bar along the arrow's bottom row, and
      // the bottom-left pixel is the colour a glyph leaves out.
      TBitmap b;
      b.SetMonochrome(true);
      b.SetSize(arrow.Width(), arrow.Height() + 1);
      BitBlt(b.Canvas()->Handle(), 0, 0, arrow.Width(), arrow.Height(), arrow.Canvas()->Handle(), 0, 0, SRCCOPY);
      button_->SetGlyph(&b);
      button_->SetNumGlyphs(1);
      return;
    }
    case gkEllipsis: {
      TBitmap b;
      b.SetMonochrome(true);
      int w = std::max(1, button_->Width() - 4);
      b.SetSize(w, 4);
      b.Canvas()->Brush()->SetColor(clWhite);
      b.Canvas()->FillRect(RECT{0, 0, w, 4});
      b.Canvas()->Brush()->SetColor(clBlack);
      for (int x : EllipsisDotLefts(w)) b.Canvas()->FillRect(RECT{x, 1, x + 2, 3});
      button_->SetGlyph(&b);
      button_->SetNumGlyphs(1);  // after the glyph, which guesses a count from its shape
      return;
    }
  }
}

void TCustomComboEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  // Multi-line, so that a formatting rectangle can keep the text clear of the button;
  // auto-scrolling still keeps it on one line.
  p.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  p.Style &= ~(ES_LEFT | ES_RIGHT | ES_CENTER);
  p.Style |= alignment_ == taRightJustify ? ES_RIGHT : alignment_ == taCenter ? ES_CENTER : ES_LEFT;
}

void TCustomComboEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  UpdateButtonPlace();
}

void TCustomComboEdit::SetEditRect() {
  if (!HandleAllocated()) return;
  RECT r{0, 0, ClientWidth() - btnControl_->Width() - 2, ClientHeight() + 1};
  SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TCustomComboEdit::UpdateButtonPlace() {
  RECT r = ComboButtonRect(Width(), Height(), button_->Width(), NewStyleControls(), Ctl3D());
  btnControl_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  button_->SetHeight(btnControl_->Height());
  SetEditRect();
}

void TCustomComboEdit::Resize() {
  TCustomEdit::Resize();
  if (ComponentState().Contains(csLoading) || Destroying()) return;
  int minHeight = ComboEditMinHeight(ScreenFontHeight(static_cast<HFONT>(GetStockObject(SYSTEM_FONT))),
                                     ScreenFontHeight(Font()->Handle()), GetSystemMetrics(SM_CYBORDER));
  if (Height() < minHeight)
    SetHeight(minHeight);  // resizes again, and that lays the button out
  else
    UpdateButtonPlace();
}

void TCustomComboEdit::FontChanged() {
  TCustomEdit::FontChanged();
  if (HandleAllocated()) RecreateWnd();
}

void TCustomComboEdit::EnabledChanged() {
  TCustomEdit::EnabledChanged();
  button_->SetEnabled(Enabled());
}

void TCustomComboEdit::EditButtonClick() {
  if (!GetReadOnly()) ButtonClick();
}

void TCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TCustomComboEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key != 0 && button_->Width() > 0 &&
      ShortCut(key, shift.Contains(ssShift), shift.Contains(ssCtrl), shift.Contains(ssAlt)) == clickKey_) {
    EditButtonClick();
    key = 0;
  }
}

void TCustomComboEdit::KeyPress(char& key) {
  if (key == '\r' || key == 27) {
    // The edit keeps Enter and Esc from the form's own key handling; the form's default
    // and cancel buttons still act through the same notice.
    if (TForm* f = GetParentForm(this)) f->Perform(CM_DIALOGKEY, static_cast<unsigned char>(key), 0);
  }
  TCustomEdit::KeyPress(key);
  // One line of text: no line breaks, and no tab characters (Tab moves the focus).
  if (key == '\r' || key == '\n' || key == '\t') key = 0;
}

void TCustomComboEdit::DoEnter() {
  if (AutoSelect() && directInput_ && !(GetKeyState(VK_LBUTTON) < 0)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomComboEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE: {
      // Asked without the message: an EDIT told it runs in a dialog posts WM_CLOSE to
      // its parent on Esc. Tab and arrows between controls belong to the form; Enter and
      // Esc come to the edit, whose key press hands them on.
      m.Result = HandleAllocated() ? CallWindowProcA(DefWndProc(), Handle(), WM_GETDLGCODE, m.WParam, 0) : 0;
      m.Result &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
      if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) m.Result |= DLGC_WANTALLKEYS;
      return;
    }
    case WM_PASTE:
    case WM_CUT:
      if (!directInput_ || readOnly_) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS: focused_ = true; break;
    case WM_KILLFOCUS: focused_ = false; break;
    case CM_CTL3DCHANGED:
      RecreateWnd();
      UpdateButtonPlace();
      return;
  }
  TCustomEdit::WndProc(m);
}

// ---- TFileDirEdit ------------------------------------------------------------------

TFileDirEdit::TFileDirEdit(TComponent* owner) : TCustomComboEdit(owner) {
  SetOEMConvert(true);
  SetGlyphKind(gkDefault);
}

TBitmap* TFileDirEdit::DefaultGlyph(bool& destroyNeeded) {
  // One bitmap for every file and directory edit, loaded on first use, gone at exit.
  static std::unique_ptr<TBitmap> shared = LoadResBitmap(GetModuleHandleA(nullptr), "FEDITBMP");
  destroyNeeded = false;
  return shared.get();
}

void TFileDirEdit::SetAcceptFiles(bool v) {
  if (v == acceptFiles_) return;
  acceptFiles_ = v;
  if (HandleAllocated() && !ComponentState().Contains(csDesigning)) DragAcceptFiles(Handle(), v);
}

void TFileDirEdit::CreateWnd() {
  TCustomComboEdit::CreateWnd();
  if (acceptFiles_ && !ComponentState().Contains(csDesigning)) DragAcceptFiles(Handle(), TRUE);
}

void TFileDirEdit::DestroyWnd() {
  if (acceptFiles_ && HandleAllocated()) DragAcceptFiles(Handle(), FALSE);
  TCustomComboEdit::DestroyWnd();
}

void TFileDirEdit::DoBeforeDialog(AnsiString& name, bool& action) {
  if (OnBeforeDialog) OnBeforeDialog(this, name, action);
}

void TFileDirEdit::DoAfterDialog(AnsiString& name, bool& action) {
  if (OnAfterDialog) OnAfterDialog(this, name, action);
}

void TFileDirEdit::DropFiles(HDROP drop) {
  // The drop belongs to the shell until released, whatever happens to the name.
  auto release = OnScopeExit([drop] { DragFinish(drop); });
  try {
    if (DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0) == 0) return;
    // The whole first name: a name cut short would name another file.
    UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length == 0) return;  // an empty list still counts one empty name
    std::string name(length + 1, '\0');
    length = DragQueryFileA(drop, 0, name.data(), length + 1);
    name.resize(length);
    AcceptFileName(name);
    if (OnDropFiles) OnDropFiles(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TFileDirEdit::WndProc(TMessage& m) {
  if (m.Msg == WM_DROPFILES) {
    DropFiles(reinterpret_cast<HDROP>(m.WParam));
    m.Result = 0;
    return;
  }
  TCustomComboEdit::WndProc(m);
}

// ---- TFilenameEdit -----------------------------------------------------------------

TFilenameEdit::TFilenameEdit(TComponent* owner) : TFileDirEdit(owner) {
  dialog_ = new TOpenDialog(this);
  dialog_->SetTitle(LoadStr(SBrowse));
  dialog_->SetFilter(LoadStr(SDefaultFilter));
}

AnsiString TFilenameEdit::FileName() { return CommandLineParam(Text(), 0); }

void TFilenameEdit::SetFileName(const AnsiString& name) {
  if (!Trim(name).empty() && !IsLegalFileName(CommandLineParam(name, 0)))
    throw EComboEditError(StringReplace(LoadStr(SInvalidFilename), "%s", name, 0));
  SetText(QuoteFileNameIfBlank(name));
}

void TFilenameEdit::AcceptFileName(const AnsiString& name) { SetFileName(name); }

void TFilenameEdit::ButtonClick() {
  AnsiString name = FileName();
  bool action = true;
  DoBeforeDialog(name, action);
  if (!action) return;
  if (IsLegalFileName(name)) {
    AnsiString dir = ExtractFilePath(name);
    if (DirExists(dir)) dialog_->SetInitialDir(dir);
    dialog_->SetFileName(name);
  }
  dialog_->SetHelpContext(HelpContext());
  action = dialog_->Execute();
  if (action) name = dialog_->FileName();
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (!action) return;
  // Straight into the text: a name the dialog chose is never refused.
  SetText(QuoteFileNameIfBlank(name));
  dialog_->SetInitialDir(ExtractFilePath(FileName()));
}

// ---- TDirectoryEdit ----------------------------------------------------------------

TDirectoryEdit::TDirectoryEdit(TComponent* owner) : TFileDirEdit(owner) {}

void TDirectoryEdit::ButtonClick() {
  AnsiString name = Text();
  bool action = true;
  DoBeforeDialog(name, action);
  if (!action) return;
  if (name.empty()) name = initialDir_;
  if (name.empty() || !DirExists(name)) name.assign(1, '\\');  // the root of the current drive
  action = SelectDirectory(name, dialogOptions_, HelpContext());
  if (CanFocus()) SetFocus();
  DoAfterDialog(name, action);
  if (!action) return;
  SetText(name);
  if (DirExists(name)) initialDir_ = name;
}

void TDirectoryEdit::AcceptFileName(const AnsiString& name) {
  SetText(FileExists(name) ? ExtractFilePath(name) : name);
}

}  // namespace vx
