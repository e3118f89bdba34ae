// Files for the spell checker's native tests: dictionaries made cell by cell or from
// words, in a scratch folder of their own.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/core/tests/TestFiles.h"
#include "spell/DctFormat.h"

namespace vx::spelltest {

// A folder of its own for each test program run, emptied at the start.
inline std::string ScratchDir() {
  static std::string dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("vx_spell_tests_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    return d.string();
  }();
  return dir;
}

inline std::string Path(const std::string& leaf) { return ScratchDir() + "/" + leaf; }

inline std::string Header() {
  std::string h(dct::kHeaderSize, '\0');
  h.replace(0, dct::kSignatureTextSize, dct::kSignatureText);
  return h;
}

// A file with these cells (cell 1 first).
inline std::string DctBytes(const std::vector<uint32_t>& cells) {
  std::string b = Header();
  for (uint32_t c : cells)
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<char>((c >> (8 * k)) & 0xFF));
  return b;
}

using dct::MakeCell;

}  // namespace vx::spelltest
