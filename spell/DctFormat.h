// The main dictionary file, byte by byte: shared by the reader (TDCTFile) and the builder
// in tools/, so that both always agree on the signature and the cell layout.
//
// 83-byte header (50-byte signature, 33 bytes the reader never interprets), then pages of
// 128 little-endian 32-bit cells. Cells are numbered from 1; the root sibling list starts
// at cell 1. A cell holds its letter in bits 24-31, "last sibling" in bit 23, "end of
// word" in bit 22 and the number of its first child in bits 0-21 (0: no children).
#pragma once

#include <cstdint>

namespace vx::dct {

constexpr int kSignatureSize = 50;
constexpr int kSignatureTextSize = 43;
// 43 bytes of text; the seven bytes after it up to kSignatureSize are zero.
constexpr char kSignatureText[kSignatureTextSize + 1] = "Vornix Spell Checker Main Dictionary v1.0\r\n";
static_assert(sizeof(kSignatureText) == kSignatureTextSize + 1, "the signature text is 43 bytes");

constexpr int kHeaderSize = 83;
constexpr int kPageSize = 512;
constexpr int kCellsPerPage = kPageSize / 4;

constexpr uint32_t kLastSibling = 1u << 23;
constexpr uint32_t kEndOfWord = 1u << 22;
constexpr uint32_t kChildMask = (1u << 22) - 1;
// Child numbers have 22 bits, so a file holds fewer cells than this.
constexpr uint32_t kCellLimit = 1u << 22;

// Words are at most this many characters wherever the spell checker takes one.
constexpr int kMaxWordLength = 50;

constexpr uint8_t CellLetter(uint32_t cell) { return static_cast<uint8_t>(cell >> 24); }
constexpr bool IsLastSibling(uint32_t cell) { return (cell & kLastSibling) != 0; }
constexpr bool IsEndOfWord(uint32_t cell) { return (cell & kEndOfWord) != 0; }
constexpr uint32_t ChildIndex(uint32_t cell) { return cell & kChildMask; }
constexpr uint32_t MakeCell(uint8_t letter, bool last, bool endOfWord, uint32_t child) {
  return (uint32_t{letter} << 24) | (last ? kLastSibling : 0) | (endOfWord ? kEndOfWord : 0) | (child & kChildMask);
}
// File offset of cell i (from 1).
constexpr int64_t CellOffset(uint32_t i) { return kHeaderSize + 4 * (int64_t{i} - 1); }

}  // namespace vx::dct
