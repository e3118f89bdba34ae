// Any bytes as an HTML document: the parse ends (or raises its parse error) and the result
// lays out, paints, copies and searches.
#include <cstddef>
#include <cstdint>

#include "viewer/tests/builder_dump.h"

using namespace vxt;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Built b;
  try {
    ParseHtmlMemory(b.list, &b.anchors, reinterpret_cast<const char*>(data), size, &b.info);
  } catch (const EParseError&) {}
  FakeCanvas c;
  for (int w : {1, 300}) {
    int widest = 0;
    int h = b.list.DoLayout(c, w, widest);
    b.list.Paint(c, {0, 0, w, 600}, 0, 10);
    (void)h;
  }
  b.list.SelB = 0;
  b.list.SelE = 1 << 20;
  (void)b.list.SelectionText();
  (void)b.list.FindTextFrom(0, "a", false);
  return 0;
}
