// The main dictionary file on hand-built bytes: pages, sibling scans, signatures and the
// damaged files a reader must survive.
#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"
#include "spell/DCTFile.h"
#include "spell/tests/SpellTestFiles.h"

namespace vx {
namespace {

using namespace spelltest;

// Counts its own destruction, to see the list free what it owns.
struct CountedNode : TLinkedListNode {
  explicit CountedNode(int* freed) : freed_(freed) {}
  ~CountedNode() override { ++*freed_; }
  int* freed_;
};

TEST(LinkedList, OrderRemovalAndOwnership) {
  int freed = 0;
  auto* list = new TLinkedList;
  auto *a = new CountedNode(&freed), *b = new CountedNode(&freed), *c = new CountedNode(&freed),
       *d = new CountedNode(&freed);
  list->Append(b);
  list->Prepend(a);
  list->Append(nullptr);
  list->InsertBefore(nullptr, d);  // nil: a prepend
  list->InsertBefore(b, c);        // d a c b
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(list->Head(), d);
  EXPECT_EQ(list->Tail(), b);
  EXPECT_EQ(list->FindPrevious(c), a);
  EXPECT_EQ(list->FindPrevious(d), nullptr);
  CountedNode stranger(&freed);
  EXPECT_EQ(list->FindPrevious(&stranger), nullptr);
  list->Remove(&stranger);  // left alone
  list->Delete(&stranger);  // neither unlinked nor freed: not the list's to free
  EXPECT_EQ(list->Count(), 4);
  EXPECT_EQ(freed, 0);
  list->Remove(b);  // the tail moves back
  EXPECT_EQ(list->Tail(), c);
  EXPECT_EQ(c->Next(), nullptr);
  list->Append(b);
  list->Delete(d);  // the head moves on, and d is freed
  EXPECT_EQ(freed, 1);
  EXPECT_EQ(list->Head(), a);
  EXPECT_EQ(list->Count(), 3);
  delete list;
  EXPECT_EQ(freed, 4);
}

TEST(DCTFile, LookupFollowsTheTrie) {
  // a (word) -> { n, t (last) }; "an" is a word only when its cell says so.
  std::string name = Path("small.dct");
  WriteBytes(name,
             DctBytes({MakeCell('a', true, true, 2), MakeCell('n', false, true, 0), MakeCell('t', true, false, 0)}));
  TDCTFile f(name);
  EXPECT_TRUE(f.Contains("a"));
  EXPECT_TRUE(f.Contains("an"));
  EXPECT_FALSE(f.Contains("at"));  // a prefix without the end-of-word flag
  EXPECT_FALSE(f.Contains("ax"));  // the scan stops at the last sibling t
  EXPECT_FALSE(f.Contains("ant"));
  EXPECT_FALSE(f.Contains(""));
  EXPECT_FALSE(f.Contains("A"));  // no case folding at this level
  EXPECT_EQ(f.FileSize(), 83 + 12);
  EXPECT_EQ(f.CellCount(), 3u);
}

TEST(DCTFile, SiblingsInFileOrderAndNothingAfterTheLast) {
  std::string name = Path("unsorted.dct");
  // z, b, q(last), then m, which belongs to no list.
  WriteBytes(name, DctBytes({MakeCell('z', false, true, 0), MakeCell('b', false, true, 0), MakeCell('q', true, true, 0),
                             MakeCell('m', true, true, 0)}));
  TDCTFile f(name);
  EXPECT_TRUE(f.Contains("z"));
  EXPECT_TRUE(f.Contains("b"));
  EXPECT_TRUE(f.Contains("q"));
  EXPECT_FALSE(f.Contains("m"));
  EXPECT_EQ(dct::CellLetter(f.FindSibling(1, 'b')), 'b');
  EXPECT_EQ(dct::CellLetter(f.FindSibling(1, 'm')), 'q');  // the last sibling comes back instead
}

TEST(DCTFile, CellsAcrossThePageBoundary) {
  // A root list of 129 letters: 1..128 fill page 0, the 129th is alone in page 1.
  std::vector<uint32_t> cells;
  for (int i = 1; i <= 129; ++i) cells.push_back(MakeCell(static_cast<uint8_t>(i + 100), i == 129, true, 0));
  std::string name = Path("pages.dct");
  std::string bytes = DctBytes(cells);
  WriteBytes(name, bytes);
  TDCTFile f(name);
  EXPECT_EQ(f.CachedPage(), 0);
  EXPECT_EQ(f.GetCell(128), cells[127]);
  EXPECT_EQ(f.CachedPage(), 0);
  EXPECT_EQ(f.GetCell(129), cells[128]);
  EXPECT_EQ(f.CachedPage(), 1);
  // Cell 129 is the first four bytes of page 1, at 83 + 512.
  uint32_t atOffset = 0;
  for (int k = 3; k >= 0; --k) atOffset = (atOffset << 8) | static_cast<uint8_t>(bytes[83 + 512 + k]);
  EXPECT_EQ(atOffset, cells[128]);
  EXPECT_TRUE(f.Contains(std::string(1, static_cast<char>(228))));
  EXPECT_TRUE(f.Contains(std::string(1, static_cast<char>(229))));
}

TEST(DCTFile, SixtyCharactersAreLookedUpAsFifty) {
  std::vector<uint32_t> cells;
  for (int i = 1; i <= 50; ++i) cells.push_back(MakeCell('x', true, i == 50, i < 50 ? i + 1 : 0));
  std::string name = Path("long.dct");
  WriteBytes(name, DctBytes(cells));
  TDCTFile f(name);
  EXPECT_TRUE(f.Contains(std::string(50, 'x')));
  EXPECT_TRUE(f.Contains(std::string(50, 'x') + "yyyyyyyyyy"));
  EXPECT_FALSE(f.Contains(std::string(49, 'x')));
}

TEST(DCTFile, SignatureAndFailures) {
  std::string good = DctBytes({MakeCell('a', true, true, 0)});
  std::string name = Path("sig.dct");
  // Bytes 50 to 82 may hold anything.
  std::string any = good;
  for (int i = 50; i < 83; ++i) any[i] = static_cast<char>(i * 7);
  WriteBytes(name, any);
  EXPECT_TRUE(TDCTFile(name).Contains("a"));
  // Any of the first 50 bytes, the seven zeros after the text included, rejects the file.
  for (int i = 0; i < 50; ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x20);
    WriteBytes(name, bad);
    try {
      TDCTFile f(name);
      ADD_FAILURE() << "byte " << i << " changed, file accepted";
    } catch (const TEDictionaryCorrupt& e) {
      EXPECT_EQ(e.Message(), "Dictionary Corrupt.");
    }
  }
  std::string missing = Path("missing.dct");
  try {
    TDCTFile f(missing);
    ADD_FAILURE();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Dictionary not found : " + missing);
  }
  WriteBytes(name, good.substr(0, 60));  // shorter than the header
  try {
    TDCTFile f(name);
    ADD_FAILURE();
  } catch (const EInOutError& e) {
    // The user is told which file is short, not only that something was.
    EXPECT_EQ(e.Message(), "Read beyond end of file - " + name);
  }
}

TEST(DCTFile, DamagedFilesEndEveryScan) {
  std::string name = Path("damaged.dct");
  // A root list that never sets the last-sibling flag and stops mid-page after page 0 was
  // full of other letters: the stale page must not be read again as page 1.
  std::vector<uint32_t> cells(128, MakeCell('b', false, true, 0));
  cells.push_back(MakeCell('c', false, true, 0));
  WriteBytes(name, DctBytes(cells) + "\x01\x02");  // and a torn cell at the very end
  TDCTFile f(name);
  EXPECT_TRUE(f.Contains("c"));
  EXPECT_FALSE(f.Contains("q"));
  EXPECT_EQ(f.GetCell(130), dct::kLastSibling);
  EXPECT_EQ(f.GetCell(0), dct::kLastSibling);  // the header is not a cell
  EXPECT_EQ(f.GetCell(4000000), dct::kLastSibling);
  // A child that points back at its own list: lookups are bounded by the word.
  name = Path("cyclic.dct");
  WriteBytes(name, DctBytes({MakeCell('a', true, true, 1)}));
  TDCTFile cyclic(name);
  EXPECT_TRUE(cyclic.Contains(std::string(70, 'a')));
  EXPECT_FALSE(cyclic.Contains("ab"));
  // A child beyond the end of the file.
  name = Path("beyond.dct");
  WriteBytes(name, DctBytes({MakeCell('a', true, false, 3000)}));
  TDCTFile beyond(name);
  EXPECT_FALSE(beyond.Contains("ab"));
}

}  // namespace
}  // namespace vx
