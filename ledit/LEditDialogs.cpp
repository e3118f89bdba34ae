// The window's own modal find and replace dialogs, built from templates in memory
// (a modal dialog runs its own loop, so no IsDialogMessage is needed in the program).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ledit/LEditInternal.h"

namespace ledit {

namespace {

enum {
  kIdWhat = 100,
  kIdCase = 101,
  kIdWord = 102,
  kIdBack = 103,
  kIdWith = 105,
  kIdFindNext = 110,
  kIdReplace = 111,
  kIdReplaceAll = 112,
};

class Template {
 public:
  Template(const char* caption, int cx, int cy) {
    Align(4);
    DLGTEMPLATE t{};
    t.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER;
    t.cx = static_cast<short>(cx);
    t.cy = static_cast<short>(cy);
    Put(&t, sizeof t);
    countAt_ = offsetof(DLGTEMPLATE, cdit);
    Word(0);  // no menu
    Word(0);  // standard class
    Text(caption);
    Word(8);
    Text("MS Shell Dlg");
  }
  void Item(const char* cls, const char* text, int id, DWORD style, int x, int y, int cx, int cy) {
    Align(4);
    DLGITEMTEMPLATE it{};
    it.style = style | WS_CHILD | WS_VISIBLE;
    it.x = static_cast<short>(x);
    it.y = static_cast<short>(y);
    it.cx = static_cast<short>(cx);
    it.cy = static_cast<short>(cy);
    it.id = static_cast<WORD>(id);
    Put(&it, sizeof it);
    Text(cls);
    Text(text);
    Word(0);
    auto* t = reinterpret_cast<DLGTEMPLATE*>(data_.data());
    t->cdit++;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(data_.data()); }

 private:
  void Put(const void* p, size_t n) {
    size_t at = data_.size();
    data_.resize(at + (n + 1) / 2);
    memcpy(reinterpret_cast<char*>(data_.data()) + at * 2, p, n);
  }
  void Word(WORD w) { data_.push_back(w); }
  void Align(size_t bytes) {
    while ((data_.size() * 2) % bytes) data_.push_back(0);
  }
  void Text(const char* s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
    std::vector<wchar_t> w(static_cast<size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), n);
    for (wchar_t c : w) data_.push_back(static_cast<WORD>(c));
  }
  std::vector<WORD> data_;
  size_t countAt_ = 0;
};

struct DlgState {
  Editor* e;
  bool replace;
};

std::string ItemText(HWND dlg, int id) {
  char buf[256] = "";
  GetDlgItemTextA(dlg, id, buf, sizeof buf);
  return buf;
}

void ReadOptions(HWND dlg, Editor& e) {
  SetSearchText(e, ItemText(dlg, kIdWhat).substr(0, 125), true);
  e.matchCase = IsDlgButtonChecked(dlg, kIdCase) == BST_CHECKED;
  e.wholeWord = IsDlgButtonChecked(dlg, kIdWord) == BST_CHECKED;
  if (GetDlgItem(dlg, kIdBack)) e.searchBack = IsDlgButtonChecked(dlg, kIdBack) == BST_CHECKED;
  if (GetDlgItem(dlg, kIdWith)) e.replaceText = ItemText(dlg, kIdWith);
}

INT_PTR CALLBACK DlgProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    auto* st = reinterpret_cast<DlgState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    switch (msg) {
      case WM_INITDIALOG: {
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        st = reinterpret_cast<DlgState*>(lp);
        Editor& e = *st->e;
        std::string seed = e.searchText;
        // A selection within one line seeds the search text.
        if (e.doc.HasSelection() && e.doc.SelStart().line == e.doc.SelEnd().line)
          seed = e.doc.TextRange(e.doc.SelStart(), e.doc.SelEnd()).substr(0, 125);
        SetDlgItemTextA(dlg, kIdWhat, seed.c_str());
        SendDlgItemMessageA(dlg, kIdWhat, EM_LIMITTEXT, 125, 0);
        if (GetDlgItem(dlg, kIdWith)) SetDlgItemTextA(dlg, kIdWith, e.replaceText.c_str());
        CheckDlgButton(dlg, kIdCase, e.matchCase ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dlg, kIdWord, e.wholeWord ? BST_CHECKED : BST_UNCHECKED);
        if (GetDlgItem(dlg, kIdBack)) CheckDlgButton(dlg, kIdBack, e.searchBack ? BST_CHECKED : BST_UNCHECKED);
        SendDlgItemMessageA(dlg, kIdWhat, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dlg, kIdWhat));
        return FALSE;
      }
      case WM_COMMAND: {
        if (!st) return FALSE;
        Editor& e = *st->e;
        HWND self = e.hwnd;
        switch (LOWORD(wp)) {
          case IDOK:
            ReadOptions(dlg, e);
            EndDialog(dlg, IDOK);
            return TRUE;
          case IDCANCEL: EndDialog(dlg, IDCANCEL); return TRUE;
          case kIdFindNext:
            ReadOptions(dlg, e);
            e.searchBack = false;
            FindNext(e, false);
            if (EditorOf(self) == &e) Sync(e);
            return TRUE;
          case kIdReplace:
            ReadOptions(dlg, e);
            e.searchBack = false;
            ReplaceOnce(e);
            if (EditorOf(self) == &e) Sync(e);
            return TRUE;
          case kIdReplaceAll: {
            ReadOptions(dlg, e);
            int n = ReplaceAll(e);
            Sync(e);
            if (e.initialized && e.callback) {
              if (SendMessageA(e.callback, LEM_NOTIFYFOUND, 0, LENF_REPLACEDALL) != 0) return TRUE;
              if (EditorOf(self) != &e) return TRUE;
            }
            char msgText[80];
            snprintf(msgText, sizeof msgText, "%d occurrence%s replaced.", n, n == 1 ? "" : "s");
            MessageBoxA(dlg, msgText, "Replace", MB_OK | MB_ICONINFORMATION);
            return TRUE;
          }
          default: return FALSE;
        }
      }
      case WM_CLOSE: EndDialog(dlg, IDCANCEL); return TRUE;
      default: return FALSE;
    }
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

bool FindDialog(Editor& e) {
  Template t("Find", 236, 74);
  t.Item("STATIC", "Fi&nd what:", -1, SS_LEFT, 7, 9, 44, 8);
  t.Item("EDIT", "", kIdWhat, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 54, 7, 120, 12);
  t.Item("BUTTON", "Match &case", kIdCase, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 28, 100, 10);
  t.Item("BUTTON", "&Whole word only", kIdWord, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 41, 100, 10);
  t.Item("BUTTON", "Search &backwards", kIdBack, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 54, 100, 10);
  t.Item("BUTTON", "&Find", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 180, 7, 50, 14);
  t.Item("BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 180, 25, 50, 14);
  DlgState st{&e, false};
  INT_PTR r =
      DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), e.hwnd, DlgProc, reinterpret_cast<LPARAM>(&st));
  return r == IDOK && !e.searchText.empty();
}

void ReplaceDialog(Editor& e) {
  Template t("Replace", 250, 84);
  t.Item("STATIC", "Fi&nd what:", -1, SS_LEFT, 7, 9, 48, 8);
  t.Item("EDIT", "", kIdWhat, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 58, 7, 120, 12);
  t.Item("STATIC", "Re&place with:", -1, SS_LEFT, 7, 27, 48, 8);
  t.Item("EDIT", "", kIdWith, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 58, 25, 120, 12);
  t.Item("BUTTON", "Match &case", kIdCase, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 46, 100, 10);
  t.Item("BUTTON", "&Whole word only", kIdWord, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 59, 100, 10);
  t.Item("BUTTON", "&Find Next", kIdFindNext, BS_DEFPUSHBUTTON | WS_TABSTOP, 190, 7, 54, 14);
  t.Item("BUTTON", "&Replace", kIdReplace, BS_PUSHBUTTON | WS_TABSTOP, 190, 25, 54, 14);
  t.Item("BUTTON", "Replace &All", kIdReplaceAll, BS_PUSHBUTTON | WS_TABSTOP, 190, 43, 54, 14);
  t.Item("BUTTON", "Close", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 190, 61, 54, 14);
  DlgState st{&e, true};
  DialogBoxIndirectParamA(GetModuleHandleA(nullptr), t.Get(), e.hwnd, DlgProc, reinterpret_cast<LPARAM>(&st));
}

int MessageBoxOf(Editor& e, const std::string& text, const char* caption, UINT flags) {
  return MessageBoxA(e.hwnd, text.c_str(), caption, flags);
}

}  // namespace ledit
