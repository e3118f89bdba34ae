// Any bytes as a "custom.clr" file: every colour read is a real colour or none, and the
// colours written back read the same.
#include <cstdint>
#include <cstdlib>

#include "tagdefs/CustomClr.h"

using namespace vx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const TCustomColors colors = ReadCustomColors(AnsiString(reinterpret_cast<const char*>(data), size));
  for (int32_t c : colors)
    if (c != kNoCustomColor && (c < 0 || c > 0xFFFFFF)) std::abort();
  if (ReadCustomColors(CustomColorsText(colors)) != colors) std::abort();
  return 0;
}
