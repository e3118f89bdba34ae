// The HTML scanner on hostile input: every scan ends, no buffer outgrows its limit.
#include <gtest/gtest.h>

#include <random>

#include "viewer/tests/scanner_helpers.h"

namespace vx {
namespace {

// Scans to the end in one mode; true when it ended, false when it raised the parse error.
// Fails when the scan takes more symbols than there are characters, or a buffer is too long.
bool ScanBounded(const std::string& text, bool textArea, bool pre) {
  THtmlScanner s;
  s.Preformatted = pre;
  s.OpenMemory(text.data(), text.size());
  try {
    s.Start();
    size_t n = 0;
    do {
      if (textArea)
        s.ScanTextAreaSymbol();
      else
        s.ScanSymbol();
      EXPECT_LE(int(s.Token.size()), THtmlScanner::MaxTokenLength);
      if (s.Sy == TextSym && !textArea) {
        EXPECT_GE(s.Token.size(), 1u);
      }
      if (++n > text.size() + 2) {
        ADD_FAILURE() << "scan does not advance";
        return true;
      }
    } while (s.Sy != EofSym);
  } catch (const EParseError&) {
    return false;
  }
  return true;
}

TEST(ScannerHostile, RandomBytesAlwaysEnd) {
  std::mt19937 rng(20261209);
  const std::string alphabet = "<>&#;!-/=\"' \r\n\tabcdefHhTDtd0123456789%+\x1A\x02\x04";
  for (int round = 0; round < 400; ++round) {
    std::string text;
    int len = int(rng() % 300);
    for (int i = 0; i < len; ++i) {
      if (rng() % 4 == 0)
        text += char(rng() % 256);
      else
        text += alphabet[rng() % alphabet.size()];
    }
    ScanBounded(text, false, false);
    ScanBounded(text, false, true);
    ScanBounded(text, true, false);
  }
}

TEST(ScannerHostile, LongNamesAndValues) {
  std::string longName(100000, 'A');
  auto v = test::ScanAll("<" + longName + " HREF=x>y");
  EXPECT_EQ(v[0].sy, UnknownTagSym);
  EXPECT_EQ(v[1].token, "y");
  v = test::ScanAll("<TD " + longName + "=1 WIDTH=5>");
  ASSERT_EQ(v[0].attrs.Count(), 2);
  EXPECT_EQ(v[0].attrs[0].Which, UnknownAttr);
  EXPECT_EQ(v[0].attrs[1].Value, 5);
  // Numbers too large for 32 bits give 0, not an overflow.
  v = test::ScanAll("<TD COLSPAN=99999999999999999999 ROWSPAN=\"-2147483648\" WIDTH=2147483648%>");
  EXPECT_EQ(v[0].attrs[0].Value, 0);
  EXPECT_EQ(v[0].attrs[1].Value, -2147483647 - 1);
  EXPECT_EQ(v[0].attrs[2].Value, 0);
  EXPECT_EQ(v[0].attrs[2].Name, "2147483648%");
}

TEST(ScannerHostile, ManyTagsAndEntities) {
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "<UL><LI>&amp;&#";
  auto v = test::ScanAll(text);
  EXPECT_EQ(v.back().sy, EofSym);
  EXPECT_EQ(v.size(), 20000u * 4 + 1);
}

TEST(ScannerHostile, UnterminatedConstructsEnd) {
  for (std::string text : {"<", "</", "<A HREF=\"", "<A HREF='abc", "<A HREF=", "&", "&#", "&#12", "&ama", "<H", "<H1",
                           "<TD WIDTH=+", "x\x1Ay<B>"}) {
    EXPECT_TRUE(ScanBounded(text, false, false)) << text;
    EXPECT_TRUE(ScanBounded(text, true, false)) << text;
  }
}

TEST(ScannerHostile, EndMarkInsideTheBufferStopsTheScan) {
  auto v = test::ScanAll(std::string("ab\x1A<B>cd"));
  EXPECT_EQ(test::Dump(v), "'ab' eof");
}

}  // namespace
}  // namespace vx
