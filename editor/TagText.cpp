#include "editor/TagText.h"

namespace vx {

TTagEndScanner::TResult TTagEndScanner::Feed(const AnsiString& line, size_t from, size_t& at) {
  for (size_t i = from; i < line.size(); ++i) {
    char c = line[i];
    if (quote_) {
      if (c == quote_) quote_ = 0;
      continue;
    }
    if (c == ' ' || c == '\t') {
      fieldStart_ = true;
      continue;
    }
    if (c == '>' || c == '<') {
      at = i;
      return c == '>' ? trClose : trOpen;
    }
    if ((c == '"' || c == '\'') && (fieldStart_ || afterEquals_)) {
      quote_ = c;
    } else if (c == '=') {
      afterEquals_ = true;
      fieldStart_ = false;
      continue;
    }
    afterEquals_ = false;
    fieldStart_ = false;
  }
  // The line break ends a field like a blank.
  fieldStart_ = true;
  return trNone;
}

}  // namespace vx
