// The Wine session the Windows tests run in: a display, windows, and the font faces the
// programs name mapped to metric-compatible fonts.
#include <windows.h>
#include <gtest/gtest.h>
#include <string>

namespace {

TEXTMETRICA MetricsOf(const char* face, std::string* actual) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT f = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
  HGDIOBJ old = SelectObject(dc, f);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof name, name);
  *actual = name;
  SelectObject(dc, old);
  DeleteObject(f);
  DeleteDC(dc);
  return tm;
}

TEST(Harness, WindowOnDisplay) {
  HWND w = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(w, nullptr);
  ShowWindow(w, SW_SHOW);
  RECT r{};
  GetClientRect(w, &r);
  EXPECT_GT(r.right, 0);
  DestroyWindow(w);
  EXPECT_GE(GetSystemMetrics(SM_CXSCREEN), 800);
}

TEST(Harness, NamedFacesAreMapped) {
  std::string actual;
  TEXTMETRICA mono = MetricsOf("Courier New", &actual);
  // TMPF_FIXED_PITCH set means variable pitch: the mono face must have it clear.
  EXPECT_EQ(mono.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << actual;
  EXPECT_EQ(mono.tmAveCharWidth, mono.tmMaxCharWidth) << actual;
  TEXTMETRICA serif = MetricsOf("Times New Roman", &actual);
  EXPECT_NE(serif.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << actual;
  TEXTMETRICA sans = MetricsOf("Arial", &actual);
  EXPECT_NE(sans.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << actual;
}

}  // namespace
