// An image map selection as a document may hold it: split, named and read area by area.
#include <cstddef>
#include <cstdint>

#include "editor/wizards/WizardText.h"
#include "framework/core/Exceptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vx::AnsiString text(reinterpret_cast<const char*>(data), size);
  vx::TMapSelection sel = vx::SplitMapSelection(text);
  (void)vx::MapNameFromTag(sel.MapTag);
  for (const vx::AnsiString& area : sel.Areas) {
    try {
      vx::TAreaFields a = vx::ParseAreaText(area);
      (void)vx::IsRectangleArea(a);
    } catch (const vx::EConvertError&) {}
  }
  return 0;
}
