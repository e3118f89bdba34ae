// The platform side of the spell checker's core (see SpellPlatform.h).
#include "spell/SpellPlatform.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "spell/CodePage437.h"
#endif

namespace vx {

namespace {

TSpellMessageHook& Hook() {
  static TSpellMessageHook hook;
  return hook;
}

// Both code pages have one byte per character, so the conversion is taken once for all
// 256 bytes (the platform's own on Windows): the sound code converts every prefix of a
// suggestion walk.
struct TCodePageTables {
  char toOem[256], toAnsi[256];
  TCodePageTables();
};

const TCodePageTables& Tables() {
  static const TCodePageTables tables;
  return tables;
}

// A file read through a read-only mapping of it; where there is none (an empty file, a
// mapping refused) through plain reads at an offset.
class TMappedFile : public TReadOnlyFile {
 public:
  int64_t Size() const override { return size_; }
  int ReadAt(int64_t offset, void* buffer, int count) override {
    if (offset < 0 || count <= 0 || offset >= size_) return 0;
    int n = static_cast<int>(std::min<int64_t>(count, size_ - offset));
    if (!view_) return ReadDirect(offset, buffer, n);
    std::memcpy(buffer, view_ + offset, static_cast<size_t>(n));
    return n;
  }

 protected:
  virtual int ReadDirect(int64_t offset, void* buffer, int count) = 0;
  const char* view_ = nullptr;
  int64_t size_ = 0;
};

}  // namespace

void SetSpellMessageHook(TSpellMessageHook hook) { Hook() = std::move(hook); }

int SpellMessage(const AnsiString& text, TSpellMsgKind kind) {
  if (Hook()) return Hook()(text, kind);
  // Nobody to ask (a program without the window side): never wait, never add.
  std::fprintf(stderr, "%s\n", text.c_str());
  return kind == smConfirmation ? kSpellNo : kSpellOk;
}

void AnsiToOemText(char* text, size_t length) {
  const char* t = Tables().toOem;
  for (size_t i = 0; i < length; ++i) text[i] = t[static_cast<unsigned char>(text[i])];
}

void OemToAnsiText(char* text, size_t length) {
  const char* t = Tables().toAnsi;
  for (size_t i = 0; i < length; ++i) text[i] = t[static_cast<unsigned char>(text[i])];
}

AnsiString OemToAnsiWord(const AnsiString& word) {
  AnsiString s = word;
  OemToAnsiText(s.data(), s.size());
  return s;
}

bool OemHoldsWord(const AnsiString& ansiWord) {
  const TCodePageTables& t = Tables();
  for (char c : ansiWord) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) continue;
    auto oem = static_cast<unsigned char>(t.toOem[b]);
    // A look-alike that is no letter (a curly apostrophe written ') changes no letter.
    bool letter = (oem >= 'a' && oem <= 'z') || (oem >= 'A' && oem <= 'Z') || (oem >= '0' && oem <= '9');
    if (letter || (oem >= 0x80 && static_cast<unsigned char>(t.toAnsi[oem]) != b)) return false;
  }
  return true;
}

AnsiString AnsiToOemWord(const AnsiString& word) {
  AnsiString s = word;
  AnsiToOemText(s.data(), s.size());
  return s;
}

#ifdef _WIN32

TCodePageTables::TCodePageTables() {
  for (int i = 0; i < 256; ++i) toOem[i] = toAnsi[i] = static_cast<char>(i);
  CharToOemBuffA(toOem + 1, toOem + 1, 255);
  OemToCharBuffA(toAnsi + 1, toAnsi + 1, 255);
}

AnsiString WindowsFolder() {
  char dir[256] = {};
  UINT n = GetWindowsDirectoryA(dir, sizeof dir);
  if (n == 0 || n >= sizeof dir) return "";
  AnsiString s(dir, n);
  if (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

int64_t FileSizeOf(const AnsiString& name) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return -1;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  return (int64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

namespace {
class TWinFile : public TMappedFile {
 public:
  TWinFile(HANDLE file, int64_t size) : file_(file) {
    size_ = size;
    if (size_ > 0 && size_ < (int64_t{1} << 31)) {
      mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
      if (mapping_) view_ = static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    }
  }
  ~TWinFile() override {
    if (view_) UnmapViewOfFile(view_);
    if (mapping_) CloseHandle(mapping_);
    CloseHandle(file_);
  }

 protected:
  int ReadDirect(int64_t offset, void* buffer, int count) override {
    LARGE_INTEGER at;
    at.QuadPart = offset;
    DWORD got = 0;
    if (!SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) ||
        !ReadFile(file_, buffer, static_cast<DWORD>(count), &got, nullptr))
      return 0;
    return static_cast<int>(got);
  }

 private:
  HANDLE file_;
  HANDLE mapping_ = nullptr;
};
}  // namespace

std::unique_ptr<TReadOnlyFile> OpenReadOnlyFile(const AnsiString& name) {
  HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(h, &size)) {
    CloseHandle(h);
    return nullptr;
  }
  return std::make_unique<TWinFile>(h, size.QuadPart);
}

#else  // native stand-ins

namespace {
// The upper half of code page 1252 as code points (0 where the code page has no character).
constexpr uint16_t kCodePage1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

uint32_t AnsiToCodePoint(unsigned char c) {
  if (c < 0x80 || c >= 0xA0) return c;
  // The five unassigned bytes stand for the C1 controls of the same number.
  return kCodePage1252High[c - 0x80] ? kCodePage1252High[c - 0x80] : c;
}

int CodePointToAnsi(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; cp && i < 32; ++i)
    if (kCodePage1252High[i] == cp) return 0x80 + i;
  return -1;
}

// Windows maps what the target code page lacks to a look-alike; these are the ones text
// meets in practice (quotes and dashes).
int BestFit(uint32_t cp) {
  switch (cp) {
    case 0x2018:
    case 0x2019:
    case 0x201A: return '\'';
    case 0x201C:
    case 0x201D:
    case 0x201E: return '"';
    case 0x2013:
    case 0x2014: return '-';
    case 0x0152: return 'O';
    case 0x0153: return 'o';
    case 0x0160: return 'S';
    case 0x0161: return 's';
    case 0x017D: return 'Z';
    case 0x017E: return 'z';
    case 0x0178: return 'Y';
    default: break;
  }
  // An accented letter goes to its plain letter (o for ø), as Windows writes it.
  constexpr char kPlain[] = "AAAAAAACEEEEIIIIDNOOOOO?OUUUUY?saaaaaaaceeeeiiiidnooooo?ouuuuy?y";
  if (cp >= 0xC0 && cp <= 0xFF && kPlain[cp - 0xC0] != '?') return kPlain[cp - 0xC0];
  return '?';
}

AnsiString& HostWindowsFolder() {
  static AnsiString folder = "/tmp";
  return folder;
}

class TPosixFile : public TMappedFile {
 public:
  TPosixFile(int fd, int64_t size) : fd_(fd) {
    size_ = size;
    if (size_ > 0) {
      void* p = mmap(nullptr, static_cast<size_t>(size_), PROT_READ, MAP_PRIVATE, fd_, 0);
      if (p != MAP_FAILED) view_ = static_cast<const char*>(p);
    }
  }
  ~TPosixFile() override {
    if (view_) munmap(const_cast<char*>(view_), static_cast<size_t>(size_));
    close(fd_);
  }

 protected:
  int ReadDirect(int64_t offset, void* buffer, int count) override {
    ssize_t got = pread(fd_, buffer, static_cast<size_t>(count), offset);
    return got < 0 ? 0 : static_cast<int>(got);
  }

 private:
  int fd_;
};
}  // namespace

TCodePageTables::TCodePageTables() {
  for (int i = 0; i < 256; ++i) {
    uint32_t cp = AnsiToCodePoint(static_cast<unsigned char>(i));
    int b = CodePage437Byte(cp);
    toOem[i] = static_cast<char>(b >= 0 ? b : BestFit(cp));
    cp = i < 0x80 ? static_cast<uint32_t>(i) : kCodePage437High[i - 0x80];
    b = CodePointToAnsi(cp);
    toAnsi[i] = static_cast<char>(b >= 0 ? b : BestFit(cp));
  }
}

AnsiString WindowsFolder() { return HostWindowsFolder(); }
void SetWindowsFolder(const AnsiString& folder) { HostWindowsFolder() = folder; }

int64_t FileSizeOf(const AnsiString& name) {
  struct stat st;
  if (stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return st.st_size;
}

std::unique_ptr<TReadOnlyFile> OpenReadOnlyFile(const AnsiString& name) {
  int fd = open(name.c_str(), O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return nullptr;
  }
  return std::make_unique<TPosixFile>(fd, st.st_size);
}

#endif

}  // namespace vx
