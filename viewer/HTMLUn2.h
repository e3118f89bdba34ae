// Shared utilities of the HTML viewer's document model: owning lists, parsed attributes,
// link targets, the clip buffer, integer helpers and the source-name path functions.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

namespace vx {

// A colour as documents and the viewer store it: 0x00BBGGRR, 0x80000000|index for a
// system colour, 0x02000000 added for a palette-relative colour.
using THtColor = std::int32_t;

namespace htc {
constexpr THtColor Black = 0x000000;
constexpr THtColor Maroon = 0x000080;
constexpr THtColor Navy = 0x800000;
constexpr THtColor Red = 0x0000FF;
constexpr THtColor Silver = 0xC0C0C0;
constexpr THtColor White = 0xFFFFFF;
constexpr THtColor Blue = 0xFF0000;
constexpr THtColor PaletteRelative = 0x02000000;
constexpr THtColor BtnFace = static_cast<THtColor>(0x8000000Fu);
constexpr THtColor BtnShadow = static_cast<THtColor>(0x80000010u);
constexpr THtColor BtnText = static_cast<THtColor>(0x80000012u);
constexpr THtColor BtnHighlight = static_cast<THtColor>(0x80000014u);
constexpr THtColor None = -1;
inline bool IsSystem(THtColor c) { return c < 0 && c != None; }
}  // namespace htc

// A section that cannot be laid out; the cell laying it out drops it and reports the message.
VX_EXCEPTION(EProcessError, Exception);

// A pointer list that owns its items.
template <class T>
using TFreeList = std::vector<std::unique_ptr<T>>;

// TAttribute and TAttributeList are the scanner's (viewer/HtmlSymbols.h).

// A link: URL and TARGET.
class TUrlTarget {
 public:
  std::string Url, Target;
  bool HasUrl = false, HasTarget = false;
  // Takes each part only where the source has it.
  void Assign(const TUrlTarget& src) {
    if (src.HasUrl) {
      Url = src.Url;
      HasUrl = true;
    }
    if (src.HasTarget) {
      Target = src.Target;
      HasTarget = true;
    }
  }
  void Set(const std::string& url, const std::string& target) {
    Url = url;
    HasUrl = true;
    Target = target;
    HasTarget = true;
  }
  void Clear() {
    Url.clear();
    Target.clear();
    HasUrl = HasTarget = false;
  }
};

// Text gathered by a copy of the selection. It grows as needed: a copy is never cut short.
class TClipBuffer {
 public:
  void AddText(const char* s, int n);  // marker characters 2 and 4 are left out
  void AddNewLine() { text_ += "\r\n"; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

inline int SmallerOf(int a, int b) { return a < b ? a : b; }
inline int LargerOf(int a, int b) { return a > b ? a : b; }

// The platform's MulDiv: a*b/c in 64 bits rounded half away from zero; -1 for c = 0 or
// a result outside 32 bits.
int MulDiv(int a, int b, int c);
// MulDiv whose zero divisor gives the stated fallback instead of -1.
inline int MulDivOr(int a, int b, int c, int fallback) { return c == 0 ? fallback : MulDiv(a, b, c); }

std::string ReplaceChar(const std::string& s, char from, char to);
// Characters with codes up to 32 removed from both ends.
std::string TrimControlChars(const std::string& s);
// A URL turned into a DOS path; text without "/" is returned unchanged.
std::string UrlToDosPath(const std::string& s);

// A-Z upper-casing plus the code page 1252 letters, as the cache keys and map names need.
std::string HtUpperCase(const std::string& s);
std::string HtLowerCase(const std::string& s);

// The source-name rule of the viewers and the frame sets, in two steps. The name as a
// path: control characters trimmed at both ends, a URL converted; true when it still
// wants a folder before it (it has no drive, is not rooted, and the base is not "DosPath").
bool SourcePath(const std::string& name, const std::string& base, std::string& path);
// The folder a relative source name belongs to: the base converted as a path, else the
// folder of the document's file; ended by a separator ("" when neither gives one).
std::string SourceFolder(const std::string& base, const std::string& file);
// Both steps: the name, with its folder before it when it wants one.
std::string ExpandSourceAgainst(const std::string& name, const std::string& base, const std::string& file);

}  // namespace vx
