#include "framework/win/Clipbrd.h"

#include <cstring>

#include "framework/core/Exceptions.h"

namespace vx {

TClipboard* Clipboard() {
  static TClipboard c;
  return &c;
}

namespace {
// Opens the clipboard for one operation; another program may hold it a moment.
struct Opened {
  bool ok = false;
  Opened() {
    for (int i = 0; i < 20 && !ok; ++i) {
      ok = OpenClipboard(nullptr) != FALSE;
      if (!ok) Sleep(10);
    }
    if (!ok) throw Exception("Cannot open clipboard");
  }
  ~Opened() {
    if (ok) CloseClipboard();
  }
};
}  // namespace

AnsiString TClipboard::AsText() {
  Opened o;
  HANDLE h = GetClipboardData(CF_TEXT);
  if (!h) return {};
  const char* p = static_cast<const char*>(GlobalLock(h));
  AnsiString s = p ? p : "";
  GlobalUnlock(h);
  return s;
}

void TClipboard::SetAsText(const AnsiString& text) {
  Opened o;
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (!g) throw Exception("Out of memory");
  std::memcpy(GlobalLock(g), text.c_str(), text.size() + 1);
  GlobalUnlock(g);
  if (!SetClipboardData(CF_TEXT, g)) GlobalFree(g);
}

bool TClipboard::HasFormat(UINT format) { return IsClipboardFormatAvailable(format) != FALSE; }

void TClipboard::Clear() {
  Opened o;
  EmptyClipboard();
}

}  // namespace vx
