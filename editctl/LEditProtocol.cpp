#include "editctl/LEditProtocol.h"

#include <algorithm>

#include "framework/core/SysUtils.h"

namespace vx {

AnsiString NormalizeDefaultExt(const AnsiString& ext) {
  AnsiString e = UpperCase(ext);
  if (e.size() > 3) e.resize(3);
  return e.empty() ? AnsiString("TXT") : e;
}

AnsiString FileMaskToSlashForm(const AnsiString& barForm, const AnsiString& defaultExt) {
  AnsiString out = defaultExt + "/";
  size_t start = 0;
  for (;;) {
    size_t bar = barForm.find('|', start);
    out += barForm.substr(start, bar == AnsiString::npos ? AnsiString::npos : bar - start);
    out += "/";
    if (bar == AnsiString::npos) break;
    start = bar + 1;
  }
  return out;
}

AnsiString FileMaskFromSlashForm(const AnsiString& slashForm) {
  size_t first = slashForm.find('/');
  if (first == AnsiString::npos) return slashForm;
  AnsiString rest = slashForm.substr(first + 1);
  // The last "/" ends the last item; what follows it (normally nothing) is kept as is.
  AnsiString out;
  size_t start = 0;
  for (;;) {
    size_t slash = rest.find('/', start);
    if (slash == AnsiString::npos) {
      if (start < rest.size()) {
        if (!out.empty()) out += "|";
        out += rest.substr(start);
      }
      break;
    }
    if (!out.empty()) out += "|";
    out += rest.substr(start, slash - start);
    start = slash + 1;
  }
  return out;
}

std::vector<TSyntaxPair> BuildSyntaxTable(const AnsiString& s) {
  std::vector<TSyntaxPair> t;
  const auto u = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  size_t i = 0, n = s.size();
  while (i < n && t.size() < 254) {
    char c = s[i];
    if (c == '0') {
      t.push_back({1, 1});
      i += 1;
    } else if (c == '1' || c == '3' || c == '4') {
      if (i + 1 >= n) break;
      unsigned char second = c == '1' ? 0 : c == '3' ? 3 : 4;
      t.push_back({u(i + 1), second});
      i += 2;
    } else if (c == '2') {
      if (i + 2 >= n) break;
      t.push_back({u(i + 1), u(i + 2)});
      i += 3;
    } else {
      i += 1;
    }
  }
  return t;
}

void ClampPrintMargins(int v, int lineHeight, int16_t& header, int16_t& footer) {
  if (header < 0) header = 0;
  if (footer < 0) footer = 0;
  // At least one line of text must fit, or the window would print empty pages forever.
  int room = v - std::max(lineHeight, 1);
  if (room <= 0) {
    header = footer = 0;
    return;
  }
  if (header >= room) {
    header = static_cast<int16_t>(room);
    footer = 0;
  } else if (footer >= room) {
    header = 0;
    footer = static_cast<int16_t>(room);
  } else if (header + footer > room) {
    footer = static_cast<int16_t>(room - header);
  }
}

}  // namespace vx
