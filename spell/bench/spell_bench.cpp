// The spell checker against hunspell (Debian's hunspell and hunspell-en-us, run as a
// reference only), printing its figures:
// - suggestion quality on a set of everyday misspellings (swapped, dropped, doubled letters,
//   wrong vowels): how often the intended word comes first, and among the first five;
// - speed: checking one generated 200,000-word text drawn from the word list ENGLISH.DCT
//   is built from, and suggestions for 200 of its misspelt words;
// - with --documents FILE...: the share of the words of real documents each one flags.
// Built natively (hunspell beside it) and for Windows (run under Wine; hunspell, a host
// program, is timed through the host's shell).
// spell_bench [--check-unsanitised] [--documents FILE...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "bench/HostRun.h"
#endif

#include "spell/Dictionary.h"
#include "spell/SpellPlatform.h"
#include "spell/SpellWords.h"
#include "spell/TextSource.h"

using namespace vx;

namespace {

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

std::string Slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

struct TText {
  std::string text;  // lines of words
  int words = 0;
  std::vector<std::pair<std::string, std::string>> misspelt;  // (as written, intended)
};

// Words of everyday prose (half of the text) and of the word list (the other half), so
// the text is neither only short words nor only rare ones.
const char* const kCommon[] = {
    "the",   "of",     "and",    "to",      "in",      "is",     "it",       "you",    "that",    "he",     "was",
    "for",   "on",     "are",    "with",    "as",      "his",    "they",     "be",     "at",      "one",    "have",
    "this",  "from",   "or",     "had",     "by",      "word",   "but",      "what",   "some",    "we",     "can",
    "out",   "other",  "were",   "all",     "there",   "when",   "up",       "use",    "your",    "how",    "said",
    "an",    "each",   "she",    "which",   "do",      "their",  "time",     "if",     "will",    "way",    "about",
    "many",  "then",   "them",   "write",   "would",   "like",   "so",       "these",  "her",     "long",   "make",
    "thing", "see",    "him",    "two",     "has",     "look",   "more",     "day",    "could",   "go",     "come",
    "did",   "number", "sound",  "no",      "most",    "people", "my",       "over",   "know",    "water",  "than",
    "call",  "first",  "who",    "may",     "down",    "side",   "been",     "now",    "find",    "any",    "new",
    "work",  "part",   "take",   "get",     "place",   "made",   "live",     "where",  "after",   "back",   "little",
    "only",  "round",  "man",    "year",    "came",    "show",   "every",    "good",   "me",      "give",   "our",
    "under", "name",   "very",   "through", "just",    "form",   "sentence", "great",  "think",   "say",    "help",
    "low",   "line",   "differ", "turn",    "cause",   "much",   "mean",     "before", "move",    "right",  "boy",
    "old",   "too",    "same",   "tell",    "does",    "set",    "three",    "want",   "air",     "well",   "also",
    "play",  "small",  "end",    "put",     "home",    "read",   "hand",     "port",   "large",   "spell",  "add",
    "even",  "land",   "here",   "must",    "big",     "high",   "such",     "follow", "act",     "why",    "ask",
    "men",   "change", "went",   "light",   "kind",    "off",    "need",     "house",  "picture", "try",    "us",
    "again", "animal", "point",  "mother",  "world",   "near",   "build",    "self",   "earth",   "father", "head",
    "stand", "own",    "page",   "should",  "country", "found",  "answer",   "school", "grow",    "study",  "still",
    "learn", "plant",  "cover",  "food",    "sun",     "four",   "between",  "state",  "keep",    "eye",    "never",
    "last"};

TText MakeText(const std::vector<std::string>& pool, const std::set<std::string>& known, int total) {
  TText t;
  std::mt19937 rng(20240601);
  std::uniform_int_distribution<size_t> pick(0, pool.size() - 1), common(0, std::size(kCommon) - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  for (int i = 0; i < total; ++i) {
    std::string w = percent(rng) < 50 ? kCommon[common(rng)] : pool[pick(rng)];
    if (percent(rng) < 5 && w.size() >= 3) {
      // Two neighbouring letters swapped, the result no word of the list.
      std::uniform_int_distribution<size_t> at(0, w.size() - 2);
      for (int tries = 0; tries < 8; ++tries) {
        std::string m = w;
        size_t k = at(rng);
        std::swap(m[k], m[k + 1]);
        std::string lower = m;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (m != w && !known.count(lower)) {
          t.misspelt.emplace_back(m, w);
          w = m;
          break;
        }
      }
    }
    t.text += w;
    t.text += (i % 12 == 11) ? "\n" : " ";
    ++t.words;
  }
  return t;
}

// ---- hunspell, the reference ----------------------------------------------------------------

struct THunspellRun {
  double seconds = -1;
  std::string output;
};

#ifdef _WIN32
// A host program, started through the host's shell, which times it.
THunspellRun RunHunspell(const std::string& args, const std::string& input) {
  THunspellRun r;
  std::string out = "spell_bench_hunspell.out", micros;
  DeleteFileA(out.c_str());
  if (!RunOnHost("a=$(date +%s%N); /usr/bin/hunspell " + args + " < '" + HostPathOf(input) + "' > '" +
                     HostPathOf(out) + "' 2>/dev/null; b=$(date +%s%N); echo $(( (b - a) / 1000 ))",
                 micros, 150))
    return r;
  long long us = -1;
  if (std::sscanf(micros.c_str(), "%lld", &us) == 1) r.seconds = double(us) / 1e6;
  r.output = Slurp(out);
  DeleteFileA(out.c_str());
  return r;
}
#else
THunspellRun RunHunspell(const std::string& args, const std::string& input) {
  THunspellRun r;
  std::string out = "spell_bench_hunspell.out";
  std::string cmd = "hunspell " + args + " < '" + input + "' > '" + out + "' 2>/dev/null";
  auto a = std::chrono::steady_clock::now();
  int rc = std::system(cmd.c_str());
  auto b = std::chrono::steady_clock::now();
  if (rc != 0) return r;
  r.seconds = Seconds(a, b);
  r.output = Slurp(out);
  std::remove(out.c_str());
  return r;
}
#endif

const int kRounds = 5;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The median of several runs, as ours is timed.
THunspellRun RunHunspellMedian(const std::string& args, const std::string& input) {
  THunspellRun last;
  std::vector<double> times;
  for (int i = 0; i < kRounds; ++i) {
    last = RunHunspell(args, input);
    if (last.seconds < 0) return last;
    times.push_back(last.seconds);
  }
  last.seconds = Median(times);
  return last;
}

std::vector<std::string> Lines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out.push_back(l);
  }
  return out;
}

bool InFirstFive(const std::vector<std::string>& list, const std::string& intended) {
  for (size_t i = 0; i < list.size() && i < 5; ++i)
    if (list[i] == intended) return true;
  return false;
}

// hunspell -a answers one line per word: "& word n offset: s1, s2, ..." with suggestions,
// "#" without, "*", "+" or "-" for a known word; "@" heads the output.
std::vector<std::vector<std::string>> HunspellLists(const std::string& output, size_t words) {
  std::vector<std::vector<std::string>> lists;
  for (const std::string& line : Lines(output)) {
    if (line.empty() || line[0] == '@') continue;
    if (lists.size() >= words) break;
    std::vector<std::string> list;
    if (line[0] == '&') {
      std::istringstream s(line.substr(line.find(':') + 1));
      for (std::string item; std::getline(s, item, ',');) {
        size_t f = item.find_first_not_of(' ');
        list.push_back(f == std::string::npos ? "" : item.substr(f));
      }
    }
    lists.push_back(list);
  }
  lists.resize(words);
  return lists;
}

// The words of the word list ENGLISH.DCT is built from ("#" lines are its class marks).
std::vector<std::string> WordList(const std::string& name) {
  std::vector<std::string> words;
  for (const std::string& w : Lines(Slurp(name)))
    if (!w.empty() && w[0] != '#') words.push_back(w);
  return words;
}

#ifndef _WIN32
// A sanitizer's run-time library is loaded with the program when any part of it was built
// with one.
bool Sanitised() {
  std::string maps = Slurp("/proc/self/maps");
  return maps.find("libasan") != std::string::npos || maps.find("libubsan") != std::string::npos;
}
#else
bool Sanitised() { return false; }
#endif

std::string Percent(int n, size_t of) {
  char b[32];
  std::snprintf(b, sizeof b, "%5.1f %%", of ? 100.0 * n / double(of) : 0.0);
  return b;
}

// How often the intended word comes first and among the first five, ours and hunspell's.
void SuggestionQuality(TDictionary& dict, const std::string& fileName) {
  std::vector<std::pair<std::string, std::string>> pairs;
  for (const std::string& line : Lines(Slurp(fileName))) {
    std::istringstream s(line);
    std::string wrong, intended;
    if (line.empty() || line[0] == '#' || !(s >> wrong >> intended)) continue;
    pairs.emplace_back(wrong, intended);
  }
  if (pairs.empty()) {
    std::printf("Suggestion quality: no misspellings in %s\n", fileName.c_str());
    return;
  }
  int first = 0, five = 0;
  std::string input;
  for (auto& [wrong, intended] : pairs) {
    auto list = dict.Suggest(AnsiToOemWord(wrong), 10);
    first += list->Count() > 0 && list->Strings(0) == intended;
    std::vector<std::string> v;
    for (int i = 0; i < list->Count(); ++i) v.push_back(list->Strings(i));
    five += InFirstFive(v, intended);
    input += wrong + "\n";
  }
  std::printf("Suggestion quality on %zu everyday misspellings (%s), 10 suggestions asked:\n", pairs.size(),
              fileName.c_str());
  std::string inputName = "spell_bench_quality.txt";
  std::ofstream(inputName, std::ios::binary) << input;
  THunspellRun h = RunHunspell("-d en_US -a", inputName);
  std::remove(inputName.c_str());
  int hFirst = 0, hFive = 0;
  if (h.seconds >= 0) {
    auto lists = HunspellLists(h.output, pairs.size());
    for (size_t i = 0; i < pairs.size(); ++i) {
      hFirst += !lists[i].empty() && lists[i][0] == pairs[i].second;
      hFive += InFirstFive(lists[i], pairs[i].second);
    }
  }
  auto row = [&](const char* what, int ours, int hun) {
    std::printf("  %-30s ours %s", what, Percent(ours, pairs.size()).c_str());
    if (h.seconds >= 0)
      std::printf("   hunspell %s\n", Percent(hun, pairs.size()).c_str());
    else
      std::printf("   hunspell could not be run\n");
  };
  row("intended word first:", first, hFirst);
  row("intended word in the first 5:", five, hFive);
}

// The share of the words of real documents that each checker flags, and of the words of
// three letters or more hunspell knows that ours flags: the real words a user is bothered
// with (shorter ones are mostly abbreviations, which ENGLISH.DCT leaves out on purpose).
// The documents are read as a control would hold them (one byte a character).
void DocumentFlags(TDictionary& dict, const std::vector<std::string>& files) {
  std::vector<std::pair<std::string, bool>> words;  // as written, flagged by ours
  std::string input;
  int read = 0, ours = 0;
  for (const std::string& f : files) {
    std::string text = Slurp(f);
    if (text.empty()) continue;
    ++read;
    std::string oem = text;
    AnsiToOemText(oem.data(), oem.size());
    TPCharBuffer source(oem.c_str());
    for (AnsiString w = source.NextWord(); !w.empty(); w = source.NextWord()) {
      if (w.size() < 2 || source.AllDigits()) continue;
      std::string written = text.substr(static_cast<size_t>(source.WordStart() - 1), w.size());
      bool flagged = !dict.ContainsWritten(written);
      ours += flagged;
      words.emplace_back(written, flagged);
      input += written + "\n";
    }
  }
  size_t count = words.size();
  std::printf("Real documents: %zu words in %d files\n", count, read);
  if (count == 0) return;
  std::string name = "spell_bench_documents.txt";
  std::ofstream(name, std::ios::binary) << input;
  THunspellRun h = RunHunspell("-d en_US -l", name);
  std::remove(name.c_str());
  std::printf("  words flagged:                 ours %s (%d)", Percent(ours, count).c_str(), ours);
  if (h.seconds < 0) {
    std::printf("   hunspell could not be run\n");
    return;
  }
  std::map<std::string, int> theirs;
  int hun = 0;
  for (const std::string& w : Lines(h.output)) ++theirs[w], ++hun;
  int real = 0;
  for (const auto& [w, flagged] : words)
    if (flagged && !(theirs[w] > 0 && theirs[w]-- > 0) && w.size() >= 3) ++real;
  std::printf("   hunspell %s (%d)\n", Percent(hun, count).c_str(), hun);
  std::printf("  words of 3+ letters hunspell knows, flagged: ours %s (%d)\n", Percent(real, count).c_str(), real);
}

}  // namespace

int main(int argc, char** argv) {
  SetSpellMessageHook([](const AnsiString&, TSpellMsgKind) { return kSpellOk; });
  std::vector<std::string> documents;
  bool checkOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--check-unsanitised")
      checkOnly = true;
    else if (a == "--documents")
      for (++i; i < argc; ++i) documents.push_back(argv[i]);
  }
  if (Sanitised()) {
    std::printf("spell_bench: built with a sanitizer's run-time library: its figures would measure that\n");
    return 1;
  }
  if (checkOnly) {
    std::printf("spell_bench: built without sanitizers\n");
    return 0;
  }
  std::string listName = VX_SPELL_BENCH_WORDS, dctName = "ENGLISH.DCT";
  const int totalWords = 200000, suggestWords = 200;
#ifdef _WIN32
  const char* where = "under Wine";
#else
  const char* where = "natively";
#endif
  TDictionary dict;
  if (!dict.AddMainFile(dctName)) {
    std::printf("spell_bench: no dictionary %s\n", dctName.c_str());
    return 1;
  }
  SuggestionQuality(dict, VX_SPELL_BENCH_MISSPELLINGS);
  if (!documents.empty()) DocumentFlags(dict, documents);

  // The word list's plain ASCII words, the same for both checkers.
  std::vector<std::string> pool;
  std::set<std::string> known;
  for (const std::string& w : WordList(listName)) {
    bool plain = w.size() >= 2 && std::all_of(w.begin(), w.end(), [](char c) {
                   return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
                 });
    std::string lower = w;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    known.insert(lower);
    if (plain) pool.push_back(w);
  }
  if (pool.empty()) {
    std::printf("spell_bench: cannot read the word list %s\n", listName.c_str());
    return 1;
  }
  TText t = MakeText(pool, known, totalWords);
  std::string textName = "spell_bench_text.txt", missName = "spell_bench_misspelt.txt";
  std::ofstream(textName, std::ios::binary) << t.text;
  std::printf("Speed (%s): %d words, %zu with transposed letters\n", where, t.words, t.misspelt.size());
  std::printf(
      "  The text is drawn from the word list ENGLISH.DCT is built from, so every correct word of it\n"
      "  is in ours; hunspell's en_US lacks some, and counts them as misspelt too. Both are timed\n"
      "  as the median of %d runs of the wall clock: ours in-process (scanning and lookups),\n"
      "  hunspell as a process less the median of %d runs on an empty text (its start-up and\n"
      "  dictionary loading).\n",
      kRounds, kRounds);
  // ---- check throughput: every misspelt word found, no dialog
  std::vector<double> checkTimes;
  int oursMisspelt = 0, scanned = 0;
  int64_t readsBefore = static_cast<TDCTFile*>(dict.MainFiles().Head())->PageReads();
  for (int run = 0; run < kRounds; ++run) {
    auto a = std::chrono::steady_clock::now();
    TPCharBuffer source(t.text.c_str());
    int found = 0, n = 0;
    for (AnsiString w = source.NextWord(); !w.empty(); w = source.NextWord()) {
      ++n;
      if (w.size() > 1 && !source.AllDigits() && !dict.Contains(w)) ++found;
    }
    auto b = std::chrono::steady_clock::now();
    checkTimes.push_back(Seconds(a, b));
    oursMisspelt = found;
    scanned = n;
  }
  double best = Median(checkTimes);
  double oursRate = scanned / best;
  std::printf("  ours:     %d words checked in %.3f s = %.0f words/s, %d misspelt, %.2f page reads a word\n", scanned,
              best, oursRate, oursMisspelt,
              double(static_cast<TDCTFile*>(dict.MainFiles().Head())->PageReads() - readsBefore) / (double(kRounds) * scanned));

  std::ofstream(missName, std::ios::binary) << "";
  THunspellRun empty = RunHunspellMedian("-d en_US -l", missName);
  THunspellRun hcheck = RunHunspellMedian("-d en_US -l", textName);
  double hunRate = 0;
  if (hcheck.seconds > 0) {
    double net = hcheck.seconds - std::max(0.0, empty.seconds);
    hunRate = t.words / net;
    std::printf("  hunspell: %d words checked in %.3f s (%.3f s start-up left out) = %.0f words/s, %zu misspelt\n",
                t.words, net, empty.seconds, hunRate, Lines(hcheck.output).size());
    std::printf("  check throughput: ours %s is %.1f times hunspell's native figure\n", where, oursRate / hunRate);
  } else {
    std::printf("  hunspell: could not be run\n");
  }

  // ---- suggestions for 200 misspelt words
  std::vector<std::pair<std::string, std::string>> sample;
  std::set<std::string> seen;
  for (auto& m : t.misspelt)
    if (sample.size() < static_cast<size_t>(suggestWords) && seen.insert(m.first).second) sample.push_back(m);
  std::string missText;
  for (auto& m : sample) missText += m.first + "\n";
  std::ofstream(missName, std::ios::binary) << missText;

  int oursHits = 0;
  std::vector<std::vector<std::string>> oursLists;
  std::vector<double> suggestTimes;
  for (int run = 0; run < kRounds; ++run) {
    oursLists.clear();
    auto a = std::chrono::steady_clock::now();
    for (auto& m : sample) {
      auto list = dict.Suggest(AnsiToOemWord(m.first), 10);
      std::vector<std::string> v;
      for (int i = 0; i < list->Count(); ++i) v.push_back(list->Strings(i));
      oursLists.push_back(v);
    }
    suggestTimes.push_back(Seconds(a, std::chrono::steady_clock::now()));
  }
  double oursSeconds = Median(suggestTimes);
  for (size_t i = 0; i < sample.size(); ++i) oursHits += InFirstFive(oursLists[i], sample[i].second);
  double oursPerWord = oursSeconds / sample.size() * 1000;
  std::printf(
      "  ours:     suggestions for %zu words in %.3f s = %.2f ms a word; intended word in the first 5: %d "
      "(%.0f %%)\n",
      sample.size(), oursSeconds, oursPerWord, oursHits, 100.0 * oursHits / sample.size());

  THunspellRun hsug = RunHunspellMedian("-d en_US -a", missName);
  if (hsug.seconds > 0) {
    double net = hsug.seconds - std::max(0.0, empty.seconds);
    double perWord = net / sample.size() * 1000;
    auto lists = HunspellLists(hsug.output, sample.size());
    int hits = 0;
    for (size_t k = 0; k < sample.size(); ++k) hits += InFirstFive(lists[k], sample[k].second);
    std::printf(
        "  hunspell: suggestions for %zu words in %.3f s = %.2f ms a word; intended word in the first 5: %d "
        "(%.0f %%)\n",
        sample.size(), net, perWord, hits, 100.0 * hits / sample.size());
    std::printf("  suggestions: ours %s are %.1f times faster a word than hunspell's native figure\n", where,
                perWord / oursPerWord);
    // The two searches do not find the same: the figure compares a cheaper search with a
    // more thorough one.
    std::printf(
        "    but they find different things: ours puts the intended word in the first 5 for %.0f %% of\n"
        "    these words, hunspell for %.0f %%; the figure is not one search done faster\n",
        100.0 * oursHits / sample.size(), 100.0 * hits / sample.size());
  }
  std::remove(textName.c_str());
  std::remove(missName.c_str());
  return 0;
}
