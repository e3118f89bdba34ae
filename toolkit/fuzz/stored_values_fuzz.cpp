// Reads arbitrary bytes back as every kind of stored value (placement, speed bar layout,
// recent files, settings) and checks that each gives a value the program can use: inside
// its range, or the default it was given. A fault or a sanitizer report is a failure.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/StoredValues.h"

using namespace vx;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool Coordinate(int v) { return v >= -kMaxStoredExtent - 1 && v <= kMaxStoredExtent; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const AnsiString text(reinterpret_cast<const char*>(data), size);
  const AnsiString text2 = size > 1 ? text.substr(1) : AnsiString();

  AnsiString t = StoredText(text, "Courier New");
  Check(t == text || t == "Courier New");
  Check(t.size() <= static_cast<size_t>(kMaxStoredText) || t == "Courier New");
  StoredInt(text, 10);
  int n = StoredIntIn(text, 10, 4, 72);
  Check(n >= 4 && n <= 72);
  StoredBool(text, true);
  int c = StoredColor(text, 0x8000);
  unsigned u = static_cast<unsigned>(c);
  Check(c == 0x8000 || (u & 0xFC000000u) == 0 || (u & 0xFFFFFF00u) == 0x80000000u);

  int place[4] = {10, 20, 300, 400};
  StoredPlacementWords(text, place);
  for (int v : place) Check(Coordinate(v));
  int flags = StoredPlacementFlags(text, 0);
  Check(flags >= 0 && flags <= 7);

  int align = StoredBarAlign(text);
  Check(align >= 0 && align <= 5);
  int width = StoredBarWidth(text, 29);
  Check(width >= 1 && width <= kMaxStoredExtent);
  int count = StoredCount(text, 1024);
  Check(count >= 0 && count <= 1024);
  AnsiString name = StoredButtonName(text2);
  Check(name.size() <= text2.size());
  int left = 3, top = 2;
  StoredButtonPlace(text2, left, top);
  Check(Coordinate(left) && Coordinate(top));

  AnsiString recent = StoredRecentName(text);
  Check(recent.empty() || recent == text);
  for (char ch : recent) Check(static_cast<unsigned char>(ch) >= ' ');
  return 0;
}
