// Any bytes given to the tag definition reader: it fails cleanly or loads a set that
// saves and reloads to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "tagdefs/teTagType.h"

using namespace vx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  THTMLGroup g;
  g.SetName("before");
  TStringStream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    g.LoadFromStream(in);
  } catch (const EReadError&) {
    // The partial set must still be whole enough to walk, look up and save.
    (void)g.GetTagLookup();
    (void)g.FindTag("IMG");
    TStringStream out;
    g.SaveToStream(out);
    return 0;
  }
  TStringStream first;
  g.SaveToStream(first);
  THTMLGroup again;
  TStringStream back(first.DataString());
  again.LoadFromStream(back);
  TStringStream second;
  again.SaveToStream(second);
  if (first.DataString() != second.DataString()) std::abort();
  return 0;
}
