// Files, clipboard, the context menu and the commands it carries.
#include "ledit/LEditInternal.h"
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "framework/core/SafeSavePlatform.h"

namespace ledit {

// --- files ------------------------------------------------------------------

static bool ReadWholeFile(const std::string& path, std::string& out, DWORD& err) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    err = GetLastError();
    return false;
  }
  DWORD high = 0;
  DWORD low = GetFileSize(f, &high);
  if (high != 0 || low > 0x7FFFFFFF) {
    CloseHandle(f);
    err = ERROR_NOT_ENOUGH_MEMORY;
    return false;
  }
  out.resize(low);
  DWORD got = 0;
  bool ok = low == 0 || (ReadFile(f, out.data(), low, &got, nullptr) && got == low);
  if (!ok) err = GetLastError() ? GetLastError() : ERROR_READ_FAULT;
  CloseHandle(f);
  return ok;
}

int LoadFile(Editor& e, const std::string& path) {
  std::string bytes;
  DWORD err = 0;
  if (!ReadWholeFile(path, bytes, err)) {
    Notify(e, LEN_FILEERROR);
    return err ? static_cast<int>(err & 0xFFFF) : 1;
  }
  int badLine = 0;
  if (e.doc.Load(bytes, &badLine) == LoadResult::LineTooLong) {
    char msg[MAX_PATH + 200];
    snprintf(msg, sizeof msg,
             "The file \"%s\" cannot be edited: line %d is longer than 32767 characters.\n"
             "The file was not opened.",
             path.c_str(), badLine);
    MessageBoxOf(e, msg, "Open File", MB_OK | MB_ICONEXCLAMATION);
    Notify(e, LEN_MAXLINE);
    return 2;
  }
  e.fileName = path;
  ResetView(e);
  return 0;
}

// The system's error, or `otherwise` where it gives none.
static DWORD LastErrorOr(DWORD otherwise) {
  DWORD e = GetLastError();
  return e ? e : otherwise;
}

// A short write goes on with the rest: only the system's own error says why a write
// stopped (a full disk among other reasons).
static DWORD WriteAll(HANDLE f, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    if (!WriteFile(f, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr))
      return LastErrorOr(ERROR_WRITE_FAULT);
    if (put == 0) return ERROR_WRITE_FAULT;  // nothing taken, and no reason given
    done += put;
  }
  return 0;
}

// Written beside the file and put in its place in one rename (the framework's safe save
// files), so that the name holds the whole old text or the whole new one at every moment.
static DWORD SaveBytes(const std::string& path, const std::string& bytes) {
  vx::TSaveFiles files;
  SetLastError(0);
  if (!files.Prepare(path)) return LastErrorOr(ERROR_CANNOT_MAKE);
  HANDLE f =
      CreateFileA(files.Temporary().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return LastErrorOr(ERROR_CANNOT_MAKE);
  // The first failure's error is the one reported: closing would overwrite it.
  DWORD error = WriteAll(f, bytes);
  if (!FlushFileBuffers(f) && !error) error = LastErrorOr(ERROR_WRITE_FAULT);
  CloseHandle(f);
  if (error) return error;
  return files.Replace() ? 0 : LastErrorOr(ERROR_WRITE_FAULT);
}

int SaveFile(Editor& e, const std::string& path) {
  // Unix wins when both styles are asked for.
  LineEnd eol = (e.options & LEO_UNIXSTYLESAVE)  ? LineEnd::Lf
                : (e.options & LEO_MACSTYLESAVE) ? LineEnd::Cr
                                                 : LineEnd::CrLf;
  if (DWORD error = SaveBytes(path, e.doc.Save(eol))) {
    Notify(e, LEN_FILEERROR);
    return (error & 0xFFFF) ? static_cast<int>(error & 0xFFFF) : 1;
  }
  e.fileName = path;
  return 0;
}

// --- clipboard --------------------------------------------------------------

void CopySel(Editor& e) {
  if (!e.doc.HasSelection()) return;
  std::string s = e.doc.TextRange(e.doc.SelStart(), e.doc.SelEnd());
  if (!OpenClipboard(e.hwnd)) {
    Notify(e, LEN_CLIPBOARDERROR);
    return;
  }
  bool ok = false;
  EmptyClipboard();
  if (HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1)) {
    if (void* p = GlobalLock(g)) {
      memcpy(p, s.c_str(), s.size() + 1);
      GlobalUnlock(g);
      ok = SetClipboardData(CF_TEXT, g) != nullptr;
    }
    if (!ok) GlobalFree(g);
  }
  CloseClipboard();
  if (!ok) Notify(e, LEN_CLIPBOARDERROR);
}

void CutSel(Editor& e) {
  if (!e.doc.HasSelection() || !EditAllowed(e)) return;
  CopySel(e);
  ReplaceSel(e, "");
  EnsureCaretVisible(e);
}

void Paste(Editor& e) {
  if (!EditAllowed(e)) return;
  if (!OpenClipboard(e.hwnd)) {
    Notify(e, LEN_CLIPBOARDERROR);
    return;
  }
  std::string text;
  bool ok = false;
  if (HANDLE g = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(g))) {
      text.assign(p, strnlen(p, GlobalSize(g)));
      GlobalUnlock(g);
      ok = true;
    }
  }
  CloseClipboard();
  if (!ok) {
    if (IsClipboardFormatAvailable(CF_TEXT)) Notify(e, LEN_CLIPBOARDERROR);
    return;
  }
  ReplaceSel(e, text);
  e.doc.CloseUndoStep();
  EnsureCaretVisible(e);
}

// --- syntax -----------------------------------------------------------------

void ApplyLexOptions(Editor& e) {
  LexOptions o;
  o.item2AsComment = (e.syntaxFlags & LESF_ITEM2ASCOMMENT) != 0;
  o.extraComments = (e.syntaxFlags & LESF_EXTRACOMMENTS) != 0;
  o.multiLineItems = (e.options & LEO_MULTILINEITEMS) != 0;
  o.multiLineStrings = (e.options & LEO_MULTILINESTRINGS) && !(e.options & LEO_SINGLELINESTRINGS);
  o.startInComments = (e.options & LEO_STARTINCOMMENTS) != 0;
  if (o == e.lexer.Options()) return;
  e.lexer.SetOptions(o);
  e.lexCache.Reset(e.doc.LineCount());
  InvalidateRect(e.hwnd, nullptr, FALSE);
}

void SetSyntax(Editor& e, int count, int flags, const LESyntaxEntry* entries) {
  e.table.clear();
  if (entries) {
    count = std::min(count, 254);
    for (int i = 0; i < count; ++i) e.table.emplace_back(entries[i].First, entries[i].Second);
  }
  e.syntaxFlags = static_cast<uint8_t>(flags);
  LexOptions keep = e.lexer.Options();
  e.lexer.SetTable(e.table);
  e.lexer.SetOptions(keep);
  e.lexer.SetOptions(LexOptions{});  // forces ApplyLexOptions to take the new flags
  ApplyLexOptions(e);
  e.lexCache.Reset(e.doc.LineCount());
  InvalidateRect(e.hwnd, nullptr, FALSE);
}

// --- search -----------------------------------------------------------------

void SetSearchText(Editor& e, const std::string& text, bool toGroup) {
  e.searchText = text.substr(0, 125);
  if (!toGroup || !e.group) return;
  // Editors of one group share their search text.
  for (HWND m : GroupMembers(e.group)) {
    if (m == e.hwnd) continue;
    if (Editor* o = EditorOf(m)) o->searchText = e.searchText;
  }
}

static bool MatchesSelection(Editor& e) {
  if (!e.doc.HasSelection() || e.doc.SelStart().line != e.doc.SelEnd().line) return false;
  std::string s = e.doc.TextRange(e.doc.SelStart(), e.doc.SelEnd());
  if (s.size() != e.searchText.size()) return false;
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(e.searchText[i]);
    if (e.matchCase ? a != b : FoldCase(a) != FoldCase(b)) return false;
  }
  return true;
}

static bool AskedToStayQuiet(Editor& e, int code) {
  if (!e.initialized || !e.callback) return false;
  HWND self = e.hwnd;
  LRESULT r = SendMessageA(e.callback, LEM_NOTIFYFOUND, 0, code);
  return r != 0 || EditorOf(self) != &e;
}

// Selects the next match from the caret, wrapping round once; false when none.
bool FindNext(Editor& e, bool quiet) {
  if (e.searchText.empty()) return false;
  Pos s, t;
  bool fwd = !e.searchBack;
  Pos from = fwd ? e.doc.SelEnd() : e.doc.SelStart();
  bool found = e.doc.Find(e.searchText, from, fwd, e.matchCase, e.wholeWord, s, t);
  if (!found) {
    found = e.doc.Find(e.searchText, fwd ? Pos{0, 0} : e.doc.EndPos(), fwd, e.matchCase, e.wholeWord, s, t);
    if (found && !quiet) {
      HWND self = e.hwnd;
      AskedToStayQuiet(e, LENF_WRAPPED);
      if (EditorOf(self) != &e) return false;
    }
  }
  if (!found) {
    if (!quiet) {
      HWND self = e.hwnd;
      if (!AskedToStayQuiet(e, LENF_NOTFOUND) && EditorOf(self) == &e) {
        std::string msg = "Cannot find \"" + e.searchText + "\".";
        MessageBoxOf(e, msg, "Find", MB_OK | MB_ICONINFORMATION);
      }
    }
    return false;
  }
  e.doc.SetSelection(fwd ? s : t, fwd ? t : s);
  e.preferredX = -1;
  EnsureCaretVisible(e);
  return true;
}

// --- menu -------------------------------------------------------------------

void BuildMenu(Editor& e, DWORD style) {
  e.menu = CreatePopupMenu();
  e.fileMenu = CreatePopupMenu();
  HMENU edit = CreatePopupMenu(), search = CreatePopupMenu();
  e.fontMenu = CreatePopupMenu();
  if (style & LES_CHANGEFILE) {
    AppendMenuA(e.fileMenu, MF_STRING, LECMD_NEW, "&New");
    AppendMenuA(e.fileMenu, MF_STRING, LECMD_OPEN, "&Open ...");
  }
  AppendMenuA(e.fileMenu, MF_STRING, LECMD_SAVE, "&Save");
  AppendMenuA(e.fileMenu, MF_STRING, LECMD_SAVEAS, "Save &As ...");
  AppendMenuA(e.fileMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(e.fileMenu, MF_STRING, LECMD_PRINT, "&Print ...");
  AppendMenuA(edit, MF_STRING, LECMD_UNDO, "&Undo");
  AppendMenuA(edit, MF_STRING, LECMD_REDO, "&Redo");
  AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(edit, MF_STRING, LECMD_CUT, "Cu&t");
  AppendMenuA(edit, MF_STRING, LECMD_COPY, "&Copy");
  AppendMenuA(edit, MF_STRING, LECMD_PASTE, "&Paste");
  AppendMenuA(edit, MF_STRING, LECMD_DELETE, "&Delete");
  AppendMenuA(edit, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(edit, MF_STRING, LECMD_SELECTALL, "Select &All");
  AppendMenuA(search, MF_STRING, LECMD_FIND, "&Find ...");
  AppendMenuA(search, MF_STRING, LECMD_FINDNEXT, "Find &Next");
  AppendMenuA(search, MF_STRING, LECMD_REPLACE, "&Replace ...");
  AppendMenuA(search, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(search, MF_STRING, LECMD_MATCHBRACE, "&Matching Brace");
  if (style & LES_CHANGEFONT) {
    AppendMenuA(e.fontMenu, MF_STRING, LECMD_FONT, "Change &Font ...");
    AppendMenuA(e.fontMenu, MF_SEPARATOR, 0, nullptr);
  }
  AppendMenuA(e.fontMenu, MF_STRING, LECMD_WORDWRAP, "Word &Wrap");
  AppendMenuA(e.fontMenu, MF_STRING, LECMD_HIGHLIGHT, "Syntax &Highlighting");
  AppendMenuA(e.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(e.fileMenu), "&File");
  AppendMenuA(e.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
  AppendMenuA(e.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(search), "&Search");
  AppendMenuA(e.menu, MF_POPUP, reinterpret_cast<UINT_PTR>(e.fontMenu), "F&ont");
}

static bool InMenu(HMENU menu, HMENU sub) {
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i)
    if (GetSubMenu(menu, i) == sub) return true;
  return false;
}

void DestroyMenus(Editor& e) {
  // The owner may have detached the File or font submenu: destroy those separately.
  if (e.fileMenu && !InMenu(e.menu, e.fileMenu)) DestroyMenu(e.fileMenu);
  if (e.fontMenu && !InMenu(e.menu, e.fontMenu)) DestroyMenu(e.fontMenu);
  if (e.menu) DestroyMenu(e.menu);
  e.menu = e.fileMenu = e.fontMenu = nullptr;
}

void ShowContextMenu(Editor& e, int x, int y) {
  if (!e.menu) return;
  auto en = [&](UINT id, bool on) { EnableMenuItem(e.menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  bool sel = e.doc.HasSelection(), rw = !e.readOnly;
  en(LECMD_UNDO, rw && e.doc.CanUndo());
  en(LECMD_REDO, rw && e.doc.CanRedo());
  en(LECMD_CUT, rw && sel);
  en(LECMD_COPY, sel);
  en(LECMD_PASTE, rw && IsClipboardFormatAvailable(CF_TEXT));
  en(LECMD_DELETE, rw && sel);
  en(LECMD_REPLACE, rw);
  en(LECMD_NEW, e.hasFile);
  en(LECMD_OPEN, e.hasFile);
  CheckMenuItem(e.menu, LECMD_WORDWRAP, MF_BYCOMMAND | (Wrapping(e) ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(e.menu, LECMD_HIGHLIGHT, MF_BYCOMMAND | (e.highlight ? MF_CHECKED : MF_UNCHECKED));
  TrackPopupMenu(e.menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, e.hwnd, nullptr);
}

// --- commands -----------------------------------------------------------------

static std::string FilterFromMask(const Editor& e) {
  // "/" form: default extension, then description/mask pairs each followed by "/".
  std::string f;
  size_t p = e.fileMask.find('/');
  if (p != std::string::npos) f = e.fileMask.substr(p + 1);
  if (f.empty()) f = "All Files (*.*)/*.*/";
  if (f.back() != '/') f += '/';
  for (char& c : f)
    if (c == '/') c = '\0';
  f += '\0';
  return f;
}

static std::string DefaultExt(const Editor& e) {
  size_t p = e.fileMask.find('/');
  std::string ext = p == std::string::npos ? "" : e.fileMask.substr(0, p);
  return ext.empty() ? "TXT" : ext;
}

static bool FileDialog(Editor& e, bool save, std::string& name) {
  char buf[MAX_PATH] = "";
  if (save && !e.fileName.empty()) snprintf(buf, sizeof buf, "%s", e.fileName.c_str());
  std::string filter = FilterFromMask(e), ext = DefaultExt(e);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = e.hwnd;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = buf;
  ofn.nMaxFile = sizeof buf;
  ofn.lpstrDefExt = ext.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (ok) name = buf;
  return ok != 0;
}

static bool SaveAs(Editor& e) {
  std::string name;
  if (!FileDialog(e, true, name)) return false;
  if (SaveFile(e, name) != 0) return false;
  e.doc.SetModified(false, 0);
  return true;
}

static bool Save(Editor& e) {
  if (e.fileName.empty()) {
    if (e.hasFile) return SaveAs(e);
    Notify(e, LEN_FILEERROR);
    return false;
  }
  if (SaveFile(e, e.fileName) != 0) return false;
  e.doc.SetModified(false, 0);
  return true;
}

// Before the text is replaced: false when the user cancels or the save fails.
static bool MayDiscard(Editor& e) {
  if (!e.doc.Modified(0) || !e.hasFile) return true;
  HWND self = e.hwnd;
  Notify(e, LEN_ASKIFSTORE);
  if (EditorOf(self) != &e) return false;
  std::string msg = "Save the changes to " + (e.fileName.empty() ? std::string("the text") : e.fileName) + "?";
  int r = MessageBoxOf(e, msg, "Edit", MB_YESNOCANCEL | MB_ICONQUESTION);
  if (r == IDCANCEL) return false;
  if (r == IDYES) return Save(e);
  return true;
}

static void ChangeFont(Editor& e) {
  LOGFONTA lf{};
  HFONT cur = e.ownFont ? e.ownFont : e.font;
  if (cur) GetObjectA(cur, sizeof lf, &lf);
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = e.hwnd;
  cf.lpLogFont = &lf;
  cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
  if (!ChooseFontA(&cf)) return;
  HFONT f = CreateFontIndirectA(&lf);
  if (!f) return;
  if (e.ownFont) DeleteObject(e.ownFont);
  e.ownFont = f;
  Measure(e);
  ResetRows(e);
  InvalidateRect(e.hwnd, nullptr, FALSE);
  Notify(e, LEN_NEWFONT);
}

// Nesting-aware search for the partner of `self` (which sits at `at`).
static bool FindPartner(Editor& e, Pos at, const std::string& self, const std::string& partner, bool forward, Pos& s,
                        Pos& t) {
  Pos pos = forward ? Document::EndOf(at, self) : at;
  int depth = 1;
  for (int guard = 0; guard < 1000000; ++guard) {
    Pos ps, pe, qs, qe;
    bool p = e.doc.Find(partner, pos, forward, false, false, ps, pe);
    if (!p) return false;
    bool q = e.doc.Find(self, pos, forward, false, false, qs, qe);
    bool nested = q && (forward ? qs < ps : ps < qs);
    // A partner that starts with self ("<" and "</") is not a nested opener.
    if (nested && qs == ps) nested = false;
    if (nested) {
      ++depth;
      pos = forward ? qe : qs;
    } else {
      if (--depth == 0) {
        s = ps;
        t = pe;
        return true;
      }
      pos = forward ? pe : ps;
    }
  }
  return false;
}

// Selects the partner of the bracket or tag at the caret; the owner may say which
// way the token opens (LEM_FINDBRACE).
static void MatchBrace(Editor& e) {
  static const char kPairs[] = "()[]{}<>";
  Pos c = e.doc.Caret();
  LEToken tok{};
  int answer = 0;
  bool haveTok = TokenAt(e, c, tok);
  if (haveTok && e.initialized && e.callback) {
    HWND self = e.hwnd;
    answer = static_cast<int>(SendMessageA(e.callback, LEM_FINDBRACE, 0, reinterpret_cast<LPARAM>(&tok)));
    if (EditorOf(self) != &e) return;
    tok.Text[LE_TOKEN_TEXT - 1] = 0;
  }
  std::string text, partner;
  Pos at;
  bool forward = true;
  if (answer == LEFB_OPEN || answer == LEFB_CLOSE || answer == LEFB_OPENBLOCK || answer == LEFB_CLOSEBLOCK) {
    text = tok.Text;
    at = {c.line, tok.Value & 0xFFFF};
    forward = answer == LEFB_OPEN || answer == LEFB_OPENBLOCK;
    if (text.size() > 1 && text[0] == '<' && text[1] == '/')
      partner = std::string("<").append(text, 2, std::string::npos);
    else if (text.size() > 1 && text[0] == '<')
      partner = std::string("</").append(text, 1, std::string::npos);
    else if (text.size() == 1 && strchr(kPairs, text[0]))
      partner = kPairs[(strchr(kPairs, text[0]) - kPairs) ^ 1];
  } else {
    // The built-in pairs, at the caret or just before it.
    const std::string& line = e.doc.Line(c.line);
    for (int col : {c.col, c.col - 1}) {
      if (col < 0 || col >= static_cast<int>(line.size())) continue;
      const char* k = strchr(kPairs, line[static_cast<size_t>(col)]);
      if (!k || !*k) continue;
      int i = static_cast<int>(k - kPairs);
      text = std::string(1, kPairs[i]);
      partner = std::string(1, kPairs[i ^ 1]);
      forward = (i & 1) == 0;
      at = {c.line, col};
      break;
    }
  }
  Pos s, t;
  if (text.empty() || partner.empty() || !FindPartner(e, at, text, partner, forward, s, t)) {
    MessageBeep(MB_OK);
    return;
  }
  e.doc.SetSelection(s, t);
  EnsureCaretVisible(e);
}

void Command(Editor& e, int id) {
  switch (id) {
    case LECMD_NEW:
      if (!MayDiscard(e)) return;
      e.doc.Clear();
      e.fileName.clear();
      ResetView(e);
      Notify(e, LEN_NEWFILE);
      break;
    case LECMD_OPEN: {
      if (!MayDiscard(e)) return;
      std::string name;
      if (FileDialog(e, false, name)) LoadFile(e, name);
      break;
    }
    case LECMD_SAVE: Save(e); break;
    case LECMD_SAVEAS: SaveAs(e); break;
    case LECMD_PRINT: Print(e); break;
    case LECMD_UNDO:
      if (EditAllowed(e)) e.doc.Undo();
      EnsureCaretVisible(e);
      break;
    case LECMD_REDO:
      if (EditAllowed(e)) e.doc.Redo();
      EnsureCaretVisible(e);
      break;
    case LECMD_CUT: CutSel(e); break;
    case LECMD_COPY: CopySel(e); break;
    case LECMD_PASTE: Paste(e); break;
    case LECMD_DELETE:
      if (EditAllowed(e)) ReplaceSel(e, "");
      break;
    case LECMD_SELECTALL:
      e.doc.SetSelection({0, 0}, e.doc.EndPos());
      EnsureCaretVisible(e);
      break;
    case LECMD_FIND:
      if (FindDialog(e)) FindNext(e, false);
      break;
    case LECMD_FINDNEXT:
      if (e.searchText.empty()) {
        if (FindDialog(e)) FindNext(e, false);
      } else {
        FindNext(e, false);
      }
      break;
    case LECMD_REPLACE:
      if (EditAllowed(e)) ReplaceDialog(e);
      break;
    case LECMD_WORDWRAP:
      e.wrapFlags ^= LEWW_ON;
      if (e.wrapFlags & LEWW_ON) e.wrapFlags |= LEWW_AUTO;
      e.view.SetWrapping((e.wrapFlags & LEWW_ON) != 0);
      e.view.topSkip = 0;
      EnsureCaretVisible(e);
      InvalidateRect(e.hwnd, nullptr, FALSE);
      break;
    case LECMD_HIGHLIGHT:
      e.highlight = !e.highlight;
      InvalidateRect(e.hwnd, nullptr, FALSE);
      break;
    case LECMD_FONT: ChangeFont(e); break;
    case LECMD_MATCHBRACE: MatchBrace(e); break;
    default: break;
  }
}

// Used by the replace dialog: replaces the selection when it is a match, then finds on.
bool ReplaceOnce(Editor& e) {
  if (MatchesSelection(e)) {
    if (!ReplaceSel(e, e.replaceText)) return false;
    e.doc.CloseUndoStep();
  }
  return FindNext(e, false);
}

int ReplaceAll(Editor& e) {
  int count = e.doc.ReplaceAll(e.searchText, e.replaceText, e.matchCase, e.wholeWord);
  EnsureCaretVisible(e);
  return count;
}

}  // namespace ledit
