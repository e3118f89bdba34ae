// Loads arbitrary bytes as a document under an arbitrary syntax table, edits it, and
// checks that tokens stay inside their lines and that the incremental lexer cache
// agrees with a fresh one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "ledit/core/Document.h"
#include "ledit/core/Lexer.h"

using namespace ledit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  LexOptions o;
  o.item2AsComment = data[0] & 1;
  o.extraComments = data[0] & 2;
  o.multiLineItems = data[0] & 4;
  o.multiLineStrings = data[0] & 8;
  o.startInComments = data[0] & 16;
  size_t entries = data[1] % 12;
  std::vector<std::pair<uint8_t, uint8_t>> table;
  size_t pos = 2;
  for (size_t i = 0; i < entries && pos + 1 < size; ++i, pos += 2) table.emplace_back(data[pos], data[pos + 1]);
  if (pos >= size) return 0;
  std::string_view text(reinterpret_cast<const char*>(data + pos), size - pos);
  Document d;
  if (d.Load(text) != LoadResult::Ok) return 0;
  Lexer lx;
  lx.SetTable(table);
  lx.SetOptions(o);
  LexCache cache;
  cache.Reset(d.LineCount());
  d.SetChangeHandler([&](int f, int r, int i) { cache.LinesReplaced(f, r, i); });
  cache.StateAt(d.LineCount() - 1, d, lx);
  // An edit somewhere in the middle, then an undo.
  Pos a{static_cast<int>(data[0]) % d.LineCount(), 0};
  d.Replace(a, a, text.substr(0, std::min<size_t>(text.size(), 7)));
  for (int step = 0; step < 2; ++step) {
    LexCache fresh;
    fresh.Reset(d.LineCount());
    for (int l = 0; l < d.LineCount(); ++l) {
      if (cache.StateAt(l, d, lx) != fresh.StateAt(l, d, lx)) abort();
      std::vector<Token> toks;
      lx.LexLine(d.Line(l), cache.StateAt(l, d, lx), &toks);
      int end = 0;
      for (const Token& t : toks) {
        if (t.col < end || t.len <= 0 || t.col + t.len > d.LineLength(l)) abort();
        end = t.col + t.len;
      }
    }
    d.Undo();
  }
  return 0;
}
