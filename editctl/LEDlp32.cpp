#include "editctl/LEDlp32.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "editctl/LEditGroups.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"
#include "framework/win/MsgParams.h"

namespace vx {

// ---- construction ---------------------------------------------------------------------------

TCustomLEdit::TCustomLEdit(TComponent* owner) : TWinControl(owner) {
  LEditInit();
  SetBounds(Left(), Top(), 185, 89);
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  // The window captures the mouse itself; taking it away would end its own drag and click.
  controlStyle_ = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks};
}

TCustomLEdit::~TCustomLEdit() = default;

LRESULT TCustomLEdit::Send(UINT msg, WPARAM w, LPARAM l) {
  if (!HandleAllocated()) return 0;
  return SendMessageA(Handle(), msg, w, l);
}

void TCustomLEdit::SetOption(bool& field, bool v, unsigned bit) {
  field = v;
  if (v)
    Send(LEM_SETOPTIONS, bit, 0);
  else
    Send(LEM_SETOPTIONS, 0, bit);
}

void TCustomLEdit::ApplyBorder(DWORD& style, DWORD& exStyle) const {
  style &= ~WS_BORDER;
  exStyle &= ~WS_EX_CLIENTEDGE;
  if (borderStyle_ == bsNone) return;
  if (Ctl3D())
    exStyle |= WS_EX_CLIENTEDGE;
  else
    style |= WS_BORDER;
}

void TCustomLEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, LEDIT_CLASS);
  DWORD s = LES_ALWAYS;
  if (readOnly_) s |= LES_READONLY;
  if (scrollBars_ == lsHorizontal || scrollBars_ == lsBoth) s |= WS_HSCROLL;
  if (scrollBars_ == lsVertical || scrollBars_ == lsBoth) s |= WS_VSCROLL;
  if (canChangeFile_) s |= LES_CHANGEFILE;
  if (canChangeFont_) s |= LES_CHANGEFONT;
  if (highlight_) s |= LES_HIGHLIGHT;
  s |= static_cast<DWORD>(vertSpacing_) << LES_VSPACE_SHIFT;
  s |= static_cast<DWORD>(horzSpacing_) << LES_HSPACE_SHIFT;
  if (paintMode_ != dsNone) s |= LES_PAINTMODE;
  p.Style |= s;
  ApplyBorder(p.Style, p.ExStyle);
}

void TCustomLEdit::CreateWindowHandle(const TCreateParams& p) {
  TCreateParams q = p;
  q.Caption.clear();
  TWinControl::CreateWindowHandle(q);
}

void TCustomLEdit::CreateWnd() {
  creating_ = true;
  const bool first = !createdOnce_;
  struct Done {
    TCustomLEdit* e;
    ~Done() {
      e->creating_ = false;
      e->createdOnce_ = true;
      e->kept_.valid = false;
    }
  } done{this};
  TWinControl::CreateWnd();
  Send(LEM_INIT, 1000, AsLParam(Handle()));
  const bool restoring = !first && kept_.valid;
  if (restoring) {
    // A re-created window gets back what the user had, not the stale caches.
    SetText(kept_.text);
  } else {
    SetText(textCache_);
    SetSelText(selTextCache_);
  }
  if (!fileMask_.empty()) SetFileMask(fileMask_);
  SetTabStopSize(tabStopSize_);
  SetDefaultSelection(defaultSelection_);
  SetAutoIndent(autoIndent_);
  if (groupNumber_ > 0 && !Designing()) JoinGroup();
  SetUndoDepth(undoDepth_);
  syntaxFlags_ = 0;
  SetItem2AsComment(item2AsComment_);
  SetExtraComments(extraComments_);
  SetSyntax(syntax_);
  SetBackColorSelected(backSel_);
  Send(LEM_SETBOOKMARKSMAX, bookmarksMax_, 0);
  SetForeColorSelected(foreSel_);
  SetCaretWidth(caretWidth_);
  SetCurrentWordAsText(currentWordAsText_);
  SetInsertMode(insertMode_);
  SetMultiLineItems(multiLineItems_);
  SetMultiLineStrings(multiLineStrings_);
  SetMacStyleSave(macStyleSave_);
  SetSingleLineStrings(singleLineStrings_);
  SetUnixStyleSave(unixStyleSave_);
  wwFlags_ = 0;
  SetWordWrap(wordWrap_);
  SetWordWrapAuto(wordWrapAuto_);
  SetWordWrapWidth(wordWrapWidth_);
  SetWrapKeys(wrapKeys_);
  if (first && initType_ == isFile && !fileName_.empty()) SetFileName(fileName_);
  Send(LEM_SETPAINTMODE, paintMode_ != dsNone ? 1 : 0, 0);
  SetStartInComments(startInComments_);
  TakeMenu();
  SetHasFile(hasFile_);
  if (restoring) {
    sel_ = kept_.sel;
    ApplySelection();
    Send(LEM_SETTOPLINE, kept_.skip, kept_.topLine);
    Send(LEM_SETMODIFIED, 0, 0xFF);
    if (kept_.modifiedBits) Send(LEM_SETMODIFIED, 1, kept_.modifiedBits);
    keptFileName_ = kept_.fileName;
  }
}

void TCustomLEdit::DestroyWnd() {
  if (HandleAllocated()) {
    kept_ = Kept{};
    kept_.valid = true;
    kept_.text = GetText();
    textCache_ = kept_.text;
    UpdateSelection();
    kept_.sel = sel_;
    for (int bit = 0; bit < 8; ++bit)
      if (Send(LEM_GETMODIFIED, 1u << bit, 0)) kept_.modifiedBits |= static_cast<uint8_t>(1u << bit);
    kept_.topLine = static_cast<int>(Send(LEM_GETFIRSTVISIBLELINE));
    kept_.skip = static_cast<uint16_t>(Send(LEM_GETSKIP));
    kept_.fileName = FileName();
    fileName_ = kept_.fileName;
  }
  // The window destroys its menu with itself.
  menu_ = fileMenu_ = fontMenu_ = nullptr;
  filePopupPresent_ = false;
  TWinControl::DestroyWnd();
}

void TCustomLEdit::TakeMenu() {
  menu_ = ParamAs<HMENU>(Send(LEM_GETMENU, 2, 0));
  fileMenu_ = menu_ ? GetSubMenu(menu_, LEMENU_FILE) : nullptr;
  fontMenu_ = menu_ ? GetSubMenu(menu_, LEMENU_FONT) : nullptr;
  filePopupPresent_ = menu_ != nullptr;
}

// ---- property setters ---------------------------------------------------------------------

void TCustomLEdit::SetBackColorSelected(TColor c) {
  backSel_ = c;
  if (HandleAllocated()) Invalidate();
}

void TCustomLEdit::SetForeColorSelected(TColor c) {
  foreSel_ = c;
  if (HandleAllocated()) Invalidate();
}

void TCustomLEdit::SetBookmarksMax(TLEBookmarksMax v) {
  v = std::clamp<TLEBookmarksMax>(v, 1, 256);
  if (v == bookmarksMax_) return;
  bookmarksMax_ = v;
  Send(LEM_SETBOOKMARKSMAX, v, 0);
}

void TCustomLEdit::SetBorderStyle(TFormBorderStyle b) {
  borderStyle_ = b == bsNone ? bsNone : bsSingle;
  if (!HandleAllocated()) return;
  DWORD style = GetWindowLongA(Handle(), GWL_STYLE), ex = GetWindowLongA(Handle(), GWL_EXSTYLE);
  ApplyBorder(style, ex);
  SetWindowLongA(Handle(), GWL_STYLE, style);
  SetWindowLongA(Handle(), GWL_EXSTYLE, ex);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_FRAMECHANGED);
  Invalidate();
}

void TCustomLEdit::SetCanChangeFile(bool v) {
  if (v == canChangeFile_) return;
  canChangeFile_ = v;
  if (!fileMenu_) return;
  if (v) {
    InsertMenuA(fileMenu_, 0, MF_BYPOSITION | MF_STRING, LECMD_NEW, "&New");
    InsertMenuA(fileMenu_, 1, MF_BYPOSITION | MF_STRING, LECMD_OPEN, "&Open ...");
  } else {
    RemoveMenu(fileMenu_, 0, MF_BYPOSITION);
    RemoveMenu(fileMenu_, 0, MF_BYPOSITION);
  }
}

void TCustomLEdit::SetCanChangeFont(bool v) {
  if (v == canChangeFont_) return;
  canChangeFont_ = v;
  if (!fontMenu_) return;
  if (v) {
    InsertMenuA(fontMenu_, 0, MF_BYPOSITION | MF_STRING, LECMD_FONT, "Change &Font ...");
    InsertMenuA(fontMenu_, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  } else {
    RemoveMenu(fontMenu_, 0, MF_BYPOSITION);
    RemoveMenu(fontMenu_, 0, MF_BYPOSITION);
  }
}

void TCustomLEdit::SetCaretWidth(uint16_t v) {
  caretWidth_ = v;
  Send(LEM_SETCARETWIDTH, v, 0);
}

void TCustomLEdit::SendSyntax() {
  if (!HandleAllocated()) return;
  if (syntax_.empty()) {
    Send(LEM_SETSYNTAX, static_cast<WPARAM>(syntaxFlags_) << 8, 0);
    return;
  }
  std::vector<LESyntaxEntry> t;
  for (const TSyntaxPair& p : BuildSyntaxTable(syntax_)) t.push_back({p.First, p.Second});
  LESyntaxEntry dummy{0, 0};
  Send(LEM_SETSYNTAX, (t.size() & 0xFF) | (static_cast<WPARAM>(syntaxFlags_) << 8),
       AsLParam(t.empty() ? &dummy : t.data()));
}

void TCustomLEdit::SetExtraComments(bool v) {
  extraComments_ = v;
  if (!HandleAllocated()) return;
  syntaxFlags_ = static_cast<uint8_t>(v ? syntaxFlags_ | LESF_EXTRACOMMENTS : syntaxFlags_ & ~LESF_EXTRACOMMENTS);
  SendSyntax();
}

void TCustomLEdit::SetItem2AsComment(bool v) {
  item2AsComment_ = v;
  if (!HandleAllocated()) return;
  syntaxFlags_ = static_cast<uint8_t>(v ? syntaxFlags_ | LESF_ITEM2ASCOMMENT : syntaxFlags_ & ~LESF_ITEM2ASCOMMENT);
  SendSyntax();
}

void TCustomLEdit::SetSyntax(const AnsiString& s) {
  syntax_ = s.size() > 255 ? s.substr(0, 255) : s;
  SendSyntax();
}

static TLESpaceStyle CodeToSpacing(unsigned code) {
  switch (code) {
    case 2: return slSmall;
    case 4: return slMedium;
    case 6: return slLarge;
    default: return slNone;
  }
}

TLESpaceStyle TCustomLEdit::ReadSpacingCode(int shift) {
  if (!HandleAllocated()) return slNone;
  TLESpaceStyle s = CodeToSpacing((static_cast<DWORD>(Send(LEM_GETSPACING)) >> shift) & 0xF);
  (shift == 0 ? horzSpacing_ : vertSpacing_) = s;
  return s;
}

void TCustomLEdit::SetSpacingCode(int shift, TLESpaceStyle s) {
  TLESpaceStyle& field = shift == 0 ? horzSpacing_ : vertSpacing_;
  if (field == s) return;
  field = s;
  if (!HandleAllocated()) return;
  DWORD w = static_cast<DWORD>(Send(LEM_GETSPACING));
  w = (w & ~(0xFu << shift)) | (static_cast<DWORD>(s) * 2u << shift);
  Send(LEM_SETSPACING, 0, static_cast<LPARAM>(w));
}

TLESpaceStyle TCustomLEdit::ExtraHorzSpacing() { return ReadSpacingCode(0); }
void TCustomLEdit::SetExtraHorzSpacing(TLESpaceStyle s) { SetSpacingCode(0, s); }
TLESpaceStyle TCustomLEdit::ExtraVertSpacing() { return ReadSpacingCode(4); }
void TCustomLEdit::SetExtraVertSpacing(TLESpaceStyle s) { SetSpacingCode(4, s); }

uint16_t TCustomLEdit::WordWrapRMargin() {
  if (!HandleAllocated()) return 0;
  wordWrapRMargin_ = static_cast<uint16_t>((static_cast<DWORD>(Send(LEM_GETSPACING)) >> 8) & 0xF);
  return wordWrapRMargin_;
}

void TCustomLEdit::SetWordWrapRMargin(uint16_t v) {
  // The field is 4 bits wide; a larger value would spill into the neighbouring bits.
  v &= 0xF;
  wordWrapRMargin_ = v;
  if (!HandleAllocated()) return;
  DWORD w = static_cast<DWORD>(Send(LEM_GETSPACING));
  w = (w & ~0xF00u) | (static_cast<DWORD>(v) << 8);
  Send(LEM_SETSPACING, 0, static_cast<LPARAM>(w));
}

void TCustomLEdit::SetScrollBars(TLEScrollStyle s) {
  scrollBars_ = s;
  if (!HandleAllocated()) return;
  DWORD w = static_cast<DWORD>(Send(LEM_GETSPACING));
  Send(LEM_SETSPACING, 0, static_cast<LPARAM>(MAKELONG(LOWORD(w), static_cast<WORD>(s))));
}

void TCustomLEdit::SetFileMask(const AnsiString& m) {
  if (m.find('|') != AnsiString::npos) {
    fileMask_ = m;
    AnsiString slash = FileMaskToSlashForm(m, defaultExt_);
    char buf[256] = {};
    lstrcpynA(buf, slash.c_str(), sizeof buf);
    Send(LEM_SETFILEMASK, 0, AsLParam(buf));
  } else if (m.find('/') != AnsiString::npos) {
    fileMask_ = FileMaskFromSlashForm(m);
    char buf[256] = {};
    lstrcpynA(buf, m.c_str(), sizeof buf);
    Send(LEM_SETFILEMASK, 0, AsLParam(buf));
  } else {
    fileMask_ = m;
  }
}

AnsiString TCustomLEdit::FileName() {
  if (hasFile_ && HandleAllocated()) {
    char buf[LE_FILENAME_BUF] = {};
    Send(LEM_GETFILENAME, 0, AsLParam(buf));
    buf[LE_FILENAME_BUF - 1] = 0;
    // A re-created window does not know the name its predecessor had.
    if (!buf[0] && !keptFileName_.empty()) return keptFileName_;
    return buf;
  }
  return fileName_;
}

void TCustomLEdit::SetFileName(const AnsiString& n) {
  fileName_ = n;
  keptFileName_.clear();
  if (initType_ != isFile) {
    DoTimeToLoadText();
    return;
  }
  if (n == "+") {
    auto d = MakeComponent<TOpenDialog>(this);
    d->SetFilter("All Files (*.*)|*.*");
    if (d->Execute()) {
      fileName_ = d->FileName();
      LoadFromFile(fileName_);
    } else {
      fileName_.clear();
    }
  } else if (!n.empty()) {
    LoadFromFile(n);
  } else if (hasFile_) {
    NewFile();
  } else {
    ClearAll();
  }
}

int TCustomLEdit::FirstVisibleLine() { return static_cast<int>(Send(LEM_GETFIRSTVISIBLELINE)); }
void TCustomLEdit::SetFirstVisibleLine(int line) { Send(LEM_SETTOPLINE, skip_, line); }
uint16_t TCustomLEdit::FirstVisiblePos() { return static_cast<uint16_t>(Send(LEM_GETFIRSTVISIBLEPOS)); }
void TCustomLEdit::SetFirstVisiblePos(uint16_t col) { Send(LEM_SETFIRSTVISIBLEPOS, col, 0); }

uint16_t TCustomLEdit::Skip() {
  if (!HandleAllocated()) return 0;
  skip_ = static_cast<uint16_t>(Send(LEM_GETSKIP));
  return skip_;
}

void TCustomLEdit::SetSkip(uint16_t v) {
  skip_ = v;
  if (HandleAllocated()) Send(LEM_SETTOPLINE, v, FirstVisibleLine());
}

void TCustomLEdit::JoinGroup() {
  if (groupNumber_ <= 0) return;
  HWND g = FindGroupWindow(groupNumber_);
  if (!g) {
    HWND top = GetAncestor(Handle(), GA_ROOT);
    g = CreateWindowExA(0, LEDIT_GROUP_CLASS, "", WS_CHILD, 0, 0, 0, 0, top, nullptr, GetModuleHandleA(nullptr),
                        nullptr);
    if (!g) return;
    AddGroupWindow(groupNumber_, g);
  }
  // The window leaves any group it was in before.
  SendMessageA(g, LEM_GROUPJOIN, AsWParam(Handle()), 0);
}

void TCustomLEdit::SetGroupNumber(int n) {
  groupNumber_ = n < 0 ? 0 : n;
  if (Designing() || groupNumber_ == 0) return;
  HandleNeeded();
  if (!creating_ || createdOnce_) JoinGroup();
}

void TCustomLEdit::SetHasFile(bool v) {
  if (v == hasFile_ && !creating_) return;
  if (!HandleAllocated()) {
    // Making the window applies the value (last creation step).
    hasFile_ = v;
    HandleNeeded();
    return;
  }
  AnsiString name = FileName();
  if (creating_ && name.empty()) name = fileName_;
  const bool restoring = creating_ && kept_.valid;
  hasFile_ = v;
  if (v) {
    Send(LEM_SETHASFILE, 1, 0);
    if (restoring)
      fileName_ = name;
    else
      SetFileName(name);
    if (!filePopupPresent_ && menu_ && fileMenu_) {
      InsertMenuA(menu_, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(fileMenu_), "&File");
      filePopupPresent_ = true;
    }
  } else {
    Send(LEM_SETHASFILE, 0, 0);
    fileName_ = name;
    if (filePopupPresent_ && menu_) {
      RemoveMenu(menu_, 0, MF_BYPOSITION);
      filePopupPresent_ = false;
    }
  }
}

void TCustomLEdit::SetHighlight(bool v) {
  if (v == highlight_) return;
  highlight_ = v;
  Send(LEM_SETHIGHLIGHT, v ? 1 : 0, 0);
}

void TCustomLEdit::SetInitializeType(TLEInitStyle t) {
  initType_ = t;
  if (t == isFile && !fileName_.empty()) SetFileName(fileName_);
}

void TCustomLEdit::SetInsertMode(bool v) {
  insertMode_ = v;
  Send(LEM_SETINSERTMODE, v ? 1 : 0, 0);
}

void TCustomLEdit::SetMultiLineStrings(bool v) {
  if (v && HandleAllocated()) SetSingleLineStrings(false);
  SetOption(multiLineStrings_, v, LEO_MULTILINESTRINGS);
}

void TCustomLEdit::SetSingleLineStrings(bool v) {
  if (v && HandleAllocated()) SetOption(multiLineStrings_, false, LEO_MULTILINESTRINGS);
  SetOption(singleLineStrings_, v, LEO_SINGLELINESTRINGS);
}

void TCustomLEdit::SetPaintMode(TLEPaintStyle p) {
  paintMode_ = p;
  Send(LEM_SETPAINTMODE, p != dsNone ? 1 : 0, 0);
}

void TCustomLEdit::SetReadOnly(bool v) {
  if (v == readOnly_) return;
  readOnly_ = v;
  Send(LEM_SETREADONLY, v ? 1 : 0, 0);
}

void TCustomLEdit::SetTabStopSize(int v) {
  tabStopSize_ = static_cast<TLETabStopSize>(std::clamp(v, 1, 40));
  Send(LEM_SETTABSTOP, tabStopSize_, 0);
}

void TCustomLEdit::SetUndoDepth(int v) {
  if (!HandleAllocated()) {
    // The limit is known only to a window: clamped when one is made.
    undoDepth_ = static_cast<int16_t>(std::clamp(v, -32768, 32767));
    return;
  }
  int limit = static_cast<int16_t>(Send(LEM_GETMAXUNDODEPTH));
  if ((limit > 0 && v > limit) || v < 0) v = limit;
  undoDepth_ = static_cast<int16_t>(std::clamp(v, -32768, 32767));
  Send(LEM_SETUNDODEPTH, static_cast<WPARAM>(static_cast<LPARAM>(undoDepth_)), 0);
}

void TCustomLEdit::SendWordWrap() {
  if (!HandleAllocated()) return;
  Send(LEM_SETWORDWRAP, wwFlags_, wordWrapWidth_);
}

void TCustomLEdit::SetWordWrap(bool v) {
  wordWrap_ = v;
  if (!HandleAllocated()) return;
  wwFlags_ = static_cast<uint16_t>(v ? wwFlags_ | LEWW_ON : wwFlags_ & ~LEWW_ON);
  SendWordWrap();
}

void TCustomLEdit::SetWordWrapAuto(bool v) {
  wordWrapAuto_ = v;
  if (!HandleAllocated()) return;
  wwFlags_ = static_cast<uint16_t>(v ? wwFlags_ | LEWW_AUTO : wwFlags_ & ~LEWW_AUTO);
  SendWordWrap();
}

void TCustomLEdit::SetWordWrapWidth(uint16_t v) {
  wordWrapWidth_ = v;
  if (!HandleAllocated()) return;
  wwFlags_ = static_cast<uint16_t>(v ? wwFlags_ | LEWW_WIDTH : wwFlags_ & ~LEWW_WIDTH);
  SendWordWrap();
}

// ---- text and selection -----------------------------------------------------------------------

AnsiString TCustomLEdit::GetText() {
  if (!HandleAllocated()) return textCache_;
  int n = static_cast<int>(Send(LEM_GETTEXTLENGTH, 1, 0));
  if (n <= 0) return "";
  std::string s(static_cast<size_t>(n) + 1, '\0');
  Send(LEM_GETTEXT, 1, AsLParam(s.data()));
  s.resize(strnlen(s.c_str(), static_cast<size_t>(n)));
  textCache_ = s;
  return s;
}

void TCustomLEdit::SetText(const AnsiString& s) {
  if (s.empty()) {
    textCache_.clear();
    ClearAll();
    return;
  }
  textCache_ = s;
  Send(LEM_SETTEXT, 1, AsLParam(s.c_str()));
}

void TCustomLEdit::UpdateSelection() { Send(LEM_GETSELECTION, 0, AsLParam(&sel_)); }

int TCustomLEdit::ApplySelection() {
  if (!HandleAllocated()) return 0;
  return static_cast<int>(Send(LEM_SETSELECTION, 0, AsLParam(&sel_)));
}

int TCustomLEdit::GetSelLength() { return static_cast<int>(Send(LEM_GETSELLENGTH)); }
int TCustomLEdit::GetTextLength() { return static_cast<int>(Send(LEM_GETTEXTLENGTH, 1, 0)); }
int TCustomLEdit::GetLineCount() { return static_cast<int>(Send(LEM_GETLINECOUNT)); }
int TCustomLEdit::GetLineLength(int line) { return static_cast<uint16_t>(Send(LEM_GETLINELENGTH, 0, line)); }

AnsiString TCustomLEdit::GetSelText() {
  int n = GetSelLength();
  if (n <= 0) return "";
  std::string s(static_cast<size_t>(n) + 1, '\0');
  Send(LEM_GETSELTEXT, 0, AsLParam(s.data()));
  s.resize(strnlen(s.c_str(), static_cast<size_t>(n)));
  selTextCache_ = s;
  return s;
}

void TCustomLEdit::SetSelText(const AnsiString& s) {
  selTextCache_ = s;
  Send(LEM_REPLACESEL, 0, AsLParam(s.c_str()));
}

static HGLOBAL TextToHandle(TCustomLEdit* e, int n, UINT msg, WPARAM w) {
  if (n <= 0) return nullptr;
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(n) + 1);
  if (!h) return nullptr;
  char* p = static_cast<char*>(GlobalLock(h));
  if (!p) {
    GlobalFree(h);
    return nullptr;
  }
  SendMessageA(e->Handle(), msg, w, AsLParam(p));
  p[n] = 0;
  GlobalUnlock(h);
  return h;
}

HGLOBAL TCustomLEdit::GetSelTextHandle() {
  if (!HandleAllocated()) return nullptr;
  return TextToHandle(this, GetSelLength(), LEM_GETSELTEXT, 0);
}

HGLOBAL TCustomLEdit::GetTextHandle() {
  if (!HandleAllocated()) return nullptr;
  return TextToHandle(this, GetTextLength(), LEM_GETTEXT, 1);
}

void TCustomLEdit::FreeTextHandle(HGLOBAL h) {
  if (h) GlobalFree(h);
}

void TCustomLEdit::SetSelTextHandle(HGLOBAL h) {
  if (!h) return;
  const char* p = static_cast<const char*>(GlobalLock(h));
  if (!p) return;
  Send(LEM_REPLACESEL, 0, AsLParam(p));
  GlobalUnlock(h);
}

AnsiString TCustomLEdit::SelTextToString() {
  HGLOBAL h = GetSelTextHandle();
  if (!h) return "";
  AnsiString s;
  if (const char* p = static_cast<const char*>(GlobalLock(h))) {
    s = p;
    GlobalUnlock(h);
  }
  FreeTextHandle(h);
  return s;
}

AnsiString TCustomLEdit::GetSelTextOrLineRest() {
  UpdateSelection();
  if (sel_.StartLine == sel_.EndLine && sel_.StartPos == sel_.EndPos) {
    sel_.EndPos = ClampColumn(GetLineLength(sel_.EndLine));
    ApplySelection();
  }
  return SelTextToString();
}

void TCustomLEdit::SaveToStream(TStream& stream) {
  if (!HandleAllocated()) return;
  HGLOBAL h = GetTextHandle();
  if (!h) return;
  if (const char* p = static_cast<const char*>(GlobalLock(h))) {
    TMemoryStream mem;
    size_t n = strlen(p);
    if (n) mem.WriteBuffer(p, static_cast<int64_t>(n));
    GlobalUnlock(h);
    if (mem.Size() > 0) {
      mem.SetPosition(0);
      stream.CopyFrom(mem, mem.Size());
    }
  }
  FreeTextHandle(h);
}

void TCustomLEdit::ReplaceSelText(const AnsiString& text) {
  ApplySelection();
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!h) return;  // nothing is inserted rather than garbage
  if (char* p = static_cast<char*>(GlobalLock(h))) {
    memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(h);
    SetSelTextHandle(h);
  }
  GlobalFree(h);
}

bool TCustomLEdit::SurroundSelText(const AnsiString& before, const AnsiString& after) {
  ApplySelection();
  return Send(LEM_SURROUNDSEL, reinterpret_cast<WPARAM>(before.c_str()), AsLParam(after.c_str())) != 0;
}

void TCustomLEdit::InsertText(const AnsiString& text) {
  UpdateSelection();
  ReplaceSelText(text);
}

void TCustomLEdit::InsertTextAt(int line, int column, const AnsiString& text) {
  if (line <= 0) line = 1;
  int count = GetLineCount();
  if (count > 0 && line > count) line = count;
  unsigned len = static_cast<uint16_t>(GetLineLength(line));
  if (static_cast<uint16_t>(column) > len) column = static_cast<int>(len);
  sel_.StartLine = sel_.EndLine = line;
  sel_.StartPos = sel_.EndPos = ClampColumn(column);
  ReplaceSelText(text);
}

int TCustomLEdit::GetLine(char* buffer, int bufferSize, int line) {
  if (!buffer || bufferSize <= 0) return 0;
  buffer[0] = 0;
  if (!HandleAllocated()) return 0;
  // The window writes the whole line and takes no size: read into a buffer that fits it.
  int len = GetLineLength(line);
  std::vector<char> tmp(static_cast<size_t>(std::max(len, 4)) + 1, '\0');
  WPARAM w = static_cast<WPARAM>(line);
  if (line > 65535) {
    uint32_t n = static_cast<uint32_t>(line);
    for (int i = 0; i < 4; ++i) tmp[static_cast<size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
    w = 0;
  }
  int got = static_cast<uint16_t>(Send(LEM_GETLINE, w, AsLParam(tmp.data())));
  got = std::min({got, len, bufferSize - 1});
  memcpy(buffer, tmp.data(), static_cast<size_t>(got));
  buffer[got] = 0;
  return got;
}

AnsiString TCustomLEdit::GetLine(int line) {
  int len = GetLineLength(line);
  std::vector<char> buf(static_cast<size_t>(len) + 1);
  int n = GetLine(buf.data(), len + 1, line);
  return AnsiString(buf.data(), static_cast<size_t>(n));
}

int TCustomLEdit::LoadFromFile(const AnsiString& name) {
  if (name.empty() || name == "<<untitled>>" || !HandleAllocated()) return 1;
  AnsiString copy = name;
  int r = static_cast<uint16_t>(Send(LEM_LOADFILE, 0, AsLParam(copy.c_str())));
  if (r == 0) keptFileName_.clear();
  return r;
}

int TCustomLEdit::SaveToFile(const AnsiString& name) {
  if (!HandleAllocated() || name.empty()) return 1;
  AnsiString copy = name;
  int r = static_cast<uint16_t>(Send(LEM_SAVEFILE, 0, AsLParam(copy.c_str())));
  if (r == 0) keptFileName_.clear();
  return r;
}

bool TCustomLEdit::GetModified() { return Send(LEM_GETMODIFIED, modifiedMask_, 0) != 0; }
void TCustomLEdit::SetModified(bool v) { Send(LEM_SETMODIFIED, v ? 1 : 0, modifiedMask_); }
bool TCustomLEdit::CanUndo() { return Send(LEM_CANUNDO, 0, 0) != 0; }
bool TCustomLEdit::CanRedo() { return Send(LEM_CANUNDO, 1, 0) != 0; }
void TCustomLEdit::Undo() { Send(LEM_UNDO, 0, 0); }
void TCustomLEdit::Redo() { Send(LEM_UNDO, 1, 0); }
int TCustomLEdit::GetMaxUndoDepth() { return static_cast<int16_t>(Send(LEM_GETMAXUNDODEPTH)); }
void TCustomLEdit::ClearAll() { Send(WM_CLEAR, 1, 0); }
void TCustomLEdit::CopyToClipboard() { Send(WM_COPY, 0, 0); }
void TCustomLEdit::CutToClipboard() { Send(WM_CUT, 0, 0); }
void TCustomLEdit::PasteFromClipboard() { Send(WM_PASTE, 0, 0); }
void TCustomLEdit::Command(WORD cmd) { Send(WM_COMMAND, cmd, 0); }

void TCustomLEdit::SetSearchText(const AnsiString& s) {
  char buf[126] = {};
  lstrcpynA(buf, s.c_str(), sizeof buf);
  Send(LEM_SETSEARCHTEXT, 0, AsLParam(buf));
}

int TCustomLEdit::GetBookmarkLine() { return static_cast<int>(Send(LEM_GETBOOKMARK, bookmarkIndex_, 0)); }
void TCustomLEdit::SetBookmarkLine(int line) { Send(LEM_SETBOOKMARK, bookmarkIndex_, line); }

void TCustomLEdit::SetBookmark(uint8_t n) {
  bookmarkIndex_ = n;
  SetBookmarkLine(sel_.StartLine);
}

void TCustomLEdit::GotoBookmark(uint8_t n) {
  bookmarkIndex_ = n;
  int line = GetBookmarkLine();
  if (line < 1) line = 1;
  sel_.StartLine = sel_.EndLine = line;
  sel_.StartPos = 0;
  sel_.EndPos = ClampColumn(GetLineLength(line));
  ApplySelection();
}

void TCustomLEdit::BeginScan() { Send(LEM_BEGINSCAN, 0, 0); }

void TCustomLEdit::ExecuteFontDialog() {
  auto d = MakeComponent<TFontDialog>(this);
  d->SetDevice(fdScreen);
  d->SetOptions(TFontDialogOptions{fdEffects, fdForceFontExist});
  d->SetFont(*Font());
  if (d->Execute()) SetFont(*d->Font());
}

// ---- notifications ----------------------------------------------------------------------------

#define LE_DISPATCH(name, resetReply) \
  void TCustomLEdit::Do##name() {     \
    if (resetReply) reply_ = 0;       \
    if (On##name) On##name(this);     \
  }
LE_DISPATCH(AskIfStoreFile, true)
LE_DISPATCH(Change, true)
LE_DISPATCH(ChangeMode, true)
LE_DISPATCH(ClipboardError, true)
LE_DISPATCH(FileError, true)
LE_DISPATCH(NewFile, true)
LE_DISPATCH(GoingToClose, true)
LE_DISPATCH(GotFocus, true)
LE_DISPATCH(HorzScroll, false)
LE_DISPATCH(LostFocus, true)
LE_DISPATCH(MaxLine, true)
LE_DISPATCH(NewFont, true)
LE_DISPATCH(SpaceError, true)
LE_DISPATCH(TimeToLoadText, false)
LE_DISPATCH(VertScroll, false)
#undef LE_DISPATCH

void TCustomLEdit::HandleNotification(TMessage& m) {
  reply_ = 2;
  const unsigned code = HIWORD(m.WParam);
  if (code == LEN_INSERTMODE || code == LEN_OVERWRITEMODE) insertMode_ = code == LEN_INSERTMODE;
  if (creating_) {
    m.Result = code == LEN_GOINGTOCLOSE ? 0 : 2;
    return;
  }
  switch (code) {
    case LEN_SETFOCUS: DoGotFocus(); break;
    case LEN_KILLFOCUS: DoLostFocus(); break;
    case LEN_CHANGE: DoChange(); break;
    case LEN_INSERTMODE:
    case LEN_OVERWRITEMODE: DoChangeMode(); break;
    case LEN_NEWFILE: DoNewFile(); break;
    case LEN_NEWFONT: DoNewFont(); break;
    case LEN_SPACEERROR: DoSpaceError(); break;
    case LEN_MAXLINE: DoMaxLine(); break;
    case LEN_FILEERROR: DoFileError(); break;
    case LEN_CLIPBOARDERROR: DoClipboardError(); break;
    case LEN_HSCROLL: DoHorzScroll(); break;
    case LEN_VSCROLL: DoVertScroll(); break;
    case LEN_GOINGTOCLOSE: DoGoingToClose(); break;
    case LEN_ASKIFSTORE: DoAskIfStoreFile(); break;
    default: break;
  }
  m.Result = reply_;
}

// ---- call-backs -------------------------------------------------------------------------------

void TCustomLEdit::CopyToken(const LEToken* t) {
  tokenReserved_ = t->Reserved;
  tokenType_ = t->Type;
  tokenValue_ = t->Value;
  size_t n = strnlen(t->Text, LE_TOKEN_TEXT - 1);
  memcpy(tokenText_, t->Text, n);
  tokenText_[n] = 0;
}

int16_t TCustomLEdit::StoredLineHeight(HDC dc) {
  int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dpi <= 0) return 1;
  int h = MulDiv(std::max(Font()->Size(), 1), dpi, 72);
  return static_cast<int16_t>(std::clamp(h + h / 5, 1, 32767));
}

namespace {

// The DC the owner paints on: with a memory DC asked for, a memory DC holding a bitmap of
// the client's size, which passes to the window with the result (the window deletes it);
// otherwise the window's own DC. The memory DC goes at scope exit, unwinding too.
class TPaintBuffer {
 public:
  TPaintBuffer(HDC target, const RECT& client, bool useMemory) : dc_(target) {
    if (!useMemory) return;
    mem_.Reset(CreateCompatibleDC(target));
    if (!mem_) return;
    bitmap_ = CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
    if (!bitmap_) {
      mem_.Reset();
      return;
    }
    selected_.emplace(mem_, bitmap_);
    dc_ = mem_;
  }
  HDC DC() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }

 private:
  TOwnedDC mem_;
  std::optional<TSelected> selected_;
  HBITMAP bitmap_ = nullptr;
  HDC dc_;
};

// A canvas on a DC it does not own, for one event.
class TBorrowedCanvas {
 public:
  explicit TBorrowedCanvas(HDC dc) { canvas_.SetHandle(dc); }
  TCanvas* operator->() { return &canvas_; }
  TCanvas* Get() { return &canvas_; }

 private:
  TCanvas canvas_;  // lets go of the DC (and selects back what it selected) when it goes
};

}  // namespace

void TCustomLEdit::SelColorsCallback(TMessage& m) {
  HDC dc = ParamAs<HDC>(m.WParam);
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(foreSel_)));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(backSel_)));
  m.Result = 0;
}

void TCustomLEdit::HighlightCallback(TMessage& m) {
  m.Result = 0;
  if (!m.LParam) return;
  HDC dc = ParamAs<HDC>(m.WParam);
  CopyToken(ParamAs<const LEToken*>(m.LParam));
  TColor fore = Font()->Color(), back = Color();
  if (OnControlHighlight) OnControlHighlight(this, tokenType_, tokenValue_, tokenText_, fore, back);
  // Handlers hand back system colours too: a DC takes only plain RGB.
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(fore)));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(back)));
}

void TCustomLEdit::PaintCallback(TMessage& m) {
  m.Result = 0;
  if (Designing()) return;
  RECT r;
  GetClientRect(Handle(), &r);
  TPaintBuffer buffer(ParamAs<HDC>(m.WParam), r, paintMode_ == dsUseMemoryDC);
  m.Result = reinterpret_cast<LRESULT>(buffer.Bitmap());
  if (!OnPaint) return;
  TBorrowedCanvas c(buffer.DC());
  OnPaint(this, c.Get(), r);
}

void TCustomLEdit::FindBraceCallback(TMessage& m) {
  m.Result = 0;
  if (!m.LParam) return;
  auto* t = ParamAs<LEToken*>(m.LParam);
  CopyToken(t);
  TLEBraceStyle brace = brNone;
  if (OnFindBrace) OnFindBrace(this, tokenType_, tokenValue_, tokenText_, brace);
  if (tokenType_ != LET_SYMBOL && tokenType_ != LET_WORD) tokenType_ = tokenText_[0] ? LET_WORD : LET_SYMBOL;
  t->Type = tokenType_;
  t->Value = tokenValue_;
  size_t n = strnlen(tokenText_, LE_TOKEN_TEXT - 1);
  memcpy(t->Text, tokenText_, n);
  t->Text[n] = 0;
  switch (brace) {
    case brOpen: m.Result = LEFB_OPEN; break;
    case brClose: m.Result = LEFB_CLOSE; break;
    case brOpenBlock: m.Result = LEFB_OPENBLOCK; break;
    case brCloseBlock: m.Result = LEFB_CLOSEBLOCK; break;
    default: m.Result = LEFB_DEFAULT; break;
  }
}

void TCustomLEdit::WordClickCallback(TMessage& m) {
  m.Result = 0;
  if (!m.LParam) return;
  CopyToken(ParamAs<const LEToken*>(m.LParam));
  bool handled = false;
  if (OnWordClick) OnWordClick(this, tokenType_, tokenValue_, tokenText_, handled);
  m.Result = handled ? 1 : 0;
}

void TCustomLEdit::WordBreakCallback(TMessage& m) {
  // A row always takes at least one character, so the window always advances.
  int16_t maxPos = static_cast<int16_t>(LOWORD(m.WParam));
  if (maxPos < 1) maxPos = 1;
  int16_t pos = maxPos;
  const char* line = m.LParam ? ParamAs<const char*>(m.LParam) : "";
  if (OnWordBreak) OnWordBreak(this, line, pos);
  if (pos < 1) pos = 1;
  if (pos > maxPos) pos = maxPos;
  m.Result = pos;
}

void TCustomLEdit::PrintPageCallback(TMessage& m) {
  HDC dc = ParamAs<HDC>(m.WParam);
  uint16_t v = LOWORD(m.LParam), hz = HIWORD(m.LParam);
  int16_t header = 0, footer = 0;
  if (OnPrintPage) {
    TBorrowedCanvas c(dc);
    OnPrintPage(this, c.Get(), v, hz, header, footer);
  }
  ClampPrintMargins(v, StoredLineHeight(dc), header, footer);
  m.Result = MAKELONG(static_cast<WORD>(header), static_cast<WORD>(footer));
}

void TCustomLEdit::NotifyFoundCallback(TMessage& m) {
  int32_t response = 0;
  if (OnNotifyFound) OnNotifyFound(this, static_cast<int32_t>(m.LParam), response);
  m.Result = response;
}

bool TCustomLEdit::HandleCallback(TMessage& m) {
  switch (m.Msg) {
    case LEM_SELCOLORS: SelColorsCallback(m); return true;
    case LEM_HIGHLIGHT: HighlightCallback(m); return true;
    case LEM_PAINT: PaintCallback(m); return true;
    case LEM_FINDBRACE: FindBraceCallback(m); return true;
    case LEM_WORDCLICK: WordClickCallback(m); return true;
    case LEM_WORDBREAK: WordBreakCallback(m); return true;
    case LEM_PRINTPAGE: PrintPageCallback(m); return true;
    case LEM_NOTIFYFOUND: NotifyFoundCallback(m); return true;
    case LEM_INSERTMODE_ON:
    case LEM_INSERTMODE_OFF:
      insertMode_ = m.Msg == LEM_INSERTMODE_ON;
      m.Result = 0;
      return true;
    default: return false;
  }
}

// ---- right button, menu key, dialog codes -------------------------------------------------------

void TCustomLEdit::HandleRightButton(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState s = KeysToShiftState(m.WParam);
  const bool events = !controlStyle_.Contains(csNoStdEvents);
  m.Result = 0;
  if (m.Msg == WM_RBUTTONUP) {
    // One menu per click: on release only.
    if (hasMenu_ == psQuorvel && PopupMenu()) {
      POINT p = ClientToScreen(POINT{x, y});
      PopupMenu()->SetPopupComponent(this);
      PopupMenu()->Popup(p.x, p.y);
    }
    if (events) MouseUp(mbRight, s, x, y);
  } else {
    if (m.Msg == WM_RBUTTONDBLCLK) s << ssDouble;
    if (events) MouseDown(mbRight, s, x, y);
  }
}

void TCustomLEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: HandleNotification(m); return;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (wantTabs_ ? DLGC_WANTTAB : 0); return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      if (hasMenu_ != psStandard) {
        HandleRightButton(m);
        return;
      }
      break;
    case WM_CONTEXTMENU:
      if (hasMenu_ != psStandard) {
        m.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
      if (m.WParam == VK_APPS && !(GetKeyState(VK_SHIFT) & 0x8000) && !(GetKeyState(VK_CONTROL) & 0x8000) &&
          !(GetKeyState(VK_MENU) & 0x8000)) {
        if (hasMenu_ == psStandard) break;
        if (hasMenu_ == psQuorvel && PopupMenu()) {
          PopupMenu()->SetPopupComponent(this);
          PopupMenu()->Popup(0, 0);
        }
        m.Result = 0;
        return;
      }
      break;
    case CM_CTL3DCHANGED:
      if (HandleAllocated()) SetBorderStyle(borderStyle_);
      return;
    case CM_FONTCHANGED:
      // A font change never fixes the height.
      controlStyle_ >> csFixedHeight;
      break;
    default:
      if (HandleCallback(m)) return;
  }
  TWinControl::WndProc(m);
}

// ---- TLEdit ------------------------------------------------------------------------------------

void TLEdit::ReplaceSelText(const AnsiString& text) {
  TCustomLEdit::ReplaceSelText(text);
  if (!Designing() && HandleAllocated() && CanFocus()) SetFocus();
}

bool TLEdit::SurroundSelText(const AnsiString& before, const AnsiString& after) {
  bool done = TCustomLEdit::SurroundSelText(before, after);
  if (!Designing() && HandleAllocated() && CanFocus()) SetFocus();
  return done;
}

void TLEdit::KeyPress(char& key) {
  TCustomLEdit::KeyPress(key);
  if (key == '\r' && !WantReturns()) key = 0;
}

}  // namespace vx
