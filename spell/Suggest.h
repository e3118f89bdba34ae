// Suggestions for a misspelt word: a walk of the dictionary trie pruned by a four-
// character sound code and a length window, candidates one slip from the word first, then
// ranked by a similarity score.
// The sound code and the score are this checker's own (neither a textbook Soundex nor the
// textbook Ratcliff/Obershelp measure), so they decide which suggestion comes first.
#pragma once

#include <cstdint>

#include "spell/DCTFile.h"
#include "spell/LinkedList.h"

namespace vx {

class TSuggestion : public TLinkedListNode {
 public:
  TSuggestion(const AnsiString& word, int16_t score, bool oneSlip = false);
  const char* ClassName() const override { return "TSuggestion"; }
  const AnsiString& Word() const { return word_; }
  int16_t Score() const { return score_; }
  // One slip of the keys from the misspelt word (OneSlipApart).
  bool OneSlip() const { return oneSlip_; }

 private:
  AnsiString word_;
  int16_t score_;
  bool oneSlip_;
};

// The bounded candidate list: the candidates one slip from the misspelt word first, then
// the others, each best score first; equal ranks keep their order of arrival. The score
// alone ranks a word one letter off below many longer ones ("separate" scores 50 for
// seperate, "separator" 70), so the word meant would not be among the first ten.
class TSuggestList : public TLinkedList {
 public:
  const char* ClassName() const override { return "TSuggestList"; }

  // Sets the target code and the length window for the (lower-cased) word.
  void SetTarget(const AnsiString& word, uint8_t capacity);
  // Adds the scored candidates of one main file.
  void Collect(TDCTFile* file, uint8_t capacity, const AnsiString& word);
  void AddCandidate(const AnsiString& word, const AnsiString& candidate);
  // The sound code of a word in the OEM code page: at most 4 characters, padded with "0"
  // to 4 when pad is set.
  static AnsiString PhoneticCode(const AnsiString& word, bool pad);
  // The candidate's unpadded code is a prefix of the target code.
  bool CodePrefixMatches(const AnsiString& candidate) const;

  uint8_t Capacity() const { return capacity_; }
  const AnsiString& TargetCode() const { return target_; }
  int16_t LongestLength() const { return longest_; }
  int16_t ShortestLength() const { return shortest_; }

 private:
  uint8_t capacity_ = 0;
  TDCTFile* file_ = nullptr;
  AnsiString target_;
  int16_t longest_ = 0, shortest_ = 0;
};

// b is a, or a with one slip: a letter changed, left out, added, or swapped with the next.
bool OneSlipApart(const AnsiString& a, const AnsiString& b);

// The score of candidate b for the misspelt word a, 0 to 100.
int16_t Similarity(const AnsiString& a, const AnsiString& b);

// Upper case of one character and of a word. They are applied to suggestions already
// converted to the ANSI code page, so they follow that code page's letter pairs.
char UpCaseOem(char c);
AnsiString UpperCaseWord(const AnsiString& word);

}  // namespace vx
