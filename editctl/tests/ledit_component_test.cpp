// The component over the real LEDIT32 window.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editctl/LEDlp32.h"
#include "framework/core/SysUtils.h"

using namespace vx;

namespace {

struct DllFixture : ::testing::Test {
  TForm* form = nullptr;
  TLEdit* ed = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(40, 40, 500, 300);
    ed = new TLEdit(form);
    ed->SetParent(form);
    ed->SetBounds(0, 0, 480, 260);
    form->Show();
  }
  void TearDown() override {
    form->Free();
    Application->OnMessageBox = nullptr;
  }
  std::string TempName(const char* leaf) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + leaf;
  }
};

TEST_F(DllFixture, TextSelectionAndUndo) {
  ed->SetText("first\r\nsecond line");
  EXPECT_EQ(ed->Text(), "first\r\nsecond line");
  EXPECT_EQ(ed->GetLineCount(), 2);
  EXPECT_EQ(ed->GetLineLength(2), 11);
  EXPECT_EQ(ed->GetLine(2), "second line");
  ed->SetStartLine(2);
  ed->SetStartPos(0);
  ed->SetEndLine(2);
  ed->SetEndPos(6);
  ed->ApplySelection();
  EXPECT_EQ(ed->GetSelText(), "second");
  EXPECT_EQ(ed->SelTextToString(), "second");
  ed->InsertText("third");
  EXPECT_EQ(ed->Text(), "first\r\nthird line");
  ed->UpdateSelection();
  EXPECT_EQ(ed->EndLine(), 2);
  EXPECT_EQ(ed->EndPos(), 5);  // the caret follows the inserted text
  EXPECT_TRUE(ed->CanUndo());
  ed->Undo();
  EXPECT_EQ(ed->Text(), "first\r\nsecond line");
  EXPECT_TRUE(ed->CanRedo());
  ed->Redo();
  EXPECT_EQ(ed->Text(), "first\r\nthird line");
  ed->InsertTextAt(1, 99, "!");
  EXPECT_EQ(ed->GetLine(1), "first!");
  ed->UpdateSelection();
  ed->SetEndPos(0);
  ed->SetStartPos(0);
  ed->ApplySelection();
  EXPECT_EQ(ed->GetSelTextOrLineRest(), "first!");
  ed->ClearAll();
  EXPECT_EQ(ed->GetTextLength(), 0);
  EXPECT_EQ(ed->Text(), "");
}

TEST_F(DllFixture, LoadAndSaveTellFailureFromSuccess) {
  int fileErrors = 0;
  ed->OnFileError = [&](TObject*) { ++fileErrors; };
  Application->OnMessageBox = [](const AnsiString&, const AnsiString&, UINT) { return IDOK; };
  std::string name = TempName("editctl_save.txt");
  ed->SetText("one\r\ntwo");
  EXPECT_EQ(ed->SaveToFile(name), 0);
  ed->SetUnixStyleSave(true);
  EXPECT_EQ(ed->SaveToFile(name), 0);
  FILE* f = fopen(name.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  char buf[32] = {};
  size_t n = fread(buf, 1, sizeof buf, f);
  fclose(f);
  EXPECT_EQ(std::string(buf, n), "one\ntwo");
  ed->ClearAll();
  EXPECT_EQ(ed->LoadFromFile(name), 0);
  EXPECT_EQ(ed->Text(), "one\r\ntwo");
  EXPECT_EQ(fileErrors, 0);
  EXPECT_NE(ed->LoadFromFile(TempName("no such folder\\none.txt")), 0);
  EXPECT_NE(ed->SaveToFile(TempName("no such folder\\none.txt")), 0);
  EXPECT_EQ(fileErrors, 2);
  DeleteFileA(name.c_str());
  // SaveToStream writes the whole text.
  TMemoryStream ms;
  ed->SaveToStream(ms);
  EXPECT_EQ(ms.Size(), 8);
}

TEST_F(DllFixture, ModifiedFollowsTheMask) {
  ed->SetText("abc");
  EXPECT_TRUE(ed->GetModified());
  ed->SetModifiedMask(3);
  ed->SetModified(false);
  EXPECT_FALSE(ed->GetModified());
  ed->InsertTextAt(1, 0, "x");
  EXPECT_TRUE(ed->GetModified());
}

TEST_F(DllFixture, NotificationsBecomeEvents) {
  int changes = 0, modes = 0;
  ed->OnChange = [&](TObject*) { ++changes; };
  ed->OnChangeMode = [&](TObject*) { ++modes; };
  ed->SetText("hello");
  EXPECT_GT(changes, 0);
  int before = changes;
  ed->SetStartLine(1);
  ed->SetStartPos(2);
  ed->SetEndLine(1);
  ed->SetEndPos(2);
  ed->ApplySelection();  // a caret move is a change too
  EXPECT_GT(changes, before);
  SendMessageA(ed->Handle(), WM_KEYDOWN, VK_INSERT, 0);
  EXPECT_EQ(modes, 1);
  EXPECT_FALSE(ed->InsertMode());
  SendMessageA(ed->Handle(), WM_KEYDOWN, VK_INSERT, 0);
  EXPECT_TRUE(ed->InsertMode());
}

TEST_F(DllFixture, CallbacksReachTheEvents) {
  ed->SetSyntax("2\"\"002!-2->1>2</1=1;1&");
  ed->SetHighlight(true);
  ed->SetText("<A HREF=\"x\">t</A>");
  std::vector<std::string> words;
  ed->OnControlHighlight = [&](TObject*, uint16_t type, int32_t, const AnsiString& s, TColor& fore, TColor&) {
    words.push_back(std::to_string(type) + ":" + s);
    if (type == LET_WORD && s == "<A") fore = clRed;
  };
  RECT r;
  GetClientRect(ed->Handle(), &r);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, bmp);
  SendMessageA(ed->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  bool red = false;
  for (int y = 0; y < 20 && !red; ++y)
    for (int x = 0; x < 40 && !red; ++x) red = GetPixel(mem, x, y) == RGB(255, 0, 0);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ASSERT_FALSE(words.empty());
  EXPECT_EQ(words.front(), "1:<A");
  EXPECT_NE(std::find(words.begin(), words.end(), "8193:\"x\""), words.end());
  EXPECT_TRUE(red);

  // A plain click on a word reaches OnWordClick with the caret already there.
  int clickedLine = 0, clickedColumn = -1;
  AnsiString clicked;
  ed->OnWordClick = [&](TObject*, uint16_t, int32_t value, const AnsiString& s, bool& handled) {
    ed->UpdateSelection();
    clickedLine = ed->EndLine();
    clickedColumn = value & 0xFFFF;
    clicked = s;
    handled = true;
  };
  SendMessageA(ed->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
  SendMessageA(ed->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
  EXPECT_EQ(clicked, "<A");
  EXPECT_EQ(clickedLine, 1);
  EXPECT_EQ(clickedColumn, 0);
}

TEST_F(DllFixture, RecreationAfterTypingKeepsTextSelectionAndModified) {
  ed->SetText("abc\r\ndef");  // cached whole text
  ed->SetModifiedMask(0);
  ed->SetModified(false);
  ed->SetStartLine(2);
  ed->SetStartPos(3);
  ed->SetEndLine(2);
  ed->SetEndPos(3);
  ed->ApplySelection();
  for (char c : std::string("XY")) SendMessageA(ed->Handle(), WM_CHAR, static_cast<unsigned char>(c), 0);
  ed->SetStartPos(0);
  ed->SetEndPos(2);
  ed->SetStartLine(2);
  ed->SetEndLine(2);
  ed->ApplySelection();
  ASSERT_EQ(ed->Text(), "abc\r\ndefXY");
  ed->SetSelText("");  // a stale selected-text cache must not come back either
  ed->SetText("abc\r\ndefXY");
  ed->SetStartPos(1);
  ed->SetEndPos(4);
  ed->ApplySelection();
  SendMessageA(ed->Handle(), WM_CHAR, 'Z', 0);  // typed over "efX": "dZY"
  ed->SetStartPos(1);
  ed->SetEndPos(2);
  ed->ApplySelection();
  HWND before = ed->Handle();
  ed->RecreateWnd();
  EXPECT_NE(ed->Handle(), before);
  EXPECT_EQ(ed->Text(), "abc\r\ndZY");
  ed->UpdateSelection();
  EXPECT_EQ(ed->StartLine(), 2);
  EXPECT_EQ(ed->StartPos(), 1);
  EXPECT_EQ(ed->EndPos(), 2);
  EXPECT_TRUE(ed->GetModified());
  ed->SetModified(false);
  ed->RecreateWnd();
  EXPECT_FALSE(ed->GetModified());
  EXPECT_EQ(ed->Text(), "abc\r\ndZY");
}

TEST_F(DllFixture, RecreationKeepsTheLoadedFileAndDoesNotReload) {
  Application->OnMessageBox = [](const AnsiString&, const AnsiString&, UINT) { return IDOK; };
  std::string name = TempName("editctl_keep.txt");
  FILE* f = fopen(name.c_str(), "wb");
  fputs("from disk", f);
  fclose(f);
  ed->SetInitializeType(isFile);
  ed->SetHasFile(true);
  ed->SetFileName(name);
  EXPECT_EQ(ed->Text(), "from disk");
  SendMessageA(ed->Handle(), WM_CHAR, 'Q', 0);
  ed->RecreateWnd();
  EXPECT_EQ(ed->Text(), "Qfrom disk");
  EXPECT_EQ(ed->FileName(), name);
  DeleteFileA(name.c_str());
}

TEST_F(DllFixture, GroupsProbeAndJoin) {
  auto* other = new TLEdit(form);
  other->SetParent(form);
  ed->SetGroupNumber(4);
  other->SetGroupNumber(4);
  HWND g = FindWindowExA(form->Handle(), nullptr, LEDIT_GROUP_CLASS, nullptr);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(SendMessageA(g, LEM_GROUPPROBE, 0, LE_GROUP_PROBE), LE_GROUP_ANSWER);
  // Only one group window was made for the number.
  EXPECT_EQ(FindWindowExA(form->Handle(), g, LEDIT_GROUP_CLASS, nullptr), nullptr);
  // Group members share the search text.
  ed->SetSearchText("needle");
  other->SetGroupNumber(5);
  EXPECT_NE(FindWindowExA(form->Handle(), g, LEDIT_GROUP_CLASS, nullptr), nullptr);
}

}  // namespace
