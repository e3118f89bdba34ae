// Character reading of the HTML scanner: line ends, blanks, comments and the three sources.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "framework/core/Classes.h"
#include "viewer/tests/scanner_helpers.h"

namespace vx {
namespace {

using test::DumpHtml;
using test::ScanAll;

// Every character the reader delivers up to the end mark.
std::string ReadAllChars(THtmlScanner& s) {
  std::string r;
  s.Start();
  while (s.Ch != EofChar && r.size() < 100000) {
    r += s.Ch;
    s.ReadCharSkipComments();
  }
  return r;
}

std::string CharsOf(const std::string& text) {
  THtmlScanner s;
  s.OpenMemory(text.data(), text.size());
  return ReadAllChars(s);
}

TEST(ScannerChars, LineEndsFoldToOneCarriageReturn) {
  EXPECT_EQ(CharsOf("a\r\nb\n\rc\rd\ne"), "a\rb\rc\rd\re");
  EXPECT_EQ(CharsOf("a\r\rb"), "a\r\rb");
  EXPECT_EQ(CharsOf("a\n\nb"), "a\r\rb");
  EXPECT_EQ(CharsOf("a\r\n\r\nb"), "a\r\rb");
  EXPECT_EQ(CharsOf("x\r"), "x\r");
  EXPECT_EQ(CharsOf("a\tb"), "a b");
}

TEST(ScannerChars, UpperCaseCopy) {
  std::string text = "aZ\xE9";
  THtmlScanner s;
  s.OpenMemory(text.data(), text.size());
  s.Start();
  EXPECT_EQ(s.Ch, 'a');
  EXPECT_EQ(s.UCh, 'A');
  s.ReadChar();
  EXPECT_EQ(s.UCh, 'Z');
  s.ReadChar();
  EXPECT_EQ(s.Ch, '\xE9');  // only A to Z take part in letter tests
}

TEST(ScannerChars, MarkerBytesBecomeBlanks) {
  // Bytes 0, 2 and 4 are reserved for the model's markers: none come from a document.
  std::string text("a\0b\2c\4d\1e", 9);
  EXPECT_EQ(CharsOf(text), std::string("a b c d\1e"));
  auto v = ScanAll(text, true);
  EXPECT_EQ(test::Dump(v), "'a b c d' c'\1' 'e' eof");
  v = ScanAll(std::string("<IMG SRC=\"a\0\2\4b\">", 18));
  EXPECT_EQ(v[0].attrs.Find(SrcAttr)->Name, "a   b");
}

TEST(ScannerChars, CommentsAndDeclarationsVanish) {
  EXPECT_EQ(CharsOf("a<!-- x -->b"), "ab");
  EXPECT_EQ(CharsOf("a<!-- a -- >b"), "ab");  // ends at "--", blanks, ">"
  EXPECT_EQ(CharsOf("a<!-- a -- \r\n >b"), "ab");
  EXPECT_EQ(CharsOf("a<!-- x > y -->b"), "ab");   // ">" alone does not end a comment
  EXPECT_EQ(CharsOf("a<!-- - -- x -->b"), "ab");  // "-- x" goes on searching
  EXPECT_EQ(CharsOf("a<!---- ---->b"), "ab");
  EXPECT_EQ(CharsOf("<!DOCTYPE html>b"), "b");
  EXPECT_EQ(CharsOf("a<!>b"), "ab");
  EXPECT_EQ(CharsOf("a<!-x>b"), "ab");
  EXPECT_EQ(CharsOf("a<!--x--><!--y-->b"), "ab");
  EXPECT_EQ(CharsOf("a<b"), "a<b");
  EXPECT_EQ(CharsOf("a<\r\nb"), "a<\rb");  // the peeked character keeps its folding
  EXPECT_EQ(DumpHtml("<!DOCTYPE html><B>x"), "<B> 'x' eof");
}

TEST(ScannerChars, OpenCommentAtEndRaises) {
  for (std::string text : {"a<!-- b", "a<!DOCTYPE", "a<!", "a<!-- b --", "<!-"}) {
    THtmlScanner s;
    s.OpenMemory(text.data(), text.size());
    try {
      s.Start();
      for (int i = 0; i < 10; ++i) s.ScanSymbol();
      ADD_FAILURE() << "no error for " << text;
    } catch (const EParseError& e) {
      EXPECT_EQ(e.Message(), "Open Comment at End of HTML File");
    }
  }
}

TEST(ScannerText, WhiteSpaceFoldsOutsidePre) {
  EXPECT_EQ(DumpHtml("a  \r\n  b"), "'a b' eof");
  EXPECT_EQ(DumpHtml("a <!-- c --> b"), "'a b' eof");
  EXPECT_EQ(DumpHtml("a  \r\n  b", true), "'a  \r  b' eof");
  EXPECT_EQ(DumpHtml("\r\n x"), "' x' eof");
}

TEST(ScannerText, RunsAreCutAtOneHundred) {
  auto v = ScanAll(std::string(250, 'w'));
  ASSERT_EQ(v.size(), 4u);
  EXPECT_EQ(v[0].token.size(), 100u);
  EXPECT_EQ(v[1].token.size(), 100u);
  EXPECT_EQ(v[2].token.size(), 50u);
  EXPECT_EQ(v[3].sy, EofSym);
}

TEST(ScannerText, ControlCharactersComeSingly) { EXPECT_EQ(DumpHtml("a\x01\x1F b"), "'a' c'\x01' c'\x1F' ' b' eof"); }

TEST(ScannerText, EndSymbolRepeats) {
  THtmlScanner s;
  s.OpenMemory("x", 1);
  s.Start();
  s.ScanSymbol();
  for (int i = 0; i < 3; ++i) {
    s.ScanSymbol();
    EXPECT_EQ(s.Sy, EofSym);
  }
}

TEST(ScannerSources, StringListLinesEndWithCarriageReturns) {
  std::vector<std::string> lines = {"<B>one", "two</B>", "", "three"};
  THtmlScanner s;
  s.OpenStrings(lines);
  EXPECT_EQ(ReadAllChars(s), "<B>one\rtwo</B>\r\rthree\r");
  s.OpenStrings(lines);
  s.Start();
  std::string dump;
  do {
    s.ScanSymbol();
    dump += SymbolDisplayName(s.Sy) + "|" + s.Token + ";";
  } while (s.Sy != EofSym);
  EXPECT_EQ(dump, "<B>|;text|one two;</B>|;text| three ;eof|;");

  std::vector<std::string> none;
  s.OpenStrings(none);
  s.Start();
  EXPECT_EQ(s.Ch, EofChar);
}

TEST(ScannerSources, StringList) {
  TStringList list;
  list.Add("a&amp;");
  list.Add("b");
  THtmlScanner s;
  s.OpenStrings(list);
  EXPECT_EQ(ReadAllChars(s), "a&amp;\rb\r");
}

TEST(ScannerSources, TextFileAcrossBufferBoundaries) {
  std::string path = ::testing::TempDir() + "scanner_file_test.htm";
  std::string body;
  for (int i = 0; i < 700; ++i) body += "<P>line " + std::to_string(i) + "\r\n";
  {
    std::ofstream f(path, std::ios::binary);
    f << body;
  }
  THtmlScanner s;
  s.OpenFile(path);
  s.Start();
  int paragraphs = 0;
  std::string text;
  do {
    s.ScanSymbol();
    if (s.Sy == PTag) ++paragraphs;
    if (s.Sy == TextSym) text += s.Token;
  } while (s.Sy != EofSym);
  EXPECT_EQ(paragraphs, 700);
  EXPECT_NE(text.find("line 333 "), std::string::npos);
  EXPECT_NE(text.find("line 699 "), std::string::npos);
  s.Close();
  std::remove(path.c_str());

  EXPECT_THROW(s.OpenFile(path), EFOpenError);
}

TEST(ScannerSources, EmptyMemoryBuffer) {
  THtmlScanner s;
  s.OpenMemory(nullptr, 10);
  s.Start();
  s.ScanSymbol();
  EXPECT_EQ(s.Sy, EofSym);
}

}  // namespace
}  // namespace vx
