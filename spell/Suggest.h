// Suggestions for a misspelt word: a walk of the dictionary trie pruned by a four-
// character sound code and a length window, candidates ranked by a similarity score.
// The sound code and the score are this checker's own (neither a textbook Soundex nor the
// textbook Ratcliff/Obershelp measure), so they decide which suggestion comes first.
#pragma once

#include <cstdint>

#include "spell/DCTFile.h"
#include "spell/LinkedList.h"

namespace vx {

class TSuggestion : public TLinkedListNode {
 public:
  TSuggestion(const AnsiString& word, int16_t score);
  const char* ClassName() const override { return "TSuggestion"; }
  const AnsiString& Word() const { return word_; }
  int16_t Score() const { return score_; }

 private:
  AnsiString word_;
  int16_t score_;
};

// The bounded candidate list, best score first; equal scores keep their order of arrival.
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

// The score of candidate b for the misspelt word a, 0 to 100.
int16_t Similarity(const AnsiString& a, const AnsiString& b);

// Upper case of one character and of a word. They are applied to suggestions already
// converted to the ANSI code page, so they follow that code page's letter pairs.
char UpCaseOem(char c);
AnsiString UpperCaseWord(const AnsiString& word);

}  // namespace vx
