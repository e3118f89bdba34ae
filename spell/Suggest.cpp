#include "spell/Suggest.h"

#include <cstring>
#include <functional>

#include "framework/core/SysUtils.h"
#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"

namespace vx {

namespace {

// The sound-code tables, in the ANSI code page: each character codes as the digit at its
// first place in the alphabet; a character not in the alphabet codes as the byte 0.
constexpr char kAlphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "\xC7\xFC\xE9\xE2\xE4\xE0\xE5\xE7\xEA\xEB\xE8\xEF\xEE\xEC\xC4\xC5\xC9\xE6\xC6\xF4\xF6\xF2\xFB\xF9\xFF\xD6\xDC"
    "\x50\x83\xE1\xED\xF3\xFA\xF1\xD1";
constexpr char kDigits[] = "0123012202245501262301020220000002000000000000000000011000055";
static_assert(sizeof(kAlphabet) == 62 && sizeof(kDigits) == 62, "61 letters, one digit each");

struct TSoundTable {
  char digit[256] = {};
  TSoundTable() {
    bool set[256] = {};
    for (int i = 0; i < 61; ++i) {
      auto c = static_cast<unsigned char>(kAlphabet[i]);
      if (!set[c]) digit[c] = kDigits[i], set[c] = true;
    }
  }
};
const TSoundTable soundTable;

// Deepest prefix a walk builds: candidates are at most 50 characters.
constexpr size_t kMaxDepth = kMaxWordLength;

// Ratcliff/Obershelp-like matching with the checker's own bounds: after a better run the
// search window shrinks by the run's length on both strings, and the outer position jumps
// past the run.
struct TMatcher {
  const AnsiString& a;
  const AnsiString& b;
  int s = 0;
  bool Eq(int i, int j) const {
    return i >= 1 && j >= 1 && i <= static_cast<int>(a.size()) && j <= static_cast<int>(b.size()) &&
           a[i - 1] == b[j - 1];
  }
  void Match(int alo, int ahi, int blo, int bhi) {
    if (alo == ahi || blo == bhi) return;
    int best = 0, bestA = 0, bestB = 0, aEnd = ahi, bEnd = bhi;
    int i = alo - 1;
    while (i < aEnd) {
      ++i;
      int j = blo - 1;
      while (j < bEnd) {
        ++j;
        if (!Eq(i, j)) continue;
        int k = i, m = j;
        while (m <= bEnd && k <= aEnd && Eq(k, m)) ++k, ++m;
        int run = m - j;
        if (run > best) {
          best = run;
          bestA = i;
          bestB = j;
          aEnd = ahi - best - 1;
          bEnd = bhi - best - 1;
          i += run;
        }
        j += run;
      }
    }
    if (best >= 1) {
      s += 2 * best;
      Match(alo, bestA - 1, blo, bestB - 1);
      Match(bestA + best, ahi, bestB + best, bhi);
    }
  }
};

}  // namespace

TSuggestion::TSuggestion(const AnsiString& word, int16_t score, bool oneSlip)
    : word_(CutWord(word)), score_(score), oneSlip_(oneSlip) {}

bool OneSlipApart(const AnsiString& a, const AnsiString& b) {
  const AnsiString& longer = a.size() >= b.size() ? a : b;
  const AnsiString& shorter = a.size() >= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1) return false;
  size_t k = 0;
  while (k < shorter.size() && a[k] == b[k]) ++k;
  if (k == shorter.size()) return true;  // equal, or one letter added at the end
  if (longer.size() != shorter.size()) return longer.compare(k + 1, AnsiString::npos, shorter, k) == 0;
  if (a.compare(k + 1, AnsiString::npos, b, k + 1) == 0) return true;  // one letter changed
  return k + 1 < a.size() && a[k] == b[k + 1] && a[k + 1] == b[k] &&
         a.compare(k + 2, AnsiString::npos, b, k + 2) == 0;  // two neighbours swapped
}

int16_t Similarity(const AnsiString& a, const AnsiString& b) {
  int total = static_cast<int>(a.size() + b.size());
  if (total == 0) return 0;
  TMatcher m{a, b};
  m.Match(1, static_cast<int>(a.size()), 1, static_cast<int>(b.size()));
  return static_cast<int16_t>(m.s * 100 / total);
}

AnsiString TSuggestList::PhoneticCode(const AnsiString& word, bool pad) {
  AnsiString s = UpperCase(OemToAnsiWord(CutWord(word)));
  size_t i = 1;
  while (i < s.size()) {
    char d = soundTable.digit[static_cast<unsigned char>(s[i])];
    if (d == '0' || (i > 1 && d == s[i - 1]))
      s.erase(i, 1);
    else
      s[i++] = d;
  }
  if (s.size() >= 4)
    s.resize(4);
  else if (pad)
    s.append(4 - s.size(), '0');
  return s;
}

bool TSuggestList::CodePrefixMatches(const AnsiString& candidate) const {
  AnsiString code = PhoneticCode(candidate, false);
  return target_.compare(0, code.size(), code) == 0 && code.size() <= target_.size();
}

void TSuggestList::SetTarget(const AnsiString& word, uint8_t capacity) {
  capacity_ = capacity;
  target_ = PhoneticCode(word, true);
  longest_ = static_cast<int16_t>(word.size() + 2);
  shortest_ = static_cast<int16_t>(static_cast<int>(word.size()) - 2);
}

void TSuggestList::AddCandidate(const AnsiString& word, const AnsiString& candidate) {
  int16_t score = Similarity(word, candidate);
  bool slip = OneSlipApart(word, candidate);
  if (Head()) {
    for (TLinkedListNode* n = Head(); n; n = n->Next()) {
      auto* kept = static_cast<TSuggestion*>(n);
      if (kept->OneSlip() < slip || (kept->OneSlip() == slip && kept->Score() < score)) {
        InsertBefore(n, new TSuggestion(candidate, score, slip));
        if (Count() > capacity_) Delete(Tail());
        return;
      }
    }
    if (Count() >= capacity_) return;
  }
  Append(new TSuggestion(candidate, score, slip));
}

void TSuggestList::Collect(TDCTFile* file, uint8_t capacity, const AnsiString& word) {
  file_ = file;
  SetTarget(word, capacity);
  if (!file || word.empty() || capacity == 0) return;
  // The target's first character is the word's first letter; PhoneticCode already keeps
  // it, upper-cased as every candidate's code has it.
  uint8_t first = static_cast<uint8_t>(LowerCase(word.substr(0, 1))[0]);
  uint32_t root = 0;
  bool found = false;
  for (uint32_t i = 1;; ++i) {
    root = file->GetCell(i);
    if (dct::CellLetter(root) == first) {
      found = true;
      break;
    }
    if (IsLastSibling(root)) break;
  }
  if (!found || ChildIndex(root) == 0) return;

  // examined[L]: the cell now examined at depth L + 1; chosen[d]: the cell chosen at depth d.
  uint32_t examined[kMaxDepth + 2] = {};
  uint32_t chosen[kMaxDepth + 2] = {};
  AnsiString prefix(1, static_cast<char>(first));
  chosen[1] = root;
  examined[1] = ChildIndex(root);
  // A sound trie is a tree, so a walk visits each cell once; more means a cycle.
  int64_t budget = int64_t{file->CellCount()} + 64;
  while (!prefix.empty() && budget-- > 0) {
    size_t length = prefix.size();
    uint32_t cell = file->GetCell(examined[length]);
    prefix.push_back(static_cast<char>(dct::CellLetter(cell)));
    size_t u = length + 1;
    chosen[u] = cell;
    if (static_cast<int>(u) <= longest_ && u <= kMaxDepth && CodePrefixMatches(prefix)) {
      if (IsEndOfWord(cell) && static_cast<int>(u) >= shortest_) AddCandidate(word, prefix);
      if (ChildIndex(cell) != 0 && u < kMaxDepth) {
        examined[u] = ChildIndex(cell);
        continue;
      }
    }
    while (prefix.size() > 1 && IsLastSibling(chosen[prefix.size()])) prefix.pop_back();
    prefix.pop_back();
    if (!prefix.empty()) ++examined[prefix.size()];
  }
}

char UpCaseOem(char c) { return AnsiUpperChar(c); }

AnsiString UpperCaseWord(const AnsiString& word) {
  AnsiString s = word;
  for (char& c : s) c = UpCaseOem(c);
  return s;
}

// ---- the dictionary's searches ----------------------------------------------------------

std::unique_ptr<TStringList> TDictionary::SplitSuggestions(const AnsiString& word, int n) {
  auto result = std::make_unique<TStringList>();
  for (size_t k = 1; k < word.size(); ++k) {
    AnsiString left = word.substr(0, k), right = word.substr(k);
    if (Contains(left) && Contains(right)) result->Add(left + " " + right);
    if (result->Count() >= n) break;
  }
  return result;
}

std::unique_ptr<TStringList> TDictionary::Suggest(const AnsiString& word, int n) {
  AnsiString asked = CutWord(word);
  AnsiString w = LowerCase(asked);
  auto result = SplitSuggestions(w, n);
  if (w.empty() || IsDigitChar(static_cast<uint8_t>(w[0]))) return result;
  if (result->Count() < n) {
    TSuggestList list;
    auto capacity = static_cast<uint8_t>(n - result->Count());
    list.SetTarget(w, capacity);
    for (TLinkedListNode* f = mainFiles_.Head(); f; f = f->Next()) list.Collect(static_cast<TDCTFile*>(f), capacity, w);
    for (int i = 0; i < custom_->Count(); ++i) {
      AnsiString c = custom_->Strings(i);
      if (list.CodePrefixMatches(c)) list.AddCandidate(w, c);
    }
    for (TLinkedListNode* s = list.Head(); s; s = s->Next()) result->Add(static_cast<TSuggestion*>(s)->Word());
  }
  FixSuggestionCase(*result, asked);
  return result;
}

std::unique_ptr<TStringList> TDictionary::WordsWithPrefix(const AnsiString& typed, int n) {
  auto result = std::make_unique<TStringList>();
  AnsiString t = CutWord(typed);
  AnsiString p = LowerCase(t);
  TDCTFile* file = FirstMainFile();
  if (p.empty() || !file) return result;
  uint32_t node = 1, cell = 0;
  for (size_t k = 0; k < p.size(); ++k) {
    cell = file->FindSibling(node, static_cast<uint8_t>(p[k]));
    if (dct::CellLetter(cell) != static_cast<uint8_t>(p[k])) return result;
    node = ChildIndex(cell);
    if (node == 0) return result;  // no longer words (and never a walk from cell 0)
  }
  int64_t budget = int64_t{file->CellCount()} + 64;
  std::function<void(uint32_t, const AnsiString&)> walk = [&](uint32_t first, const AnsiString& below) {
    for (uint32_t i = first; result->Count() < n && budget-- > 0; ++i) {
      uint32_t c = file->GetCell(i);
      AnsiString s = below + static_cast<char>(dct::CellLetter(c));
      if (IsEndOfWord(c)) result->Add(t + s);
      if (ChildIndex(c) != 0 && t.size() + s.size() < static_cast<size_t>(kMaxWordLength)) walk(ChildIndex(c), s);
      if (IsLastSibling(c)) break;
    }
  };
  walk(node, "");
  FixSuggestionCase(*result, t);
  return result;
}

void TDictionary::FixSuggestionCase(TStringList& list, const AnsiString& asked) {
  AnsiString w = OemToAnsiWord(asked);
  for (int i = 0; i < list.Count(); ++i) list.SetStrings(i, MatchCase(OemToAnsiWord(list[i]), w));
}

AnsiString TDictionary::MatchCase(const AnsiString& suggestion, const AnsiString& asked) {
  if (asked.empty()) return suggestion;
  char ref = asked.size() >= 2 ? asked[1] : asked[0];
  if (UpCaseOem(ref) == ref) return UpperCaseWord(suggestion);
  AnsiString s = LowerCase(suggestion);
  if (!s.empty() && UpCaseOem(asked[0]) == asked[0]) s[0] = UpCaseOem(s[0]);
  return s;
}

}  // namespace vx
