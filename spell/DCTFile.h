// One open main dictionary file: a letter trie in pages of cells (format in DctFormat.h),
// read through a cache of one page and never written.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/Exceptions.h"
#include "spell/DctFormat.h"
#include "spell/LinkedList.h"

namespace vx {

class TReadOnlyFile;

VX_EXCEPTION(TEDictionaryCorrupt, Exception);

using dct::ChildIndex;
using dct::IsEndOfWord;
using dct::IsLastSibling;

class TDCTFile : public TLinkedListNode {
 public:
  // Opens the file: EFOpenError "Dictionary not found : <name>" when it does not exist,
  // TEDictionaryCorrupt "Dictionary Corrupt." for a foreign signature, EInOutError when
  // it cannot be read.
  explicit TDCTFile(const AnsiString& fileName);
  ~TDCTFile() override;
  const char* ClassName() const override { return "TDCTFile"; }

  void Open();
  bool CheckSignature() const;
  void ReadPage(int32_t page);
  // The value of cell i (from 1). Cell 0 and cells past the end of the file read as an
  // empty last sibling, so a damaged file ends every scan instead of running away.
  uint32_t GetCell(uint32_t i);
  // From cell i on: the first cell with this letter, or the first last sibling.
  uint32_t FindSibling(uint32_t i, uint8_t letter);
  // Looks the word up as it stands (bytes, no case folding), cut to 50 characters.
  bool Contains(const AnsiString& word);
  void Close();

  const AnsiString& FileName() const { return fileName_; }
  int32_t FileSize() const { return fileSize_; }
  const uint8_t* Header() const { return header_; }
  int32_t CachedPage() const { return cachedPage_; }
  // Cells that lie wholly inside the file.
  uint32_t CellCount() const { return cellCount_; }
  // Pages read since the file was opened (for the benchmark and tests).
  int64_t PageReads() const { return pageReads_; }

 private:
  std::unique_ptr<TReadOnlyFile> file_;
  AnsiString fileName_;
  int32_t fileSize_ = 0;
  uint8_t header_[dct::kHeaderSize] = {};
  int32_t cachedPage_ = -1;
  std::unique_ptr<uint8_t[]> page_;
  uint32_t cellCount_ = 0;
  int64_t pageReads_ = 0;
};

}  // namespace vx
