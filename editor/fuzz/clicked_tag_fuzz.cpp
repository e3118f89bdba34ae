// A click on a tag name in any text: the scanner finds where the tag's attribute text ends,
// as the document window reads it, and the attribute editor's parser reads that text and
// writes it back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/TagText.h"
#include "tagdefs/ParAttribs.h"

using namespace vx;

namespace {

const THTMLTagDef& ImgTag() {
  static THTMLTagDef tag;
  if (tag.Attribs().Count() == 0) {
    tag.SetName("IMG");
    for (const char* name : {"SRC", "WIDTH", "ISMAP", "ALT"}) {
      auto* a = new THTMLAttribDef;
      a->SetName(name);
      a->SetIsFlag(std::string(name) == "ISMAP");
      tag.Attribs().AddObject(name, a);
    }
  }
  return tag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  // The first byte is where the tag name ends on the first line.
  size_t startPos = data[0];
  std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::vector<std::string> lines;
  for (size_t at = 0;;) {
    size_t br = text.find('\n', at);
    lines.push_back(text.substr(at, br == std::string::npos ? std::string::npos : br - at));
    if (br == std::string::npos) break;
    at = br + 1;
  }
  if (startPos > lines[0].size()) startPos = lines[0].size();
  TTagEndScanner scan;
  size_t endLine = 0, endPos = lines[0].size(), at = 0;
  TTagEndScanner::TResult r = scan.Feed(lines[0], startPos, at);
  if (r != TTagEndScanner::trNone) {
    endPos = at;
  } else {
    for (size_t l = 1; l < lines.size(); ++l) {
      r = scan.Feed(lines[l], 0, at);
      if (r == TTagEndScanner::trNone) continue;
      if (r == TTagEndScanner::trClose) {
        endLine = l;
        endPos = at;
      }
      break;
    }
  }
  if (endPos > lines[endLine].size() || (endLine == 0 && endPos < startPos)) std::abort();
  std::string rest = lines[0].substr(startPos, endLine == 0 ? endPos - startPos : std::string::npos);
  for (size_t l = 1; l <= endLine; ++l) rest += "\r\n" + lines[l].substr(0, l == endLine ? endPos : std::string::npos);
  TParAttributes attrs;
  attrs.LoadTag(ImgTag());
  attrs.ParseAttributes(rest);
  std::string built = attrs.BuildAttributes();
  // The editor writes this after the tag's name: nothing, or text after a blank.
  if (!built.empty() && built[0] != ' ') std::abort();
  TParAttributes again;
  again.LoadTag(ImgTag());
  again.ParseAttributes(built);
  return 0;
}
