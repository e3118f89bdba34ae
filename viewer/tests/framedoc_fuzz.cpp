// Fuzz target of frame documents: any bytes read as one end (or raise their parse error)
// within the limits: no set beyond its share, no more pieces than the budget allows, as
// many sizes as pieces, and sizes that fit the extent.
#include <cstddef>
#include <cstdint>

#include "viewer/FrameDocument.h"

using namespace vx;

namespace {

// Checks a finished set; returns its pieces at every depth.
int Check(const TFrameSetSpec& set, int extent) {
  if (set.Entries.size() != set.Pieces.size()) __builtin_trap();
  int notes = 0, frames = 0, n = 0;
  for (const TFramePiece& p : set.Pieces) {
    ++n;
    if (p.Note()) ++notes;
    if (p.Note() && p.Set) __builtin_trap();
    if (p.Set) n += Check(*p.Set, extent / 2);
    if (!p.Note()) ++frames;
  }
  // Padding frames for sizes written beyond the pieces are the only ones past the share.
  if (notes > 1 || frames > std::max<int>(kMaxFramesPerSet - 1, kMaxFrameSizes)) __builtin_trap();
  long long total = 0;
  for (int s : ComputeFrameSizes(set.Entries, extent)) {
    if (s < 0) __builtin_trap();
    total += s;
  }
  if (total > extent + kMaxFrameSizes) __builtin_trap();
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int budget = data[0] % (kMaxFramesInAll + 1);
  TFrameDocument doc;
  try {
    ReadFrameDocumentMemory(reinterpret_cast<const char*>(data + 1), size - 1, doc, budget);
  } catch (const EParseError&) {
    return 0;
  }
  if (doc.Found && !doc.Started) __builtin_trap();
  int n = Check(doc.Root, 600);
  if (n != doc.Pieces) __builtin_trap();
  // Within the budget, but for the notes and the padding frames of the sets it made.
  if (doc.Pieces > budget + (budget + 1) * (kMaxFrameSizes + 1)) __builtin_trap();
  return 0;
}
