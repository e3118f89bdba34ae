// Prints on a real printer: the CUPS queue named by VORNIX_PRINTER, which writes PDF files
// that scripts/print-test checks page by page. Each test is one print job.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "editctl/LEDlp32.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/Printers.h"
#include "viewer/FramView.h"

using namespace vx;

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
}

struct PrintOut : ::testing::Test {
  std::vector<std::string> messages;
  void SetUp() override {
    Application->OnMessageBox = [this](const AnsiString& t, const AnsiString&, UINT) {
      messages.push_back(t);
      return IDOK;
    };
    const char* q = std::getenv("VORNIX_PRINTER");
    ASSERT_NE(q, nullptr) << "VORNIX_PRINTER names no print queue";
    int i = Printer()->Printers()->IndexOf(q);
    ASSERT_GE(i, 0) << "Wine lists no printer " << q;
    Printer()->SetPrinterIndex(i);
    SetDefaultPrinterA(q);  // the edit control prints on the default printer
    ReportPage(q);
  }
  // The page as the printer has it, for print-test to find the margins on paper: its pixels
  // per inch, where its printable area starts and how large it is, and the screen's pixels
  // per inch.
  static void ReportPage(const char* queue) {
    HDC dc = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
    ASSERT_NE(dc, nullptr);
    HDC screen = GetDC(nullptr);
    std::printf("vornix-page: %d %d %d %d %d %d %d\n", GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY),
                GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY), GetDeviceCaps(dc, HORZRES),
                GetDeviceCaps(dc, VERTRES), GetDeviceCaps(screen, LOGPIXELSX));
    std::fflush(stdout);
    ReleaseDC(nullptr, screen);
    DeleteDC(dc);
  }
  void TearDown() override { Application->OnMessageBox = nullptr; }
};

// Three pages, each with its own words, the breaks forced by the page marker; the first with a
// paragraph wider than the page.
std::string ThreePages() {
  std::string s = "<TITLE>Printed</TITLE><H1>Alpha heading</H1><P>";
  for (int i = 0; i < 120; ++i) s += "wide" + std::to_string(i) + " ";
  for (int i = 0; i < 10; ++i) s += "<P>Alpha paragraph " + std::to_string(i);
  s += "<PAGE><H2>Bravo heading</H2><P>Bravo paragraph<PAGE><P>Charlie closing words";
  return s;
}

}  // namespace

TEST_F(PrintOut, ViewerThreePages) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string file = std::string(tmp) + "vx_printout.htm";
  std::ofstream(file, std::ios::binary) << ThreePages();
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, 600, 400);
  auto* fv = new TFrameViewer(form);
  fv->SetParent(form);
  fv->SetAlign(alClient);
  form->Show();
  Pump();
  fv->LoadFromFile(file);
  Pump();
  fv->Print(1, 9999);
  Pump();
  form->Free();
  DeleteFileA(file.c_str());
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST_F(PrintOut, EditorThreePages) {
  int lines = std::atoi(std::getenv("VORNIX_EDITOR_LINES") ? std::getenv("VORNIX_EDITOR_LINES") : "230");
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, 600, 400);
  auto* ed = new TLEdit(form);
  ed->SetParent(form);
  ed->SetAlign(alClient);
  form->Show();
  Pump();
  // Sent to the window only while it exists.
  ed->SetNoPrintDialog(true);
  ed->SetNoPrintProgress(true);
  std::string text;
  char buf[32];
  for (int i = 1; i <= lines; ++i) {
    std::snprintf(buf, sizeof buf, "Line %03d\r\n", i);
    text += buf;
  }
  ed->InsertText(text);
  ed->Print();
  Pump();
  form->Free();
  EXPECT_TRUE(messages.empty()) << messages.front();
}

// A line far wider than the page: every word of it has to reach the paper.
TEST_F(PrintOut, EditorLongLine) {
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, 600, 400);
  auto* ed = new TLEdit(form);
  ed->SetParent(form);
  ed->SetAlign(alClient);
  form->Show();
  Pump();
  ed->SetNoPrintDialog(true);
  ed->SetNoPrintProgress(true);
  std::string text = "<IMG SRC=\"x.gif\"";
  char buf[32];
  for (int i = 1; i <= 300; ++i) {
    std::snprintf(buf, sizeof buf, " w%03d", i);
    text += buf;
  }
  text += " height=\"60\">\r\nLast line\r\n";
  ed->InsertText(text);
  ed->Print();
  Pump();
  form->Free();
  EXPECT_TRUE(messages.empty()) << messages.front();
}
