// A VornixPro main frame started on an empty registry, with the message boxes and the
// common dialogs answered by the test. One frame per test program run: each test runs
// in a program of its own, as the real program makes one frame in its life.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/DocFiles.h"
#include "framework/win/tests/FileBytes.h"
#include "editor/Settings.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/FileCtrl.h"
#include "framework/win/IniFiles.h"
#include "editor/filedrag.h"
#include "tagdefs/teTagType.h"
#include "toolkit/MRUList.h"
#include "toolkit/SpeedBar.h"

namespace vx {

struct FrameTest : ::testing::Test {
  TFrameForm* frame = nullptr;
  std::vector<std::string> messages;
  std::deque<int> answers;  // message box answers in order; IDOK when none left
  std::function<bool(TCommonDialog*)> dialog;
  std::vector<std::string> dialogNames;  // the file name each dialog proposed
  std::string dir;                       // an empty work folder
  std::vector<std::string> shown;        // the modal forms seen, in order (Answer notes captions)

  void SetUp() override {
    TRegIniFile::DeleteUserKey(VornixRegKey);
    SetProgramFolder("");
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      if (answers.empty()) return IDOK;
      int a = answers.front();
      answers.pop_front();
      return a;
    };
    TCommonDialog::Handler() = [this](TCommonDialog* d) {
      if (auto* o = dynamic_cast<TOpenDialog*>(d)) dialogNames.push_back(o->FileName());
      return dialog ? dialog(d) : false;
    };
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    dir = std::string(tmp) + "vx_editor_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    BeforeStart();
    Start();
  }

  // What a test needs in the registry or on disk before the program starts.
  virtual void BeforeStart() {}

  void TearDown() override {
    Application->OnModalForm = nullptr;
    Stop();
    Application->OnMessageBox = nullptr;
    TCommonDialog::Handler() = nullptr;
    SetProgramFolder("");
    TRegIniFile::DeleteUserKey(VornixRegKey);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string f = dir + fd.cFileName;
        SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(f.c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }

  void Start() {
    Application->SetMainForm(nullptr);
    Application->SetTitle(VornixTitle);
    frame = Application->CreateForm<TFrameForm>();
    frame->Show();
    Pump();
  }

  // The end of the program without ending the test process: the frame asks its children,
  // then goes.
  bool Stop() {
    if (!frame) return true;
    if (!frame->CloseQuery()) return false;
    frame->Hide();
    Pump();
    frame->Free();
    frame = nullptr;
    Application->SetMainForm(nullptr);
    Pump();
    return true;
  }

  void Pump() {
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
  }

  // Answers the next modal forms through f (the test's seam), noting each one's caption.
  void Answer(std::function<void(TForm*)> f) {
    Application->OnModalForm = [this, f](TForm* form) {
      shown.push_back(form->Caption());
      f(form);
    };
  }

  std::string Write(const std::string& leaf, const std::string& text) {
    std::string name = dir + leaf;
    HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
    return name;
  }

  // A save dialog that answers with this name.
  void SaveAs(const std::string& name) {
    dialog = [name](TCommonDialog* d) {
      static_cast<TOpenDialog*>(d)->SetFileName(name);
      return true;
    };
  }

  TxEdit* Editor() { return frmEditWin ? frmEditWin->CurrentEditor() : nullptr; }
  // A new document holding exactly this text.
  TxEdit* Doc(const std::string& text) {
    frame->NewDoc(frame);
    Pump();
    Editor()->SetText(text);
    return Editor();
  }
  void Select(int sl, int sp, int el, int ep) {
    Editor()->SetStartLine(sl);
    Editor()->SetStartPos(sp);
    Editor()->SetEndLine(el);
    Editor()->SetEndPos(ep);
    Editor()->ApplySelection();
  }
  int TabCount() { return frmEditWin ? frmEditWin->TabControl->Tabs()->Count() : 0; }
  std::string TabCaption(int i) { return frmEditWin->TabControl->Tabs()->Strings(i); }
  std::string Panel(int i) { return frame->StatusBar->Panels()->Items(i)->Text(); }
  void Type(const char* text) {
    for (const char* p = text; *p; ++p) SendMessageA(Editor()->Handle(), WM_CHAR, static_cast<BYTE>(*p), 1);
  }
  // A command of a menu as the menu bar sends it to the frame.
  void MenuCommand(TMenuItem* item) {
    PostMessageA(frame->Handle(), WM_COMMAND, item->Command(), 0);
    Pump();
  }
  // The command just run was one step: the Edit menu's Undo gives back `before` byte for
  // byte, and its Redo what the editor held after the command.
  void ExpectOneUndoStep(const std::string& before) {
    const std::string after = Editor()->GetText();
    MenuCommand(frmEditWin->cmdUndo);
    EXPECT_EQ(Editor()->GetText(), before) << "after one Undo";
    MenuCommand(frmEditWin->cmdRedo);
    EXPECT_EQ(Editor()->GetText(), after) << "after one Redo";
  }
};

}  // namespace vx
