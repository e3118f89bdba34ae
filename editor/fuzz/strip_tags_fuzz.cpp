// Strip HTML Tags over a selection of any text: the first two bytes place the selection,
// the rest is the document. A strip that succeeds leaves no "<" in the selection and
// keeps the text around it; one that fails (a "<" with no ">") leaves everything as it was.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editor/EditCmds.h"

using namespace vx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::string doc(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t start = doc.empty() ? 0 : data[0] % (doc.size() + 1);
  const size_t length = (doc.size() - start) == 0 ? 0 : data[1] % (doc.size() - start + 1);
  AnsiString selection = doc.substr(start, length);
  const AnsiString before = selection;
  if (StripHTMLTags(selection)) {
    if (selection.find('<') != AnsiString::npos || selection.size() > before.size()) std::abort();
    // Every byte kept stands in the original, in order.
    size_t at = 0;
    for (char c : selection) {
      at = before.find(c, at);
      if (at == AnsiString::npos) std::abort();
      ++at;
    }
  } else if (selection != before || before.find('<') == AnsiString::npos) {
    std::abort();
  }
  const std::string after = doc.substr(0, start) + selection + doc.substr(start + length);
  if (after.compare(0, start, doc, 0, start) != 0) std::abort();
  return 0;
}
