// Any bytes as "vornix.cti" and as "vornix.tsi": the readers fail cleanly, leaving the list
// as it was, or read lists that write and read back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "editor/CusTool.h"
#include "editor/CustTags.h"
#include "framework/core/Exceptions.h"

using namespace vx;

namespace {

template <class List, class Item>
void ReadList(const std::string& bytes) {
  List list;
  auto kept = std::make_unique<Item>();
  kept->SetName("kept");
  list.Add(std::move(kept));
  TStringStream in(bytes);
  try {
    list.LoadFromStream(in);
  } catch (const EStreamError&) {
    // A damaged file changes nothing.
    if (list.Count() != 1 || list.Names(0) != "kept") std::abort();
    return;
  }
  TStringStream first;
  list.SaveToStream(first);
  List again;
  TStringStream back(first.DataString());
  again.LoadFromStream(back);
  TStringStream second;
  again.SaveToStream(second);
  if (first.DataString() != second.DataString() || again.Count() != list.Count()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadList<TCusTags, TCusTagItem>(bytes);
  ReadList<TCusTool, TCusToolItem>(bytes);
  return 0;
}
