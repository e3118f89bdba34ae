// dctbuild: turns a word list (UTF-8, one word a line) into a main dictionary file for the
// spell checker, laid out as the reader walks it (format in spell/DctFormat.h).
// A line "#N" (N a number) starts the words of commonness class N (lower is more common);
// words before any such line are of class 0; other lines starting with "#" are comments.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace vx {

struct TDctBuildStats {
  int lines = 0;     // lines read
  int rejected = 0;  // words the reader could never look up (characters, length)
  int words = 0;     // distinct words written
  int cells = 0;
};

// A UTF-8 word in code page 437 (the OEM code page of the dictionary's letters); false
// when a character has no place there or the UTF-8 is broken.
bool Utf8ToCodePage437(const std::string& utf8, std::string& out);

// The form in which a word goes into the dictionary, as the reader will look it up:
// A-Z lower-cased, a final "'s" dropped (lookups drop it too); false for a word that can
// never be looked up (a byte outside the word characters, 50 bytes or more, empty) and
// for one-letter words other than a, i and o (they would only make split suggestions
// such as "t eh" for "teh").
bool DictionaryForm(const std::string& cp437, std::string& out);

// A word in dictionary form and its commonness class (lower is more common).
struct TDctWord {
  std::string form;
  int rank = 0;
};

// The file's bytes for a set of words already in dictionary form (any order, repeats
// allowed; a repeated word keeps its lowest class). Each sibling list comes before its
// children's lists, depth first. Siblings are ordered by the summed weight of the words
// below them (a word of class N weighs ten times one of class N + 10), then by byte: the
// suggestion walk meets the branch holding more of the common words first, and equal scores
// keep the order they were met in, so the common word mostly comes first. Throws std::length_error beyond
// the 2^22 cells a file can number.
std::string BuildDictionaryFile(std::vector<TDctWord> words, TDctBuildStats* stats = nullptr);
// All of one class: siblings sorted by byte.
std::string BuildDictionaryFile(const std::vector<std::string>& words, TDctBuildStats* stats = nullptr);

// Reads a word list and builds the file from the words that can go in.
std::string BuildDictionaryFromList(std::istream& utf8Lines, TDctBuildStats* stats = nullptr);

// The whole tool: "dctbuild WORDLIST OUTPUT". OUTPUT is replaced only once the new file is
// complete. Returns the process exit code.
int DctBuildMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vx
