#include "tools/DctBuild.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>

#include "framework/core/SafeSave.h"
#include "framework/core/Streams.h"
#include "spell/CodePage437.h"
#include "spell/DctFormat.h"
#include "spell/SpellWords.h"

namespace vx {

bool Utf8ToCodePage437(const std::string& utf8, std::string& out) {
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    uint32_t cp;
    int extra;
    if (c < 0x80)
      cp = c, extra = 0;
    else if ((c & 0xE0) == 0xC0)
      cp = c & 0x1F, extra = 1;
    else if ((c & 0xF0) == 0xE0)
      cp = c & 0x0F, extra = 2;
    else if ((c & 0xF8) == 0xF0)
      cp = c & 0x07, extra = 3;
    else
      return false;
    for (int k = 1; k <= extra; ++k) {
      if (i + k >= utf8.size()) return false;
      auto d = static_cast<unsigned char>(utf8[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    int b = CodePage437Byte(cp);
    if (b < 0) return false;
    out.push_back(static_cast<char>(b));
  }
  return true;
}

bool DictionaryForm(const std::string& cp437, std::string& out) {
  out = LookupForm(cp437);
  if (out.empty() || out.size() >= static_cast<size_t>(dct::kMaxWordLength)) return false;
  for (char c : out)
    if (!IsWordChar(static_cast<uint8_t>(c))) return false;
  if (out.size() == 1 && out != "a" && out != "i" && out != "o") return false;
  return true;
}

namespace {

struct TNode {
  bool endOfWord = false;
  // The commonest class the word ending here was listed in.
  int rank = INT_MAX;
  // The summed weight of the words ending here or below.
  uint64_t weight = 0;
  std::map<uint8_t, std::unique_ptr<TNode>> children;
};

// A word's weight: each class a tenth of the one ten numbers below it, so that one common
// word outweighs many rare ones (the classes are word list sizes, which grow about tenfold
// in how rare their words are from one to the next). Whole numbers, so that every build
// lays the file out alike (floating sums compare differently on different processors).
uint64_t Weight(int rank) { return static_cast<uint64_t>(std::llround(std::pow(10.0, (100 - std::min(rank, 100)) / 10.0))); }

uint64_t AddWeights(TNode& node) {
  node.weight = node.endOfWord ? Weight(node.rank) : 0;
  for (auto& [letter, child] : node.children) node.weight += AddWeights(*child);
  return node.weight;
}

// Gives a node's children their cells (one run, the heaviest branch first), then lays
// out each child's own list right after, depth first, so a word's path mostly stays within
// a few pages.
uint32_t Layout(const TNode& node, bool byWeight, std::vector<uint32_t>& cells) {
  auto first = static_cast<uint32_t>(cells.size());  // cells[0] stands for the unused cell 0
  if (first + node.children.size() >= dct::kCellLimit)
    throw std::length_error("the word list needs more cells than a dictionary file can number");
  std::vector<std::pair<uint8_t, const TNode*>> order;
  for (const auto& [letter, child] : node.children) order.emplace_back(letter, child.get());
  if (byWeight)
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.second->weight > b.second->weight; });
  cells.resize(cells.size() + order.size());
  uint32_t at = first;
  for (const auto& [letter, child] : order) {
    uint32_t childStart = child->children.empty() ? 0 : Layout(*child, byWeight, cells);
    bool last = at == first + order.size() - 1;
    cells[at++] = dct::MakeCell(letter, last, child->endOfWord, childStart);
  }
  return first;
}

}  // namespace

std::string BuildDictionaryFile(std::vector<TDctWord> words, TDctBuildStats* stats) {
  TNode root;
  int distinct = 0;
  bool classes = false;  // of more than one class
  for (const TDctWord& w : words) {
    classes = classes || w.rank != words.front().rank;
    TNode* n = &root;
    for (char c : w.form) {
      auto& slot = n->children[static_cast<uint8_t>(c)];
      if (!slot) slot = std::make_unique<TNode>();
      n = slot.get();
    }
    if (w.form.empty()) continue;
    if (!n->endOfWord) ++distinct;
    n->endOfWord = true;
    n->rank = std::min(n->rank, w.rank);
  }
  AddWeights(root);
  std::vector<uint32_t> cells(1, 0);  // cell numbers start at 1, so the root list does
  if (!root.children.empty()) Layout(root, classes, cells);
  std::string file(dct::kHeaderSize, '\0');
  file.replace(0, dct::kSignatureTextSize, dct::kSignatureText);
  // The rest of the header is never read; it records the counts for a person looking.
  auto put32 = [&](size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) file[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
  };
  put32(dct::kSignatureSize, static_cast<uint32_t>(cells.size() - 1));
  put32(dct::kSignatureSize + 4, static_cast<uint32_t>(distinct));
  file.reserve(file.size() + 4 * cells.size());
  for (size_t i = 1; i < cells.size(); ++i)
    for (int k = 0; k < 4; ++k) file.push_back(static_cast<char>((cells[i] >> (8 * k)) & 0xFF));
  if (stats) {
    stats->words = distinct;
    stats->cells = static_cast<int>(cells.size() - 1);
  }
  return file;
}

std::string BuildDictionaryFile(const std::vector<std::string>& words, TDctBuildStats* stats) {
  std::vector<TDctWord> ranked;
  ranked.reserve(words.size());
  for (const std::string& w : words) ranked.push_back({w, 0});
  return BuildDictionaryFile(std::move(ranked), stats);
}

std::string BuildDictionaryFromList(std::istream& in, TDctBuildStats* stats) {
  TDctBuildStats local;
  TDctBuildStats& s = stats ? *stats : local;
  std::vector<TDctWord> words;
  std::string line, cp437, form;
  int rank = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line[0] == '#') {
      if (line.size() > 1 && line.size() <= 10 && std::all_of(line.begin() + 1, line.end(), [](char c) { return c >= '0' && c <= '9'; }))
        rank = std::stoi(line.substr(1));
      continue;
    }
    ++s.lines;
    if (Utf8ToCodePage437(line, cp437) && DictionaryForm(cp437, form))
      words.push_back({form, rank});
    else
      ++s.rejected;
  }
  int lines = s.lines, rejected = s.rejected;
  std::string file = BuildDictionaryFile(std::move(words), &s);
  s.lines = lines;
  s.rejected = rejected;
  return file;
}

int DctBuildMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  if (argc != 3) {
    err << "usage: dctbuild WORDLIST OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    err << argv[1] << ": error: cannot read the word list\n";
    return 1;
  }
  try {
    TDctBuildStats stats;
    std::string file = BuildDictionaryFromList(in, &stats);
    if (stats.words == 0) {
      err << argv[1] << ": error: no word could go into the dictionary\n";
      return 1;
    }
    SaveFileSafely(argv[2], [&](TStream& s) { s.WriteBuffer(file.data(), static_cast<int>(file.size())); });
    out << argv[2] << ": " << stats.words << " words, " << stats.cells << " cells, " << file.size() << " bytes ("
        << stats.lines << " lines read, " << stats.rejected << " left out)\n";
    return 0;
  } catch (const std::exception& e) {
    err << argv[2] << ": error: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace vx
