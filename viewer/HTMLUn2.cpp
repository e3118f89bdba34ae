#include "viewer/HTMLUn2.h"

#include <climits>

#include "framework/core/SysUtils.h"

namespace vx {

void TClipBuffer::AddText(const char* s, int n) {
  for (int i = 0; i < n; ++i)
    if (s[i] != 2 && s[i] != 4 && s[i] != 0) text_ += s[i];
}

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long q = p / c, r = p % c;
  // Round half away from zero.
  long long twice = (r < 0 ? -r : r) * 2;
  long long ac = c < 0 ? -static_cast<long long>(c) : c;
  if (twice >= ac) q += ((p < 0) != (c < 0)) ? -1 : 1;
  if (q > INT_MAX || q < INT_MIN) return -1;
  return static_cast<int>(q);
}

std::string ReplaceChar(const std::string& s, char from, char to) {
  std::string r = s;
  for (char& ch : r)
    if (ch == from) ch = to;
  return r;
}

std::string TrimControlChars(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

static unsigned char Upper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0x9A || c == 0x9C || c == 0x9E) return c - 16;
  if (c == 0xFF) return 0x9F;
  return c;
}

static unsigned char Lower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x8A || c == 0x8C || c == 0x8E) return c + 16;
  if (c == 0x9F) return 0xFF;
  return c;
}

std::string HtUpperCase(const std::string& s) {
  std::string r = s;
  for (char& ch : r) ch = static_cast<char>(Upper1252(static_cast<unsigned char>(ch)));
  return r;
}

std::string HtLowerCase(const std::string& s) {
  std::string r = s;
  for (char& ch : r) ch = static_cast<char>(Lower1252(static_cast<unsigned char>(ch)));
  return r;
}

std::string UrlToDosPath(const std::string& s) {
  if (s.find('/') == std::string::npos) return s;
  std::string r = HtLowerCase(s);
  if (r.compare(0, 8, "file:///") == 0)
    r.erase(0, 8);
  else if (r.compare(0, 7, "file://") == 0)
    r.erase(0, 7);
  r = ReplaceChar(r, '|', ':');
  return ReplaceChar(r, '/', '\\');
}

bool SourcePath(const std::string& name, const std::string& base, std::string& path) {
  path = UrlToDosPath(TrimControlChars(name));
  if (path.size() >= 2 && path[1] == ':') return false;
  if (HtUpperCase(base) == "DOSPATH") return false;
  // Rooted or UNC: nothing to add.
  return path.empty() || (path[0] != '\\' && path[0] != '/');
}

std::string SourceFolder(const std::string& base, const std::string& file) {
  std::string folder = !base.empty() ? UrlToDosPath(base) : ExtractFilePath(file);
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/' && folder.back() != ':') folder += '\\';
  return folder;
}

std::string ExpandSourceAgainst(const std::string& name, const std::string& base, const std::string& file) {
  std::string path;
  return SourcePath(name, base, path) ? SourceFolder(base, file) + path : path;
}

}  // namespace vx
