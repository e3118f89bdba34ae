#include "spell/DCTFile.h"

#include <cstring>

#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "spell/SpellPlatform.h"

namespace vx {

TDCTFile::TDCTFile(const AnsiString& fileName) : fileName_(fileName) {
  if (!FileExists(fileName)) throw EFOpenError("Dictionary not found : " + fileName);
  page_ = std::make_unique<uint8_t[]>(dct::kPageSize);
  Open();
}

TDCTFile::~TDCTFile() { Close(); }

void TDCTFile::Open() {
  file_ = OpenReadOnlyFile(fileName_);
  if (!file_) throw EInOutError(FileErrorText("File access denied", fileName_));
  int64_t size = file_->Size();
  fileSize_ = size > INT32_MAX ? INT32_MAX : static_cast<int32_t>(size);
  if (file_->ReadAt(0, header_, dct::kHeaderSize) != dct::kHeaderSize) {
    Close();
    throw EInOutError(FileErrorText("Read beyond end of file", fileName_));
  }
  if (!CheckSignature()) {
    Close();
    throw TEDictionaryCorrupt("Dictionary Corrupt.");
  }
  int64_t cells = (size - dct::kHeaderSize) / 4;
  cellCount_ = cells >= dct::kCellLimit ? dct::kCellLimit - 1 : static_cast<uint32_t>(cells);
  if (!page_) page_ = std::make_unique<uint8_t[]>(dct::kPageSize);
  ReadPage(0);
}

bool TDCTFile::CheckSignature() const {
  uint8_t expected[dct::kSignatureSize] = {};
  std::memcpy(expected, dct::kSignatureText, dct::kSignatureTextSize);
  return std::memcmp(header_, expected, dct::kSignatureSize) == 0;
}

void TDCTFile::ReadPage(int32_t page) {
  cachedPage_ = page;
  ++pageReads_;
  int got = file_ ? file_->ReadAt(dct::kHeaderSize + int64_t{dct::kPageSize} * page, page_.get(), dct::kPageSize) : 0;
  // The last page is short: the rest must not keep another page's cells.
  if (got < dct::kPageSize) std::memset(page_.get() + got, 0, static_cast<size_t>(dct::kPageSize - got));
}

uint32_t TDCTFile::GetCell(uint32_t i) {
  if (i == 0 || i > cellCount_ || !page_) return dct::kLastSibling;
  int32_t page = static_cast<int32_t>((i - 1) / dct::kCellsPerPage);
  if (page != cachedPage_) ReadPage(page);
  const uint8_t* p = page_.get() + 4 * ((i - 1) % dct::kCellsPerPage);
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

uint32_t TDCTFile::FindSibling(uint32_t i, uint8_t letter) {
  for (;; ++i) {
    uint32_t cell = GetCell(i);
    if (dct::CellLetter(cell) == letter || IsLastSibling(cell)) return cell;
  }
}

bool TDCTFile::Contains(const AnsiString& word) {
  size_t n = word.size() < dct::kMaxWordLength ? word.size() : dct::kMaxWordLength;
  uint32_t node = 1;
  for (size_t k = 0; k < n && node != 0; ++k) {
    uint8_t ch = static_cast<uint8_t>(word[k]);
    uint32_t cell = FindSibling(node, ch);
    if (dct::CellLetter(cell) != ch) return false;
    if (k + 1 == n) return IsEndOfWord(cell);
    node = ChildIndex(cell);
  }
  return false;
}

void TDCTFile::Close() {
  file_.reset();
  page_.reset();
  cachedPage_ = -1;
}

}  // namespace vx
