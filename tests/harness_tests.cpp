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
  HWND w = CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
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

// Each test program runs in a Wine session of its own: the two halves below are run one
// after the other by tests/isolation.sh, and the second must see nothing the first left.
const char kMarkKey[] = "Software\\Marrowby\\VornixHarnessMark";

std::string ProgramFolderFile(const char* name) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of('\\') + 1) + name;
}

TEST(HarnessIsolation, LeaveMarks) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kMarkKey, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  HANDLE f =
      CreateFileA(ProgramFolderFile("harness_mark.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  CloseHandle(f);
  EXPECT_TRUE(WritePrivateProfileStringA("Mark", "Left", "1", "harness_mark.ini"));
}

TEST(HarnessIsolation, SeeNoMarks) {
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyA(HKEY_CURRENT_USER, kMarkKey, &key), ERROR_SUCCESS);
  EXPECT_EQ(GetFileAttributesA(ProgramFolderFile("harness_mark.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  char value[8] = {};
  GetPrivateProfileStringA("Mark", "Left", "", value, sizeof value, "harness_mark.ini");
  EXPECT_STREQ(value, "");
}

TEST(Harness, DesktopOfItsOwn) {
  // A Wine desktop window: activation and maximising work without a window manager.
  RECT r{};
  GetWindowRect(GetDesktopWindow(), &r);
  EXPECT_EQ(r.right - r.left, 1280);
  EXPECT_EQ(r.bottom - r.top, 1024);
  char cls[64] = {};
  GetClassNameA(GetDesktopWindow(), cls, sizeof cls);
  EXPECT_STREQ(cls, "#32769");
}

}  // namespace
