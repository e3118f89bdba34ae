// Words, command lines, file names and integer helpers.
#include <gtest/gtest.h>

#include "toolkit/FileUtil.h"
#include "toolkit/MaxMin.h"
#include "toolkit/StrUtils.h"
#ifdef _WIN32
#include <windows.h>
#endif
#ifdef _WIN32
#include "toolkit/VCLUtils.h"
#endif

namespace vx {
namespace {

TEST(MaxMin, ValuesAndSwap) {
  EXPECT_EQ(Max(3, -2), 3);
  EXPECT_EQ(Min(3, -2), -2);
  EXPECT_EQ(Max(4, 4), 4);
  EXPECT_EQ(MaxOf({-5, 9, 2}), 9);
  EXPECT_EQ(MaxOf({-7}), -7);
  int a = 1, b = 2;
  SwapValues(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}

TEST(Words, BlankAndCommaDelimiters) {
  TCharSet d = MakeCharSet(" ,");
  EXPECT_EQ(CountWords("10,20, 30", d), 3);
  EXPECT_EQ(NthWord(3, "10,20, 30", d), "30");
  EXPECT_EQ(NthWord(1, "  ,10,20", d), "10");
  EXPECT_EQ(NthWordStart(2, "10,20, 30", d), 4);
  EXPECT_EQ(CountWords(",,,", d), 0);
  EXPECT_EQ(CountWords("", d), 0);
  EXPECT_EQ(NthWord(0, "a b", d), "");
  EXPECT_EQ(NthWordStart(0, "a b", d), 0);
  EXPECT_EQ(NthWord(3, "a b", d), "");
  EXPECT_EQ(NthWordStart(3, "a b", d), 0);
  EXPECT_EQ(NthWord(2, "siOpen, 27 , 2", d), "27");
}

TEST(Words, SetTextDelimiters) {
  TCharSet d = MakeCharSet(" ,[]");
  EXPECT_EQ(CountWords("[fsBold,fsItalic]", d), 2);
  EXPECT_EQ(NthWord(2, "[fsBold, fsItalic]", d), "fsItalic");
  EXPECT_EQ(CountWords("[]", d), 0);
}

TEST(FileNames, ValidAndAnyChar) {
  EXPECT_FALSE(ValidFileName(""));
  EXPECT_FALSE(ValidFileName("a+b.txt"));
  for (const char* bad : {"a;b", "a,b", "a=b", "a<b", "a>b", "a\"b", "a[b", "a]b", "a|b"})
    EXPECT_FALSE(ValidFileName(bad)) << bad;
  EXPECT_TRUE(ValidFileName("C:\\Program Files\\notes.htm"));
  EXPECT_TRUE(HasAnyChar("abc", "xyc"));
  EXPECT_FALSE(HasAnyChar("abc", "xyz"));
  EXPECT_FALSE(HasAnyChar("abc", ""));
}

TEST(FileNames, LegalNamesForTheEditsAndQuoting) {
  EXPECT_TRUE(IsLegalFileName("C++ notes.htm"));
  EXPECT_TRUE(IsLegalFileName("a;b,c=d[1].htm"));
  EXPECT_FALSE(IsLegalFileName(""));
  for (const char* bad : {"a<b", "a>b", "a\"b", "a|b"}) EXPECT_FALSE(IsLegalFileName(bad)) << bad;
  EXPECT_EQ(QuoteFileNameIfBlank("C:\\My Docs\\a.htm"), "\"C:\\My Docs\\a.htm\"");
  EXPECT_EQ(QuoteFileNameIfBlank("\"C:\\My Docs\\a.htm\" -x"), "\"C:\\My Docs\\a.htm\" -x");
  EXPECT_EQ(QuoteFileNameIfBlank("C:\\a.htm"), "C:\\a.htm");
}

TEST(FileNames, DirExists) {
#ifdef _WIN32
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  EXPECT_TRUE(DirExists(dir));
  EXPECT_FALSE(DirExists(std::string(dir) + "\\win.ini"));
  EXPECT_FALSE(DirExists(std::string(dir) + "\\no-such-folder-here"));
#else
  EXPECT_TRUE(DirExists("/"));
  EXPECT_FALSE(DirExists("/no-such-folder-here"));
#endif
  EXPECT_FALSE(DirExists(""));
}

#ifdef _WIN32
TEST(CommandLine, QuotesAndBlanks) {
  EXPECT_EQ(CommandLineParamCount(""), 0);
  EXPECT_EQ(CommandLineParamCount("  \t "), 0);
  EXPECT_EQ(CommandLineParamCount("\"C:\\Program Files\\x.exe\" -a"), 2);
  EXPECT_EQ(CommandLineParam("\"C:\\Program Files\\x.exe\" -a", 0), "C:\\Program Files\\x.exe");
  EXPECT_EQ(CommandLineParam("\"C:\\Program Files\\x.exe\" -a", 1), "-a");
  EXPECT_EQ(CommandLineParam("\"C:\\Program Files\\x.exe\" -a", 2), "");
  // ab"c d"e is one parameter.
  EXPECT_EQ(CommandLineParamCount("ab\"c d\"e"), 1);
  EXPECT_EQ(CommandLineParam("ab\"c d\"e", 0), "abc de");
  // An empty pair of quotes is skipped, an unclosed quote runs to the end.
  EXPECT_EQ(CommandLineParam("\"\" prog", 0), "prog");
  EXPECT_EQ(CommandLineParam("x \"a b", 1), "a b");
}

TEST(CommandLine, Split) {
  AnsiString prog = "old", params = "old";
  SplitCommandLine("", prog, params);
  EXPECT_EQ(prog, "");
  EXPECT_EQ(params, "");
  SplitCommandLine("   ", prog, params);
  EXPECT_EQ(prog, "");
  EXPECT_EQ(params, "");
  SplitCommandLine("notepad.exe \"my file.txt\" /p", prog, params);
  EXPECT_EQ(prog, "notepad.exe");
  EXPECT_EQ(params, "\"my file.txt\" /p");
  SplitCommandLine("\"C:\\A B\\b.exe\"", prog, params);
  EXPECT_EQ(prog, "C:\\A B\\b.exe");
  EXPECT_EQ(params, "");
}

TEST(Rects, WidthHeightAndEdgesIncluded) {
  RECT r{10, 20, 30, 60};
  EXPECT_EQ(RectWidth(r), 20);
  EXPECT_EQ(RectHeight(r), 40);
  EXPECT_TRUE(PointInRect(POINT{30, 60}, r));
  EXPECT_TRUE(PointInRect(POINT{10, 20}, r));
  EXPECT_FALSE(PointInRect(POINT{31, 40}, r));
  EXPECT_FALSE(PointInRect(POINT{20, 19}, r));
}

TEST(Resources, NotFoundMessageAndMissingBitmap) {
  try {
    ResourceNotFound("FEDITBMP");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource FEDITBMP not found");
  }
  try {
    ResourceNotFound(MAKEINTRESOURCEA(123));
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), "Resource 123 not found");
  }
  EXPECT_EQ(LoadResBitmap(GetModuleHandleA(nullptr), "NO_SUCH_BITMAP"), nullptr);
}
#endif

}  // namespace
}  // namespace vx
