// Every item of every menu and popup of the frame and the document window, chosen the
// way a person chooses it, over three documents (one changed and never saved, one saved,
// one untouched), with each of them current in turn. Every dialog is answered with Cancel
// (and, in the OK runs, with OK where that touches nothing outside the test's folder).
// After each command: the program goes on, no document lost or changed behind the user's
// back, a changed document still counts as changed, and the focus is in the current
// editor. A second road runs the document commands while "Check Spelling" waits. Each
// sweep runs with the frame restored, with it maximised, and with the document window
// partly past the edges of the frame's client area.
#include <functional>
#include <map>

#include "editor/tests/frame_fixture.h"
#include "editor/Vx2_html.h"
#include "framework/win/tests/ScreenDriver.h"
#include "spell/SpellDlg.h"
#include "spell/tests/SpellWinTest.h"

namespace vx {
namespace {

using V = std::vector<std::string>;

// The edit control's own dialogs and message boxes (class #32770) of this thread.
BOOL CALLBACK CollectDialogs(HWND h, LPARAM lp) {
  char cls[16] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0 && IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
  return TRUE;
}

// One menu item, found again by its captions after the documents are made anew.
struct TItemPath {
  std::string menu;  // "" for the frame's menu bar, otherwise the popup's name
  V captions;
  std::string Text() const {
    std::string s = menu.empty() ? "menu" : menu;
    for (const auto& c : captions) s += " > " + c;
    return s;
  }
};

struct TDocState {
  TxEdit* editor;
  std::string name, text;
  bool modified;
};

enum class TFrameState { Restored, Maximised, PartlyOutside };

struct SweepTest : FrameTest, ::testing::WithParamInterface<TFrameState> {
  bool okPass = false;
  std::vector<std::string> failures;
  std::unique_ptr<spellwin::TTicker> ticker;
  std::function<void()> whileChecking;  // run once when a check waits
  int scratch = 0;
  std::string savedName;

  void BeforeStart() override {
    // The list files the OK runs write belong in the test's folder, beside a copy of the
    // tag definitions the document window reads.
    CopyFileA((ExtractFilePath(Application->ExeName()) + "standard.vxt").c_str(), (dir + "standard.vxt").c_str(),
              FALSE);
    SetProgramFolder(dir);
    // A preview of an untitled document writes its copy into the current folder.
    SetCurrentDirectoryA(dir.c_str());
    Application->OnHelp = [](UINT, ULONG_PTR) { return true; };
  }
  void SetUp() override {
    FrameTest::SetUp();
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT type) {
      messages.push_back(text);
      return Answer(type & MB_TYPEMASK);
    };
    Application->OnModalForm = [this](TForm* f) {
      shown.push_back(f->ClassName());
      f->SetModalResult(okPass ? mrOk : mrCancel);
    };
    TCommonDialog::Handler() = [this](TCommonDialog* d) {
      if (!okPass) return false;
      if (auto* o = dynamic_cast<TOpenDialog*>(d)) {
        bool save = dynamic_cast<TSaveDialog*>(d) != nullptr;
        o->SetFileName(save ? dir + "scratch" + std::to_string(++scratch) + ".htm" : savedName);
      }
      return true;
    };
    ticker = std::make_unique<spellwin::TTicker>([this] { Tick(); });
    savedName = Write("saved.htm", "<P>saved text</P>\r\n");
  }
  void TearDown() override {
    ticker.reset();
    Application->OnHelp = nullptr;
    Application->OnPopupMenu = nullptr;
    for (int i = 0; frmEditWin && i < TabCount(); ++i) frmEditWin->EditorOfTab(i)->MarkUnchanged();
    DeleteFileA((ExtractFilePath(Application->ExeName()) + "CUSTOM.DIC").c_str());
    SetCurrentDirectoryA(ExtractFilePath(Application->ExeName()).c_str());
    FrameTest::TearDown();
  }

  int Answer(UINT buttons) {
    switch (buttons) {
      case MB_OKCANCEL: return okPass ? IDOK : IDCANCEL;
      case MB_YESNOCANCEL: return okPass ? IDYES : IDCANCEL;
      case MB_YESNO: return okPass ? IDYES : IDNO;
      case MB_RETRYCANCEL: return IDCANCEL;
      default: return IDOK;
    }
  }

  // The edit control's dialogs are answered as a person would; a check that waits runs the
  // command under test once, then its dialog is closed.
  void Tick() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND h : dialogs) PostMessageA(h, WM_COMMAND, okPass ? IDOK : IDCANCEL, 0);
    TLEditSpellDlg* spell = frmEditWin ? frmEditWin->LEditSpellDlg1 : nullptr;
    if (!spell || !spell->WaitingForChoice() || spell->Dialog()->ResultCode() != srWaiting) return;
    if (whileChecking) {
      auto run = std::move(whileChecking);
      whileChecking = nullptr;
      run();
    } else {
      spell->Dialog()->SetResultCode(srClose);
    }
  }

  // ---- the three documents ---------------------------------------------------------------

  // The changed one is current when `current` is 0, the saved one 1, the untouched one 2.
  void MakeDocuments(int current) {
    if (Form_HTMLView) {
      Form_HTMLView->Close();
      Pump();
    }
    if (RestoreDocuments()) return MakeCurrent(current);
    if (frmEditWin) {
      for (int i = 0; i < TabCount(); ++i) frmEditWin->EditorOfTab(i)->MarkUnchanged();
      frmEditWin->Close();
    }
    if (Form_HTMLView) Form_HTMLView->Close();
    Pump();
    frame->NewDoc(frame);
    Pump();
    Editor()->SetStartLine(5);
    Editor()->SetEndLine(5);
    Editor()->ApplySelection();
    Type("changed by the user, zorbl");
    frame->OpenInEditor(savedName);
    frame->NewDoc(frame);
    Pump();
    for (const auto& d : Documents()) made.push_back(d.text);
    MakeCurrent(current);
  }
  // The same three editors with their first texts and states again, when only their texts
  // or states changed: much quicker than a new document window.
  bool RestoreDocuments() {
    if (made.size() != 3 || !frmEditWin || TabCount() < 3) return false;
    // Documents a command added go again.
    while (TabCount() > 3) {
      frmEditWin->EditorOfTab(3)->MarkUnchanged();
      frmEditWin->TabControl->SetTabIndex(3);
      frmEditWin->CloseDocument();
    }
    TxEdit* ed[3] = {frmEditWin->EditorOfTab(0), frmEditWin->EditorOfTab(1), frmEditWin->EditorOfTab(2)};
    if (ed[0]->FileName() != "Untitled-0.htm" || ed[1]->FileName() != savedName ||
        ed[2]->FileName() != "Untitled-1.htm" || !ed[0]->Untitled() || ed[1]->Untitled() || !ed[2]->Untitled())
      return false;
    for (int i = 0; i < 3; ++i)
      if (ed[i]->Text() != made[i]) ed[i]->SetText(made[i]);
    Write("saved.htm", made[1]);
    ed[0]->SetModified(true);
    ed[1]->MarkSaved();
    ed[2]->MarkUnchanged();
    frmEditWin->Show();
    frmEditWin->BringToFront();
    Pump();
    return frame->ActiveMDIChild() == frmEditWin;
  }
  std::vector<std::string> made;  // the three texts as first made

  // ---- the frame state under test ---------------------------------------------------------

  // Where the document window stands: inside the client area, or past its right and bottom
  // edges with a corner still showing.
  RECT DocumentPlace() {
    // The client area as it is without its scroll bars, which come and go with the place.
    RECT c;
    HWND client = frame->ClientHandle();
    GetClientRect(client, &c);
    LONG style = GetWindowLongA(client, GWL_STYLE);
    if (style & WS_VSCROLL) c.right += GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) c.bottom += GetSystemMetrics(SM_CYHSCROLL);
    if (GetParam() == TFrameState::PartlyOutside) return {c.right - 260, c.bottom - 160, c.right + 300, c.bottom + 220};
    return {0, 0, 560, 380};
  }
  RECT DocumentRect() {
    RECT r;
    GetWindowRect(frmEditWin->Handle(), &r);
    MapWindowPoints(nullptr, frame->ClientHandle(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // Commands such as Tile and Cascade move the document window: each run puts it back.
  // False when the program never goes idle afterwards; the document window is then hidden,
  // which ends the spin, so that the program can still be closed.
  bool PutInFrameState() {
    TWindowState want = GetParam() == TFrameState::Maximised ? wsMaximized : wsNormal;
    if (frame->WindowState() != want) frame->SetWindowState(want);
    // A restored frame big enough for the document window where it was made.
    RECT restored = {0, 0, 1000, 780}, now;
    GetWindowRect(frame->Handle(), &now);
    if (want == wsNormal && !EqualRect(&now, &restored)) frame->SetBoundsRect(restored);
    if (frmEditWin->WindowState() != wsNormal) frmEditWin->SetWindowState(wsNormal);
    RECT want_at = DocumentPlace(), at = DocumentRect();
    if (!EqualRect(&want_at, &at))
      frmEditWin->SetBounds(want_at.left, want_at.top, want_at.right - want_at.left, want_at.bottom - want_at.top);
    if (Settle()) return true;
    frmEditWin->Hide();
    Settle();
    return false;
  }
  // Handles what is queued, as the program's own loop does, until the program rests; false
  // when it never does (the same message to the same window again and again).
  bool Settle() {
    if (screen::Settle(0)) return true;
    spinReport = screen::SpinReport();
    return false;
  }
  std::string spinReport;
  bool InFrameState() {
    TWindowState want = GetParam() == TFrameState::Maximised ? wsMaximized : wsNormal;
    RECT want_at = DocumentPlace(), at = DocumentRect();
    return frame->WindowState() == want && frmEditWin->WindowState() == wsNormal && EqualRect(&want_at, &at);
  }

  void MakeCurrent(int current) {
    if (frmEditWin->TabControl->TabIndex() == current && GetFocus() == Editor()->Handle()) return;
    frmEditWin->TabControl->SetTabIndex(current);
    Editor()->ActivateEditor();
    Pump();
  }
  std::vector<TDocState> Documents() {
    std::vector<TDocState> docs;
    for (int i = 0; frmEditWin && i < TabCount(); ++i) {
      TxEdit* e = frmEditWin->EditorOfTab(i);
      docs.push_back({e, e->FileName(), e->Text(), e->DocumentModified()});
    }
    return docs;
  }
  // The three documents as made (any of them current).
  bool Pristine() {
    if (!frmEditWin || TabCount() != 3 || Form_HTMLView || frame->ActiveMDIChild() != frmEditWin) return false;
    auto docs = Documents();
    return docs[0].name == "Untitled-0.htm" && docs[0].modified && docs[1].name == savedName && !docs[1].modified &&
           docs[1].text == "<P>saved text</P>\r\n" && docs[2].name == "Untitled-1.htm" && !docs[2].modified &&
           docs[0].text.find("zorbl") != std::string::npos && docs[2].text.find("zorbl") == std::string::npos;
  }

  // ---- the menus -------------------------------------------------------------------------

  static void Leaves(TMenuItem* item, TItemPath path, std::vector<TItemPath>& out) {
    for (int i = 0; i < item->Count(); ++i) {
      TMenuItem* it = item->Items(i);
      if (it->IsLine() || !it->Visible()) continue;
      TItemPath p = path;
      p.captions.push_back(it->Caption());
      if (it->Count() > 0)
        Leaves(it, p, out);
      else
        out.push_back(p);
    }
  }
  TPopupMenu* Popup(const std::string& name) {
    if (name == "EditPopUpMenu") return frmEditWin ? frmEditWin->EditPopUpMenu : nullptr;
    return dynamic_cast<TPopupMenu*>(frame->FindComponent(name));
  }
  std::vector<TItemPath> BarItems(const V& menus) {
    std::vector<TItemPath> out;
    for (TMenuItem* top : frame->MainMenu1->BarItems())
      if (std::find(menus.begin(), menus.end(), top->Caption()) != menus.end())
        Leaves(top, TItemPath{"", {top->Caption()}}, out);
    return out;
  }
  std::vector<TItemPath> PopupItems(const V& popups) {
    std::vector<TItemPath> out;
    for (const auto& name : popups) Leaves(Popup(name)->Items(), TItemPath{name, {}}, out);
    return out;
  }
  // The item and the menus above it; nullptr when it is not there now.
  std::vector<TMenuItem*> Find(const TItemPath& path) {
    std::vector<TMenuItem*> chain;
    TMenuItem* at = nullptr;
    size_t first = 0;
    if (path.menu.empty()) {
      for (TMenuItem* top : frame->MainMenu1->BarItems())
        if (top->Caption() == path.captions[0]) at = top;
      first = 1;
    } else if (TPopupMenu* p = Popup(path.menu)) {
      at = p->Items();
    }
    if (at) chain.push_back(at);
    for (size_t i = first; at && i < path.captions.size(); ++i) {
      TMenuItem* next = nullptr;
      for (int k = 0; k < at->Count(); ++k)
        if (at->Items(k)->Caption() == path.captions[i]) next = at->Items(k);
      at = next;
      if (at) chain.push_back(at);
    }
    if (!at) chain.clear();
    return chain;
  }

  // The speed item whose drop-down is this popup.
  static const char* DropDownOf(const std::string& popup) {
    static const std::map<std::string, const char*> items = {
        {"TblPopup", "siTable"},  {"PopupImg", "siImage"},      {"FramesPopUp", "siFrames"}, {"FormPopUp", "siFormPop"},
        {"WizardPopUp", "siWizard"}, {"CustomPopUp", "siCustomTag"}, {"HnPopUp", "siHn"}};
    auto it = items.find(popup);
    return it == items.end() ? nullptr : it->second;
  }

  // Chooses the item as a person does: the menu opens (its items take their state), and a
  // menu item goes to the frame as a command; a popup item is chosen from the popup that
  // the editor's right button or the speed button opens, inside that control's handler.
  // False when the item is disabled at that moment.
  bool Choose(const TItemPath& path) {
    std::vector<TMenuItem*> chain = Find(path);
    if (chain.empty()) {
      failures.push_back(path.Text() + ": not in its menu");
      return false;
    }
    TMenuItem* item = chain.back();
    if (path.menu.empty()) {
      for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i]->InitiateAction();
      if (!item->Enabled()) return false;
      PostMessageA(frame->Handle(), WM_COMMAND, item->Command(), 0);
      return true;
    }
    bool enabled = false;
    Application->OnPopupMenu = [&enabled, item](TPopupMenu*, int, int) -> TMenuItem* {
      enabled = item->Enabled();
      return item;
    };
    if (path.menu == "EditPopUpMenu") {
      HWND ed = Editor()->Handle();
      SendMessageA(ed, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 8));
      SendMessageA(ed, WM_RBUTTONUP, 0, MAKELPARAM(20, 8));
    } else {
      TSpeedbarButton* btn = frame->SpeedItem(DropDownOf(path.menu))->Button();
      HWND bar = btn->Parent()->Handle();
      LPARAM at = MAKELPARAM(btn->Left() + 4, btn->Top() + 4);
      SendMessageA(bar, WM_MOUSEMOVE, 0, at);
      SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageA(bar, WM_LBUTTONUP, 0, at);
    }
    Application->OnPopupMenu = nullptr;
    return enabled;
  }

  // ---- what must hold after every command ---------------------------------------------------

  bool Asked(const std::string& name, size_t from) {
    for (size_t i = from; i < messages.size(); ++i)
      if (messages[i] == "Save Changes to '" + name + "'?") return true;
    return false;
  }
  // Whether the focus was looked at: a command that claims to leave it in the current
  // editor but leaves no document window active, or the frame not in front, is found by
  // the count of checks that ran.
  bool Check(const std::string& what, const std::vector<TDocState>& before, size_t firstMessage, bool focus) {
    auto fail = [&](const std::string& why) { failures.push_back(what + ": " + why); };
    std::vector<TDocState> after = Documents();
    TxEdit* current = Editor();
    for (size_t i = 0; i < before.size(); ++i) {
      const TDocState& b = before[i];
      const TDocState* a = nullptr;
      for (const auto& d : after)
        if (d.editor == b.editor) a = &d;
      if (!a) {
        // Gone: only an unchanged document, or one the user was asked about (and that was
        // then saved, or answered No, which these runs never do).
        if (b.modified && !(Asked(b.name, firstMessage) && okPass)) fail(b.name + " closed without asking");
        continue;
      }
      bool saved = a->name != b.name || (FileExists(a->name) && ReadFileBytes(a->name) == a->text);
      if (a->text != b.text) {
        if (i != static_cast<size_t>(beforeCurrent)) fail(b.name + " changed though not current");
        if (!a->modified && !saved) fail(b.name + " changed but not marked changed");
      }
      if (b.modified && !a->modified && !saved) fail(b.name + " no longer counts as changed");
    }
    if (!focus) return false;
    char front[64] = "";
    GetWindowTextA(GetForegroundWindow(), front, sizeof front);
    uncheckedWhy = !current || !frmEditWin                    ? "no document window"
                   : frame->ActiveMDIChild() != frmEditWin    ? "the document window is not the active one"
                   : GetForegroundWindow() != frame->Handle() ? std::string("in front: '") + front + "'"
                                                              : "";
    if (!uncheckedWhy.empty()) return false;
    EXPECT_EQ(GetFocus(), current->Handle()) << what << ": the focus is not in the current editor";
    return true;
  }
  int beforeCurrent = 0;
  std::string uncheckedWhy;  // why the last focus check could not run

  // Items that put another window in front of the document on purpose.
  static bool LeavesTheEditor(const TItemPath& p) {
    static const V others = {"Refresh Int Viewer", "Reload", "Explorer", "Find", "Replace", "&MainToolbar Editor",
                             "&FormatToolbar Editor"};
    return std::find(others.begin(), others.end(), p.captions.back()) != others.end();
  }
  // Items whose OK closes every document, so that no editor is left to hold the focus.
  static bool ClosesTheDocuments(const TItemPath& p) {
    static const V closing = {"Close All"};
    return std::find(closing.begin(), closing.end(), p.captions.back()) != closing.end();
  }
  bool ClaimsTheFocus(const TItemPath& p) const { return !LeavesTheEditor(p) && !(okPass && ClosesTheDocuments(p)); }
  // Items the OK runs leave alone: they end the program or start programs outside the test.
  static bool OutsideTheScratchFolder(const TItemPath& p) {
    static const V outside = {"E&xit", "Refresh Ext Browser 1", "Refresh Ext Browser 2"};
    return std::find(outside.begin(), outside.end(), p.captions.back()) != outside.end();
  }

  enum class TRun { NotMade, Disabled, Chosen };
  bool focusRan = false;  // the last run looked at the focus
  bool spinning = false;
  TRun Run(const std::string& what, const TItemPath& path, int current, bool duringCheck) {
    if (!Pristine()) MakeDocuments(current);
    if (Pristine() && !PutInFrameState()) {
      spinning = true;
      return TRun::NotMade;
    }
    MakeCurrent(current);
    if (!Pristine() || frmEditWin->TabControl->TabIndex() != current) {
      failures.push_back(what + ": the three documents could not be made");
      return TRun::NotMade;
    }
    if (!InFrameState()) {
      failures.push_back(what + ": the frame could not be put in its state");
      return TRun::NotMade;
    }
    std::vector<TDocState> before = Documents();
    beforeCurrent = current;
    size_t firstMessage = messages.size();
    bool chosen = false;
    bool waited = false;
    if (duringCheck) {
      whileChecking = [&] {
        waited = true;
        chosen = Choose(path);
      };
      PostMessageA(frame->Handle(), WM_COMMAND, frmEditWin->cmdCheckSpelling->Command(), 0);
    } else {
      chosen = Choose(path);
    }
    for (int i = 0; i < 4; ++i) Pump();
    // A check still waiting (its window still there) ends as the person closes its dialog,
    // which the ticker does.
    screen::WaitUntil([&] { return !frmEditWin || !frmEditWin->LEditSpellDlg1->Checking(); });
    whileChecking = nullptr;
    if (duringCheck && !waited) failures.push_back(what + ": the check did not wait");
    if (frmEditWin && frmEditWin->LEditSpellDlg1->Checking()) failures.push_back(what + ": the check never ended");
    // A disabled item leaves nothing to look at, but a check that waited has had its turn.
    if (!chosen && !duringCheck) return TRun::Disabled;
    focusRan = Check(what, before, firstMessage, ClaimsTheFocus(path));
    return chosen ? TRun::Chosen : TRun::Disabled;
  }

  // `disabled` names the items expected disabled with these documents open, each as
  // "Menu > Item", or "Menu > Item (saved current)" where it holds for one document only.
  void Sweep(const std::vector<TItemPath>& items, bool ok, const V& disabled, bool duringCheck = false) {
    okPass = ok;
    ASSERT_FALSE(items.empty());
    static const char* const names[] = {"changed", "saved", "untouched"};
    const int currents = duringCheck ? 1 : 3;  // a check waits only on the changed document, the misspelt one
    std::vector<std::string> skipped, expected, unchecked;
    int claimed = 0, checked = 0;
    for (int current = 0; current < currents; ++current)
      for (const auto& path : items)
        for (const std::string& d : disabled)
          if (!(ok && OutsideTheScratchFolder(path)) &&
              (d == path.Text() || d == path.Text() + " (" + names[current] + " current)"))
            expected.push_back(path.Text() + " (" + names[current] + " current)");
    DWORD start = GetTickCount();
    for (int current = 0; current < currents; ++current) {
      for (const auto& path : items) {
        if (ok && OutsideTheScratchFolder(path)) continue;
        std::string which = path.Text() + " (" + names[current] + " current)";
        std::string what = path.Text() + " (" + names[current] + " current" + (ok ? ", OK" : "") + ")";
        fprintf(stderr, "%6lu %s\n", GetTickCount() - start, what.c_str());
        focusRan = false;
        TRun r = Run(what, path, current, duringCheck);
        ASSERT_NE(frame, nullptr) << what;
        if (spinning) {
          for (const auto& f : failures) ADD_FAILURE() << f;
          FAIL() << what << ": the program never goes idle once the frame is in its state: " << spinReport;
        }
        if (r == TRun::NotMade) continue;
        if (r == TRun::Disabled) skipped.push_back(which);
        if (r == TRun::Disabled && !duringCheck) continue;
        if (ClaimsTheFocus(path)) ++claimed;
        if (focusRan)
          ++checked;
        else if (ClaimsTheFocus(path))
          unchecked.push_back(what + ": " + uncheckedWhy);
      }
    }
    fprintf(stderr, "%lu ms; %d focus checks claimed, %d ran\n", GetTickCount() - start, claimed, checked);
    for (const auto& s : skipped) fprintf(stderr, "skipped, disabled: %s\n", s.c_str());
    for (const auto& u : unchecked) fprintf(stderr, "focus not checked: %s\n", u.c_str());
    for (const auto& f : failures) ADD_FAILURE() << f;
    EXPECT_EQ(skipped, expected) << "the items found disabled";
    EXPECT_EQ(checked, claimed) << "focus checks ran of those the items claim";
  }
};

const V OtherFrameMenus = {"&Window", "T&ools", "&Help"};
const V DocumentMenus = {"&Edit", "&Text", "&Bookmark"};
// With the three documents as made: no selection, nothing on the clipboard, nothing to
// redo, nothing closed yet to reopen; only the changed document has something to undo or save.
const V FileMenuDisabled = {"menu > &File > Reopen (changed current)", "menu > &File > &Save (saved current)",
                            "menu > &File > &Save (untouched current)"};
const V DocumentMenusDisabled = {"menu > &Edit > Undo (saved current)",  "menu > &Edit > Undo (untouched current)",
                                 "menu > &Edit > Redo",  "menu > &Edit > Cu&t",  "menu > &Edit > &Copy",
                                 "menu > &Edit > &Paste", "menu > &Text > &Edit Image Map", "menu > &Text > &Lowercase",
                                 "menu > &Text > &Uppercase"};
// Lower Case comes after Select All, whose selection it finds.
const V EditorPopupDisabled = {"EditPopUpMenu > Undo (saved current)", "EditPopUpMenu > Undo (untouched current)",
                               "EditPopUpMenu > Redo", "EditPopUpMenu > Cut", "EditPopUpMenu > Copy",
                               "EditPopUpMenu > Paste", "EditPopUpMenu > Upper Case", "EditPopUpMenu > Strip HTML tags"};
const V SpeedButtonPopups = {"FormPopUp", "HnPopUp", "TblPopup", "FramesPopUp", "PopupImg", "WizardPopUp",
                             "CustomPopUp"};

}  // namespace

TEST_P(SweepTest, FileMenuCancel) {
  MakeDocuments(0);
  Sweep(BarItems({"&File"}), false, FileMenuDisabled);
}
// The File menu's OK runs in two halves: each makes and saves documents.
TEST_P(SweepTest, FileMenuOkToClose) {
  MakeDocuments(0);
  std::vector<TItemPath> items = BarItems({"&File"});
  items.resize(6);
  Sweep(items, true, {"menu > &File > Reopen (changed current)"});
}
TEST_P(SweepTest, FileMenuOkFromSave) {
  MakeDocuments(0);
  std::vector<TItemPath> items = BarItems({"&File"});
  items.erase(items.begin(), items.begin() + 6);
  Sweep(items, true, {"menu > &File > &Save (saved current)", "menu > &File > &Save (untouched current)"});
}
TEST_P(SweepTest, OtherFrameMenusCancel) {
  MakeDocuments(0);
  Sweep(BarItems(OtherFrameMenus), false, {});
}
TEST_P(SweepTest, OtherFrameMenusOk) {
  MakeDocuments(0);
  Sweep(BarItems(OtherFrameMenus), true, {});
}
TEST_P(SweepTest, DocumentMenusCancel) {
  MakeDocuments(0);
  Sweep(BarItems(DocumentMenus), false, DocumentMenusDisabled);
}
TEST_P(SweepTest, DocumentMenusOk) {
  MakeDocuments(0);
  Sweep(BarItems(DocumentMenus), true, DocumentMenusDisabled);
}
TEST_P(SweepTest, EditorPopupCancel) {
  MakeDocuments(0);
  Sweep(PopupItems({"EditPopUpMenu"}), false, EditorPopupDisabled);
}
TEST_P(SweepTest, EditorPopupOk) {
  MakeDocuments(0);
  Sweep(PopupItems({"EditPopUpMenu"}), true, EditorPopupDisabled);
}
TEST_P(SweepTest, SpeedButtonPopupsCancel) {
  MakeDocuments(0);
  Sweep(PopupItems(SpeedButtonPopups), false, {});
}
// With OK the tags go in and the wizards write: in two halves.
TEST_P(SweepTest, FormHeaderAndTablePopupsOk) {
  MakeDocuments(0);
  Sweep(PopupItems({"FormPopUp", "HnPopUp", "TblPopup"}), true, {});
}
TEST_P(SweepTest, FrameImageWizardAndCustomPopupsOk) {
  MakeDocuments(0);
  Sweep(PopupItems({"FramesPopUp", "PopupImg", "WizardPopUp", "CustomPopUp"}), true, {});
}
// The commands again while "Check Spelling" waits on the changed document's misspelt word.
TEST_P(SweepTest, FileAndPopupWhileACheckWaits) {
  MakeDocuments(0);
  std::vector<TItemPath> items = BarItems({"&File"});
  for (const auto& p : PopupItems({"EditPopUpMenu"})) items.push_back(p);
  Sweep(items, false, {"menu > &File > Reopen", "EditPopUpMenu > Redo"}, true);
}

std::string StateName(const ::testing::TestParamInfo<TFrameState>& i) {
  static const char* const names[] = {"Restored", "Maximised", "PartlyOutside"};
  return names[static_cast<int>(i.param)];
}
INSTANTIATE_TEST_SUITE_P(Frame, SweepTest,
                         ::testing::Values(TFrameState::Restored, TFrameState::Maximised, TFrameState::PartlyOutside),
                         StateName);

}  // namespace vx
