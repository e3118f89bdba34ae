#include "tagdefs/ParHelp.h"

#include <cctype>
#include <cstring>

#include "framework/core/SysUtils.h"

namespace vx {

TParHelpView::TParHelpView(TComponent* owner) : TMemo(owner) {
  SetReadOnly(true);
  SetScrollBars(ssVertical);
  SetWordWrap(true);
  SetColor(clWindow);
}

namespace {

// The value of NAME= in a tag's text, "" when none.
AnsiString AnchorName(const AnsiString& tag) {
  AnsiString up = UpperCase(tag);
  size_t p = up.find("NAME");
  if (up.rfind("A", 0) != 0 || p == AnsiString::npos) return {};
  p = tag.find('=', p);
  if (p == AnsiString::npos) return {};
  ++p;
  while (p < tag.size() && tag[p] == ' ') ++p;
  AnsiString v;
  char q = p < tag.size() && (tag[p] == '"' || tag[p] == '\'') ? tag[p++] : 0;
  while (p < tag.size() && (q ? tag[p] != q : tag[p] != ' ')) v += tag[p++];
  return v;
}

}  // namespace

void TParHelpView::LoadFromString(const AnsiString& html) {
  anchors_.clear();
  std::vector<AnsiString> lines(1);
  auto newLine = [&] {
    if (!lines.back().empty()) lines.emplace_back();
  };
  for (size_t i = 0; i < html.size(); ++i) {
    char c = html[i];
    if (c == '<') {
      size_t e = html.find('>', i);
      if (e == AnsiString::npos) break;
      AnsiString tag = Trim(html.substr(i + 1, e - i - 1));
      AnsiString name = UpperCase(tag.substr(0, tag.find_first_of(" \t")));
      if (name == "P" || name == "BR" || name == "H5" || name == "/H5" || name == "LI") newLine();
      AnsiString anchor = AnchorName(tag);
      if (!anchor.empty()) {
        newLine();
        anchors_.emplace_back(anchor, static_cast<int>(lines.size()) - 1);
      }
      i = e;
      continue;
    }
    if (c == '\r' || c == '\n') c = ' ';
    if (c == '&') {
      static const std::pair<const char*, char> ents[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
      bool done = false;
      for (auto& en : ents)
        if (html.compare(i, std::strlen(en.first), en.first) == 0) {
          lines.back() += en.second;
          i += std::strlen(en.first) - 1;
          done = true;
          break;
        }
      if (done) continue;
    }
    if (c == ' ' && (lines.back().empty() || lines.back().back() == ' ')) continue;
    lines.back() += c;
  }
  AnsiString text;
  std::vector<int> starts;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    starts.push_back(static_cast<int>(text.size()));
    text += lines[i];
  }
  for (auto& a : anchors_) a.second = starts[static_cast<size_t>(a.second)];
  SetText(text);
}

bool TParHelpView::PositionTo(const AnsiString& dest) {
  AnsiString name = !dest.empty() && dest[0] == '#' ? dest.substr(1) : dest;
  for (auto& a : anchors_)
    if (CompareText(a.first, name) == 0) {
      if (HandleAllocated()) {
        // Lines as shown: a wrapped paragraph takes several.
        int line = static_cast<int>(SendMessageA(Handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(a.second), 0));
        int top = static_cast<int>(SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        SendMessageA(Handle(), EM_LINESCROLL, 0, line - top);
      }
      return true;
    }
  return false;
}

int TParHelpView::TopLine() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)) : 0;
}

}  // namespace vx
