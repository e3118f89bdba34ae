// Whole files and fresh folders for the tests, the same natively and under Wine.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "framework/core/SysUtils.h"

namespace vx {

// The file's bytes; empty when it cannot be read.
inline std::string Slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The bytes as the whole file.
inline void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// An empty folder at path: what an earlier run left there is removed, read-only parts
// included.
inline std::string FreshDir(const std::string& path) {
  std::error_code ec;
  std::filesystem::permissions(path, std::filesystem::perms::all, ec);
  std::filesystem::remove_all(path, ec);
  std::filesystem::create_directories(path, ec);
  return path;
}

// An empty folder of that name under the current folder, with its trailing separator.
inline AnsiString FreshFolder(const char* name) {
  return IncludeTrailingBackslash(FreshDir(IncludeTrailingBackslash(GetCurrentDir()) + name));
}

}  // namespace vx
