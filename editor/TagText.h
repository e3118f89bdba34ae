// Tags in the text of a document: where the attribute text of a tag written there ends.
#pragma once

#include <cstddef>

#include "framework/core/Object.h"

namespace vx {

// Reads the text after a tag's name, one line at a time, for the ">" that closes the
// tag. A ">" inside a quoted value does not count: a quote opens a value where one may
// begin (after "=" or at the start of a field) and only the same quote closes it. An
// unquoted "<" means the tag was never closed.
class TTagEndScanner {
 public:
  enum TResult { trNone, trClose, trOpen };
  // Scans the line from column `from`; on trClose or trOpen `at` is the column of the
  // ">" or "<". A line break between two lines is a blank.
  TResult Feed(const AnsiString& line, size_t from, size_t& at);

 private:
  char quote_ = 0;
  bool fieldStart_ = true, afterEquals_ = false;
};

}  // namespace vx
