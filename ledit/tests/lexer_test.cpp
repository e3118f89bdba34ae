#include <gtest/gtest.h>

#include "ledit/core/Document.h"
#include "ledit/core/Lexer.h"

using namespace ledit;

namespace {

// The table the HTML editor's syntax string "2""002!-2->1>2</1=1;1&" compiles to.
std::vector<std::pair<uint8_t, uint8_t>> HtmlTable() {
  return {{'"', '"'}, {1, 1}, {1, 1}, {'!', '-'}, {'-', '>'}, {'>', 0}, {'<', '/'}, {'=', 0}, {';', 0}, {'&', 0}};
}

struct Tok {
  std::string text;
  uint16_t type;
  int col;
  friend bool operator==(const Tok&, const Tok&) = default;
};

std::vector<Tok> Lex(const Lexer& lx, std::string_view line, LexState in = 0, LexState* out = nullptr) {
  std::vector<Token> t;
  LexState o = lx.LexLine(line, in, &t);
  if (out) *out = o;
  std::vector<Tok> r;
  for (auto& k : t) r.push_back({std::string(line.substr(k.col, k.len)), k.type, k.col});
  return r;
}

TEST(Lexer, HtmlTagsStringsSymbolsAndComments) {
  Lexer lx;
  lx.SetTable(HtmlTable());
  auto t = Lex(lx, "<A HREF=\"x\">t</A> <!-- c --> a&amp;b");
  std::vector<Tok> want = {
      {"<A", kWord, 0}, {"HREF", kWord, 3},  {"=", kSymbol, 7},  {"\"x\"", kString, 8}, {">", kSymbol, 11},
      {"t", kWord, 12}, {"</", kSymbol, 13}, {"A", kWord, 15},   {">", kSymbol, 16},    {"<!-- c -->", kComment, 18},
      {"a", kWord, 29}, {"&", kSymbol, 30},  {"amp", kWord, 31}, {";", kSymbol, 34},    {"b", kWord, 35}};
  EXPECT_EQ(t, want);
  // Punctuation that is not a symbol is a one-character word; a lone "<" too.
  auto u = Lex(lx, "a, < b");
  ASSERT_EQ(u.size(), 4u);
  EXPECT_EQ(u[1], (Tok{",", kWord, 1}));
  EXPECT_EQ(u[2], (Tok{"<", kWord, 3}));
}

TEST(Lexer, StringsAndCommentsAcrossLines) {
  Lexer lx;
  lx.SetTable(HtmlTable());
  LexState s = 0;
  // Without the multi-line options, an open string or comment ends with its line.
  auto t = Lex(lx, "x=\"open", 0, &s);
  EXPECT_EQ(t.back(), (Tok{"\"open", kString, 2}));
  EXPECT_EQ(s, 0);
  Lex(lx, "<!-- open", 0, &s);
  EXPECT_EQ(s, 0);

  LexOptions o;
  o.multiLineStrings = true;
  o.multiLineItems = true;
  lx.SetOptions(o);
  t = Lex(lx, "x=\"open", 0, &s);
  EXPECT_EQ(t.back(), (Tok{"\"open", kStringPiece, 2}));
  EXPECT_EQ(s, 1);
  t = Lex(lx, "middle", s, &s);
  EXPECT_EQ(t, (std::vector<Tok>{{"middle", kStringPiece, 0}}));
  t = Lex(lx, "end\" b", s, &s);
  EXPECT_EQ(t, (std::vector<Tok>{{"end\"", kStringPiece, 0}, {"b", kWord, 5}}));
  EXPECT_EQ(s, 0);
  t = Lex(lx, "a <!-- c", 0, &s);
  EXPECT_EQ(t.back(), (Tok{"<!-- c", kCommentPiece, 2}));
  EXPECT_EQ(s, 3);
  t = Lex(lx, "d --> <B>", s, &s);
  EXPECT_EQ(t[0], (Tok{"d -->", kCommentPiece, 0}));
  EXPECT_EQ(t[1], (Tok{"<B", kWord, 6}));
  EXPECT_EQ(s, 0);

  o.startInComments = true;
  lx.SetOptions(o);
  EXPECT_EQ(lx.Initial(), 3);
}

TEST(Lexer, LetterSymbolsLineAndExtraComments) {
  Lexer lx;
  // "2""002!-2->1&1;2</1>2gt2lt" from the tag editor, plus a line comment and braces.
  lx.SetTable({{'"', '"'},
               {1, 1},
               {'/', '/'},
               {'!', '-'},
               {'-', '>'},
               {'&', 0},
               {';', 0},
               {'<', '/'},
               {'>', 0},
               {'g', 't'},
               {'l', 't'},
               {'{', 3},
               {'}', 4}});
  auto t = Lex(lx, "&gt; gta x");
  EXPECT_EQ(t[1], (Tok{"gt", kSymbol, 1}));
  EXPECT_EQ(t[3], (Tok{"gta", kWord, 5}));
  // Entry 2 is a line comment only with the flag; extra comments likewise.
  LexOptions o;
  o.item2AsComment = true;
  o.extraComments = true;
  lx.SetOptions(o);
  t = Lex(lx, "a // rest");
  EXPECT_EQ(t.back(), (Tok{"// rest", kComment, 2}));
  t = Lex(lx, "a {x} b");
  EXPECT_EQ(t[1], (Tok{"{x}", kComment, 2}));
}

TEST(Lexer, EmptyTableGivesWordsOnly) {
  Lexer lx;
  auto t = Lex(lx, "<b>\"q\"");
  for (auto& k : t) EXPECT_EQ(k.type, kWord);
  EXPECT_EQ(t[0].text, "<b");
}

TEST(LexCache, EditReLexesFromTheEditedLineOnly) {
  Document d;
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "<p class=\"c\">line " + std::to_string(i) + "</p>\n";
  d.Load(text);
  Lexer lx;
  lx.SetTable(HtmlTable());
  LexOptions o;
  o.multiLineItems = o.multiLineStrings = true;
  lx.SetOptions(o);
  LexCache cache;
  cache.Reset(d.LineCount());
  d.SetChangeHandler([&](int f, int r, int i) { cache.LinesReplaced(f, r, i); });
  const int last = d.LineCount() - 1;
  EXPECT_EQ(cache.StateAt(last, d, lx), 0);
  EXPECT_EQ(cache.LinesLexed(), last);
  cache.ClearCounter();

  // Typing a word on line 900 re-lexes that line and stops.
  d.Replace({900, 0}, {900, 0}, "abc");
  EXPECT_EQ(cache.StateAt(999, d, lx), 0);
  EXPECT_EQ(cache.LinesLexed(), 1);
  cache.ClearCounter();

  // Opening a comment changes every later state, closing it again restores them.
  d.Replace({500, 0}, {500, 0}, "<!--");
  EXPECT_EQ(cache.StateAt(700, d, lx), 3);
  EXPECT_EQ(cache.LinesLexed(), 200);
  EXPECT_EQ(cache.StateAt(last, d, lx), 3);
  cache.ClearCounter();
  d.Replace({600, 0}, {600, 0}, "-->");
  EXPECT_EQ(cache.StateAt(999, d, lx), 0);
  EXPECT_EQ(cache.LinesLexed(), 999 - 600);  // exactly the lines whose state changed back
  EXPECT_EQ(cache.StateAt(550, d, lx), 3);

  // Inserted and removed lines keep the cache aligned with the document.
  cache.ClearCounter();
  d.Replace({10, 0}, {10, 0}, "\"\n\n\"");
  EXPECT_EQ(cache.StateAt(11, d, lx), 1);
  EXPECT_EQ(cache.StateAt(12, d, lx), 1);
  EXPECT_EQ(cache.StateAt(13, d, lx), 0);
  EXPECT_LE(cache.LinesLexed(), 5);
  d.Replace({10, 0}, {12, 1}, "");
  EXPECT_EQ(cache.StateAt(11, d, lx), 0);
  EXPECT_EQ(cache.StateAt(600, d, lx), 3);
  // Same result as a fresh cache.
  LexCache fresh;
  fresh.Reset(d.LineCount());
  for (int l : {0, 400, 499, 500, 501, 598, 599, 600, 601, 999})
    EXPECT_EQ(fresh.StateAt(l, d, lx), cache.StateAt(l, d, lx)) << l;
}

}  // namespace
