// Printing through a metafile seam: the job's calls and the text each page holds, page
// ranges, forced page breaks, pages that must move on, printer failures, and the viewer's
// state while it prints. Real paper (a CUPS queue) is tested by scripts/print-test.
#include <gtest/gtest.h>

#include <cwchar>
#include <map>
#include <set>

#include "framework/core/SysUtils.h"
#include "imagelib/tests/ImageFiles.h"
#include "framework/win/Forms.h"
#include "viewer/FramView.h"
#include "viewer/Htmlview.h"
#include "viewer/vwPrint.h"

using namespace vx;

namespace {

void Pump() {
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
}

// What a print job did: its calls in order and, per page, the text drawn on it.
struct TJobLog {
  std::vector<std::string> calls;
  std::vector<std::vector<std::string>> pages;
  std::vector<COLORREF> textColors;
  std::vector<COLORREF> fills;
  std::vector<std::map<DWORD, int>> calls_per_page;  // records of each kind on each page
  std::vector<int> font_changes;                     // per page: text in another font than the text before
  std::set<DWORD> font_objects;                      // metafile handles that are fonts
  DWORD selected_font = 0, text_font = 0;
  int failStartPage = 0;  // the page whose StartPage fails (0: none)
  std::function<void()> onPage;
};

// A printer whose context is an enhanced metafile of the screen; page starts and ends are
// marked in it with comments.
class TMetafilePrinter : public TvwPrinter {
 public:
  explicit TMetafilePrinter(TJobLog& log) : log_(log) {}
  ~TMetafilePrinter() override { SetState(0); }

 protected:
  HDC CreateContext(bool information, const AnsiString&, const AnsiString&, const AnsiString&,
                    const DEVMODEA*) override {
    log_.calls.push_back(information ? "CreateIC" : "CreateDC");
    HDC screen = GetDC(nullptr);
    HDC dc = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, screen);
    return dc;
  }
  void DeleteContext(HDC dc) override {
    if (HENHMETAFILE m = CloseEnhMetaFile(dc)) {
      Read(m);
      DeleteEnhMetaFile(m);
    }
  }
  bool StartDocument(const std::string&) override {
    log_.calls.push_back("StartDoc");
    return true;
  }
  bool StartPrinterPage() override {
    int n = ++pages_;
    log_.calls.push_back("StartPage");
    if (n == log_.failStartPage) return false;
    GdiComment(Handle(), 5, reinterpret_cast<const BYTE*>("page"));
    if (log_.onPage) log_.onPage();
    return true;
  }
  bool EndPrinterPage() override {
    log_.calls.push_back("EndPage");
    return true;
  }
  bool EndDocument() override {
    log_.calls.push_back("EndDoc");
    return true;
  }
  void AbortDocument() override { log_.calls.push_back("AbortDoc"); }

 private:
  static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) {
    auto* log = reinterpret_cast<TJobLog*>(data);
    if (r->iType == EMR_GDICOMMENT) log->calls_per_page.emplace_back();
    if (!log->calls_per_page.empty()) ++log->calls_per_page.back()[r->iType];
    if (r->iType == EMR_EXTTEXTOUTA || r->iType == EMR_EXTTEXTOUTW) {
      if (log->selected_font != log->text_font && !log->font_changes.empty()) ++log->font_changes.back();
      log->text_font = log->selected_font;
    }
    switch (r->iType) {
      case EMR_GDICOMMENT:
        log->pages.emplace_back();
        log->font_changes.push_back(0);
        log->text_font = 0;
        break;
      case EMR_EXTCREATEFONTINDIRECTW:
        log->font_objects.insert(reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r)->ihFont);
        break;
      case EMR_SELECTOBJECT: {
        DWORD h = reinterpret_cast<const EMRSELECTOBJECT*>(r)->ihObject;
        if (log->font_objects.count(h)) log->selected_font = h;
        break;
      }
      case EMR_EXTTEXTOUTA: {
        auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(r);
        std::string s(reinterpret_cast<const char*>(r) + t->emrtext.offString, t->emrtext.nChars);
        if (!log->pages.empty()) log->pages.back().push_back(s);
        break;
      }
      case EMR_EXTTEXTOUTW: {
        auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
        auto* w = reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(r) + t->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < t->emrtext.nChars; ++i) s += static_cast<char>(w[i]);
        if (!log->pages.empty()) log->pages.back().push_back(s);
        break;
      }
      case EMR_SETTEXTCOLOR: log->textColors.push_back(reinterpret_cast<const EMRSETTEXTCOLOR*>(r)->crColor); break;
      case EMR_CREATEBRUSHINDIRECT:
        log->fills.push_back(reinterpret_cast<const EMRCREATEBRUSHINDIRECT*>(r)->lb.lbColor);
        break;
      default: break;
    }
    return 1;
  }
  void Read(HENHMETAFILE m) { EnumEnhMetaFile(nullptr, m, Record, &log_, nullptr); }
  TJobLog& log_;
  int pages_ = 0;
};

struct PrintTest : ::testing::Test {
  TForm* form = nullptr;
  THTMLViewer* v = nullptr;
  TJobLog log;
  std::vector<std::string> errors;
  void SetUp() override {
    Application->OnMessageBox = [this](const AnsiString& t, const AnsiString&, UINT) {
      errors.push_back(t);
      return IDOK;
    };
    PrinterFactory() = [this] { return std::make_unique<TMetafilePrinter>(log); };
    form = CreateForm<TForm>(Application);
    form->SetBounds(10, 10, 500, 400);
    v = new THTMLViewer(form);
    v->SetParent(form);
    v->SetBounds(0, 0, 400, 300);
    form->Show();
    Pump();
  }
  void TearDown() override {
    form->Free();
    PrinterFactory() = nullptr;
    Application->OnMessageBox = nullptr;
    Pump();
  }
  // All text of one page, run together.
  std::string PageText(size_t i) {
    std::string s;
    for (auto& t : log.pages.at(i)) s += t + " ";
    return s;
  }
  int Count(const std::string& call) { return static_cast<int>(std::count(log.calls.begin(), log.calls.end(), call)); }
};

const char* const ThreePages = "<P>Alpha page<PAGE><P>Bravo page<PAGE><P>Charlie page";

}  // namespace

TEST(PrintGeometry, PaperWidthAndHeightInScreenPixels) {
  // A 600-dpi printer 4800 dots wide on a 96-dpi screen: 768 screen pixels, less 20.
  EXPECT_EQ(PrintLayoutWidth(4800, 600, 96), 748);
  EXPECT_EQ(PrintPageHeight(6600, 600, 96), 1056);
  // A context that reports no resolution does not divide by zero.
  EXPECT_EQ(PrintLayoutWidth(4800, 0, 96), 4780);
}

TEST_F(PrintTest, ForcedBreaksAndPageRanges) {
  v->LoadFromString(ThreePages);
  v->Print(1, 9999);
  ASSERT_EQ(log.pages.size(), 3u);
  EXPECT_NE(PageText(0).find("Alpha"), std::string::npos);
  EXPECT_NE(PageText(1).find("Bravo"), std::string::npos);
  EXPECT_NE(PageText(2).find("Charlie"), std::string::npos);
  EXPECT_EQ(PageText(0).find("Bravo"), std::string::npos);
  EXPECT_EQ(log.calls.back(), "EndDoc");
  EXPECT_EQ(Count("EndPage"), 3);

  // One page of three: no second page is started.
  log = TJobLog();
  v->Print(1, 1);
  ASSERT_EQ(log.pages.size(), 1u);
  EXPECT_EQ(Count("StartPage"), 1);
  EXPECT_NE(PageText(0).find("Alpha"), std::string::npos);
  EXPECT_EQ(PageText(0).find("Bravo"), std::string::npos);
  EXPECT_EQ(log.calls.back(), "EndDoc");

  // Pages two and three: the first is laid out off the paper.
  log = TJobLog();
  v->Print(2, 3);
  ASSERT_EQ(log.pages.size(), 2u);
  EXPECT_NE(PageText(0).find("Bravo"), std::string::npos);
  EXPECT_NE(PageText(1).find("Charlie"), std::string::npos);

  // Beyond the last page: no output, the job ends quietly.
  v->LoadFromString("<P>Only one page");
  log = TJobLog();
  v->Print(2, 3);
  EXPECT_EQ(Count("AbortDoc"), 1);
  EXPECT_EQ(Count("EndDoc"), 0);
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(v->Processing());
}

TEST_F(PrintTest, EveryPageMovesOnAndPrintsBlackOnWhite) {
  // A picture far taller than a page: the pages still move on and the job ends.
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string tall = std::string(tmp) + "vx_print_tall.bmp";
  ilibtest::WriteBytes(tall, ilibtest::MakeBmp24(ilibtest::Solid(20, 2500, {128, 128, 128})));
  v->SetViewImages(true);
  v->LoadFromString("<BODY BGCOLOR=navy TEXT=yellow><P>Before<P><IMG SRC=\"" + tall + "\"><P>After the picture");
  v->Print(1, 9999);
  DeleteFileA(tall.c_str());
  ASSERT_GE(log.pages.size(), 3u);
  EXPECT_LT(log.pages.size(), 6u);
  EXPECT_NE(PageText(0).find("Before"), std::string::npos);
  EXPECT_NE(PageText(log.pages.size() - 1).find("After"), std::string::npos);
  for (COLORREF c : log.textColors) EXPECT_EQ(c & 0xFFFFFF, 0u);
  for (COLORREF c : log.fills) EXPECT_NE(c & 0xFFFFFF, 0x800000u);  // no navy page
  // A long paragraph breaks between lines and prints each word once.
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "w" + std::to_string(i) + " ";
  v->LoadFromString("<P>" + text);
  log = TJobLog();
  v->Print(1, 9999);
  ASSERT_GE(log.pages.size(), 2u);
  std::string all;
  for (size_t p = 0; p < log.pages.size(); ++p) all += PageText(p);
  for (int i : {0, 777, 1999}) {
    std::string w = " w" + std::to_string(i) + " ";
    size_t at = (" " + all).find(w);
    ASSERT_NE(at, std::string::npos) << w;
    EXPECT_EQ((" " + all).find(w, at + 1), std::string::npos) << w << " printed twice";
  }
}

// Every call on a printer's context is a command to its driver: text of many runs sets the
// text attributes once a page, not once a run, and says the same.
TEST_F(PrintTest, TextAttributesGoToThePrinterOncePerPage) {
  std::string html;
  for (int i = 0; i < 15; ++i) html += "<P>Run " + std::to_string(i) + " with <B>bold</B> and <I>italic</I> words.";
  v->LoadFromString(html);
  v->Print(1, 1);
  ASSERT_EQ(log.pages.size(), 1u);
  std::map<DWORD, int>& page = log.calls_per_page.at(0);
  EXPECT_GE(page[EMR_EXTTEXTOUTW] + page[EMR_EXTTEXTOUTA], 60);
  EXPECT_LE(page[EMR_SETTEXTALIGN], 2);
  EXPECT_LE(page[EMR_SETBKMODE], 2);
  EXPECT_LE(page[EMR_SETTEXTCOLOR], 1);
  // What comes out is the same: every run, in order, in black.
  std::string text = PageText(0);
  size_t at = 0;
  for (int i : {0, 1, 7, 14}) {
    at = text.find("Run " + std::to_string(i) + " with", at);
    ASSERT_NE(at, std::string::npos) << i;
  }
  EXPECT_NE(text.find("bold"), std::string::npos);
  for (COLORREF c : log.textColors) EXPECT_EQ(c & 0xFFFFFF, 0u);
  // The driver sends a font each time text follows in another: the page's text comes font
  // by font (plain, bold, italic), each run once.
  ASSERT_EQ(log.font_changes.size(), 1u);
  EXPECT_LE(log.font_changes[0], 3);
  EXPECT_EQ(std::count(log.pages[0].begin(), log.pages[0].end(), "bold"), 15);
  EXPECT_EQ(std::count(log.pages[0].begin(), log.pages[0].end(), "italic"), 15);
}

TEST_F(PrintTest, PrinterFailuresEndTheJobAndAreReported) {
  v->LoadFromString(ThreePages);
  log.failStartPage = 2;
  try {
    v->Print(1, 9999);
    FAIL() << "a page the printer refused was taken as printed";
  } catch (const EPrinter& e) {
    EXPECT_NE(std::string(e.Message()).find("page 2"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(Count("AbortDoc"), 1);
  EXPECT_EQ(Count("EndDoc"), 0);
  EXPECT_FALSE(v->Processing());
  // The job's calls out of order.
  TMetafilePrinter p(log);
  EXPECT_THROW(p.NewPage(), EPrinter);
  EXPECT_THROW(p.EndDoc(), EPrinter);
  EXPECT_THROW(p.Abort(), EPrinter);
  p.BeginDoc();
  try {
    p.BeginDoc();
    FAIL();
  } catch (const EPrinter& e) {
    EXPECT_EQ(std::string(e.Message()), "Printing in progress");
  }
  p.EndDoc();
  try {
    p.Canvas()->Font()->SetSize(20);
    p.Canvas()->TextOut(0, 0, "x");
    FAIL();
  } catch (const EPrinter& e) {
    EXPECT_EQ(std::string(e.Message()), "Printer is not currently printing");
  }
}

TEST_F(PrintTest, TheViewerIsBusyWhilePrinting) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string other = std::string(tmp) + "vx_print_other.htm";
  {
    HANDLE f = CreateFileA(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n;
    WriteFile(f, "<P>Other", 8, &n, nullptr);
    CloseHandle(f);
  }
  v->LoadFromString(ThreePages);
  std::vector<bool> states;
  v->OnProcessing = [&](TObject*, bool on) { states.push_back(on); };
  bool busy = false;
  log.onPage = [&] {
    busy = v->Processing();
    v->LoadFromFile(other);  // a load meanwhile is refused
    v->Print(1, 1);          // and so is a second job
  };
  v->Print(1, 9999);
  EXPECT_TRUE(busy);
  EXPECT_EQ(Count("StartDoc"), 1);
  EXPECT_EQ(v->GetFileName(), "");
  EXPECT_EQ(states, (std::vector<bool>{true, false}));
  DeleteFileA(other.c_str());

  // The frame viewer prints its current viewer; with none it prints nothing.
  auto* fv = new TFrameViewer(form);
  fv->SetParent(form);
  fv->SetBounds(0, 0, 300, 200);
  log = TJobLog();
  fv->Print(1, 9999);
  EXPECT_TRUE(log.calls.empty());
}

// Run where no print server answers (CUPS_SERVER points nowhere).
TEST(NoPrinter, IsReportedWithThePrintersMessage) {
  EXPECT_EQ(Printer()->Printers()->Count(), 0);
  TForm* form = CreateForm<TForm>(Application);
  auto* v = new THTMLViewer(form);
  v->SetParent(form);
  form->Show();
  v->LoadFromString("<P>Nothing to paper");
  try {
    v->Print(1, 9999);
    FAIL() << "printed without a printer";
  } catch (const EPrinter& e) {
    EXPECT_EQ(std::string(e.Message()), "Printer selected is not valid");
  }
  EXPECT_FALSE(v->Processing());
  TvwPrinter p;
  EXPECT_THROW(p.PageWidth(), EPrinter);
  form->Free();
}
