#include "framework/core/SysUtils.h"

#include <gtest/gtest.h>

#include <random>

#include "framework/core/Exceptions.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace vx;

#ifdef _WIN32
namespace {
int Sgn(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }
}  // namespace
#endif

TEST(SysUtilsCase, AnsiCaseCoversCodePage1252Letters) {
  EXPECT_EQ(AnsiUpperCase("abc\xe9\xe0\xfe\x9a\x9c\x9e\xff"), "ABC\xc9\xc0\xde\x8a\x8c\x8e\x9f");
  EXPECT_EQ(AnsiLowerCase("ABC\xc9\xc0\xde\x8a\x8c\x8e\x9f"), "abc\xe9\xe0\xfe\x9a\x9c\x9e\xff");
  // Division and multiplication signs, sharp s and micro sign have no partner.
  EXPECT_EQ(AnsiUpperCase("\xf7\xdf\xb5"), "\xf7\xdf\xb5");
  EXPECT_EQ(AnsiLowerCase("\xd7"), "\xd7");
  // The plain forms touch A-Z only.
  EXPECT_EQ(UpperCase("abc\xe9"), "ABC\xe9");
  EXPECT_EQ(LowerCase("ABC\xc9"), "abc\xc9");
}

TEST(SysUtilsCompare, WordSortOrder) {
  EXPECT_EQ(AnsiCompareText("img", "IMG"), 0);
  EXPECT_TRUE(AnsiSameText("\xc9t\xc9", "\xe9t\xe9"));
  EXPECT_LT(AnsiCompareText("a", "b"), 0);
  EXPECT_LT(AnsiCompareText("B", "br"), 0);
  // Not byte order: "_" (0x5F) sorts before letters and digits, digits before letters.
  EXPECT_LT(AnsiCompareText("_", "a"), 0);
  EXPECT_LT(AnsiCompareText("9", "a"), 0);
  EXPECT_GT(AnsiCompareText("Z", "\xe9"), 0);  // the accented e sorts with e
  EXPECT_LT(AnsiCompareText("~", "a"), 0);
  EXPECT_LT(AnsiCompareText("e", "\xe9"), 0);
  EXPECT_LT(AnsiCompareText("\xe9", "f"), 0);
  // Hyphens and apostrophes weigh only when everything else is equal.
  EXPECT_LT(AnsiCompareText("coop", "co-op"), 0);
  EXPECT_LT(AnsiCompareText("co-op", "coops"), 0);
  EXPECT_GT(AnsiCompareText("cant", "can't") * -1, 0);
  // Ligatures expand.
  EXPECT_EQ(AnsiCompareText("\xe6", "ae"), 0);
  EXPECT_EQ(AnsiCompareText("stra\xdf"
                            "e",
                            "strasse"),
            0);
  // Case counts only where asked for, lower case first.
  EXPECT_LT(AnsiCompareStr("a", "A"), 0);
  EXPECT_LT(AnsiCompareStr("A", "b"), 0);
  EXPECT_EQ(AnsiCompareStr("abc", "abc"), 0);
  EXPECT_LT(AnsiCompareText("", "a"), 0);
  EXPECT_EQ(AnsiCompareText("", ""), 0);
  // Plain comparisons are byte order with A-Z folded.
  EXPECT_GT(CompareText("~", "a"), 0);
  EXPECT_EQ(CompareText("ABC", "abc"), 0);
  EXPECT_NE(CompareText("\xc9", "\xe9"), 0);
  EXPECT_TRUE(SameText("Img", "iMG"));
}

TEST(SysUtilsCompare, UpperAndLowerFormsCollateEqual) {
  for (int c = 1; c < 256; ++c) {
    std::string s(1, static_cast<char>(c));
    EXPECT_EQ(AnsiCompareText(s, AnsiUpperCase(s)), 0) << c;
    std::string a = "x", b = "X";
    a += s;
    a += 'y';
    b += AnsiLowerCase(s);
    b += 'Y';
    EXPECT_EQ(AnsiCompareText(a, b), 0) << c;
  }
}

#ifdef _WIN32
// The portable rules against the platform's own, byte for byte.
TEST(SysUtilsPlatform, CaseAgreesWithCharUpperA) {
  for (int c = 1; c < 256; ++c) {
    char buf[2] = {static_cast<char>(c), 0};
    CharUpperBuffA(buf, 1);
    EXPECT_EQ(static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(c))), static_cast<unsigned char>(buf[0]))
        << "upper " << c;
    buf[0] = static_cast<char>(c);
    CharLowerBuffA(buf, 1);
    EXPECT_EQ(static_cast<unsigned char>(AnsiLowerChar(static_cast<char>(c))), static_cast<unsigned char>(buf[0]))
        << "lower " << c;
  }
}

namespace {
int Platform(const std::string& a, const std::string& b, DWORD flags) {
  int r = CompareStringA(0x0409, flags, a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  return r - CSTR_EQUAL;
}
}  // namespace

TEST(SysUtilsPlatform, CompareAgreesWithCompareStringA) {
  // Every pair of single characters, and of each character between two letters.
  for (int x = 1; x < 256; ++x)
    for (int y = 1; y < 256; ++y) {
      std::string a(1, static_cast<char>(x)), b(1, static_cast<char>(y));
      ASSERT_EQ(Sgn(AnsiCompareText(a, b)), Platform(a, b, NORM_IGNORECASE)) << x << " " << y;
      ASSERT_EQ(Sgn(AnsiCompareStr(a, b)), Platform(a, b, 0)) << x << " " << y;
      std::string a2 = "b" + a + "c", b2 = "b" + b + "c";
      ASSERT_EQ(Sgn(AnsiCompareText(a2, b2)), Platform(a2, b2, NORM_IGNORECASE)) << x << " " << y;
    }
  // Random strings over an alphabet rich in the awkward cases.
  const std::string alphabet =
      "aAbBeE\xe9\xc9\xe8zZ09-'_ .,\x01\x7f\xad\xe6\xc6\xdf\x9c\x8c\xfe\xb2\xaa\x96\x97\x8a\x9a";
  std::mt19937 rng(1252);
  auto make = [&]() {
    std::string s;
    int n = static_cast<int>(rng() % 7);
    for (int i = 0; i < n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int i = 0; i < 40000; ++i) {
    std::string a = make(), b = make();
    ASSERT_EQ(Sgn(AnsiCompareText(a, b)), Platform(a, b, NORM_IGNORECASE))
        << testing::PrintToString(a) << " " << testing::PrintToString(b);
    ASSERT_EQ(Sgn(AnsiCompareStr(a, b)), Platform(a, b, 0))
        << testing::PrintToString(a) << " " << testing::PrintToString(b);
  }
}
#endif

TEST(SysUtilsNumbers, IntegersAndHex) {
  EXPECT_EQ(IntToStr(-42), "-42");
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(0x1234, 2), "1234");
  EXPECT_EQ(StrToInt(" 17 "), 17);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("0x1F"), 31);
  EXPECT_EQ(StrToInt("$ff"), 255);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToIntDef("12a", 7), 7);
  EXPECT_EQ(StrToIntDef("", 7), 7);
  EXPECT_EQ(StrToIntDef("2147483648", 7), 7);
  EXPECT_EQ(StrToIntDef("0x", 7), 7);
  try {
    StrToInt("abc");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(FloatToStr(1.5), "1.5");
  EXPECT_EQ(FloatToStr(1e20), "1E20");
  EXPECT_EQ(FloatToStr(0.1), "0.1");
}

// The stored-value and exact decimal readers differ from StrToInt at their edges.
TEST(SysUtilsNumbers, StoredAndExactDecimalText) {
  EXPECT_EQ(StoredTextToInt(" 0x1f\t", 7), 31);
  EXPECT_EQ(StoredTextToInt("0XFFFFFFFF", 7), -1);
  EXPECT_EQ(StoredTextToInt("0x100000000", 7), 7);
  EXPECT_EQ(StoredTextToInt("0x", 7), 7);
  EXPECT_EQ(StoredTextToInt("$10", 7), 7);
  EXPECT_EQ(StoredTextToInt("-0x10", 7), 7);
  EXPECT_EQ(StoredTextToInt(" -2147483648 ", 7), INT32_MIN);
  EXPECT_EQ(StoredTextToInt("2147483648", 7), 7);
  EXPECT_EQ(StoredTextToInt("", 7), 7);
  int v = 5;
  EXPECT_FALSE(TryDecimalToInt(" 1", v));
  EXPECT_FALSE(TryDecimalToInt("0x1", v));
  EXPECT_FALSE(TryDecimalToInt("-", v));
  EXPECT_TRUE(TryDecimalToInt("+12", v));
  EXPECT_EQ(v, 12);
  EXPECT_TRUE(TryStrToInt("-$10", v));
  EXPECT_EQ(v, -16);
}

TEST(SysUtilsText, TrimFormatReplaceCopy) {
  EXPECT_EQ(Trim("\t a b \r\n"), "a b");
  EXPECT_EQ(TrimLeft("  a "), "a ");
  EXPECT_EQ(TrimRight("  a "), "  a");
  EXPECT_EQ(Format("%s=%d", "x", 5), "x=5");
  EXPECT_EQ(Format("%s", std::string(1000, 'z').c_str()).size(), 1000u);
  EXPECT_EQ(StrPas(nullptr), "");
  EXPECT_EQ(QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll), "aXb-c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfReplaceAll | rfIgnoreCase), "a-b-c");
  EXPECT_EQ(StringReplace("aXbxc", "x", "-", rfIgnoreCase), "a-bxc");
  EXPECT_EQ(StringReplace("aaa", "a", "aa", rfReplaceAll), "aaaaaa");
  EXPECT_EQ(Pos("b", "abcb"), 2);
  EXPECT_EQ(Pos("z", "abc"), 0);
  EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
  EXPECT_EQ(Copy("abc", 3, 10), "c");
  EXPECT_EQ(Copy("abc", 4, 1), "");
  EXPECT_EQ(Copy("abc", 0, 2), "ab");
}

TEST(SysUtilsFiles, NameParts) {
  EXPECT_EQ(ExtractFilePath("C:\\WORK\\A.HTM"), "C:\\WORK\\");
  EXPECT_EQ(ExtractFileDir("C:\\WORK\\A.HTM"), "C:\\WORK");
  EXPECT_EQ(ExtractFileDir("C:\\A.HTM"), "C:\\");
  EXPECT_EQ(ExtractFileName("C:\\WORK\\A.HTM"), "A.HTM");
  EXPECT_EQ(ExtractFileName("C:A.HTM"), "A.HTM");
  EXPECT_EQ(ExtractFileExt("C:\\W.X\\A.HTM"), ".HTM");
  EXPECT_EQ(ExtractFileExt("C:\\W.X\\A"), "");
  EXPECT_EQ(ChangeFileExt("a.b\\c.txt", ".vxt"), "a.b\\c.vxt");
  EXPECT_EQ(ChangeFileExt("a.b\\c", ".vxt"), "a.b\\c.vxt");
  EXPECT_EQ(ExcludeTrailingBackslash("C:\\W\\"), "C:\\W");
  EXPECT_EQ(IncludeTrailingBackslash("C:\\W\\"), "C:\\W\\");
  EXPECT_EQ(IncludeTrailingBackslash("W"), std::string("W") + PathDelim);
}

TEST(SysUtilsFiles, FileSystem) {
  AnsiString base = IncludeTrailingBackslash(GetCurrentDir()) + "sysutils_test_dir";
  AnsiString deep = base + PathDelim + "a" + PathDelim + "b";
  ASSERT_TRUE(ForceDirectories(deep));
  EXPECT_TRUE(DirectoryExists(deep));
  AnsiString f = deep + PathDelim + "x.txt";
  AnsiString g = deep + PathDelim + "y.txt";
  DeleteFile(f);
  DeleteFile(g);
  EXPECT_FALSE(FileExists(f));
  EXPECT_EQ(FileAge(f), -1);
  FILE* fp = std::fopen(f.c_str(), "wb");
  ASSERT_NE(fp, nullptr);
  std::fclose(fp);
  EXPECT_TRUE(FileExists(f));
  EXPECT_FALSE(FileExists(deep));
  EXPECT_GT(FileAge(f), 0);
  EXPECT_TRUE(RenameFile(f, g));
  EXPECT_TRUE(FileExists(g));
  EXPECT_TRUE(DeleteFile(g));
  EXPECT_FALSE(DeleteFile(g));
  AnsiString cwd = GetCurrentDir();
  EXPECT_TRUE(SetCurrentDir(deep));
  EXPECT_EQ(ExpandFileName("z.txt"), IncludeTrailingBackslash(GetCurrentDir()) + "z.txt");
  EXPECT_TRUE(SetCurrentDir(cwd));
  EXPECT_FALSE(SetCurrentDir(deep + PathDelim + "none"));
}
