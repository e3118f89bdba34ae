// Fuzz target of the HTML scanner: any bytes scan to the end in every mode without fault.
#include <cstddef>
#include <cstdint>

#include "viewer/HTMLScanner.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the mode: normal, preformatted, or alternating with TEXTAREA.
  int mode = data[0] % 3;
  const char* text = reinterpret_cast<const char*>(data + 1);
  vx::THtmlScanner s;
  s.Preformatted = mode == 1;
  s.OpenMemory(text, size - 1);
  try {
    s.Start();
    size_t steps = 0;
    do {
      if (mode == 2 && (steps & 1))
        s.ScanTextAreaSymbol();
      else
        s.ScanSymbol();
      if (s.Token.size() > size_t(vx::THtmlScanner::MaxTokenLength)) __builtin_trap();
      if (++steps > size + 2) __builtin_trap();  // every symbol consumes input
    } while (s.Sy != vx::EofSym);
  } catch (const vx::EParseError&) {}
  return 0;
}
