#include "tageditor/TagEdRules.h"

#include "framework/core/SysUtils.h"

namespace vx {

AnsiString DefaultEndTag(const AnsiString& tagName) { return "/" + tagName; }

std::unique_ptr<THTMLTagDef> MakeNewTag(const AnsiString& name) {
  auto tag = std::make_unique<THTMLTagDef>();
  tag->SetName(name);
  tag->SetEndTag(DefaultEndTag(name));
  tag->SetKind(tkHasEndTag);
  tag->SetGroupIndex(0);
  return tag;
}

std::unique_ptr<THTMLTagDef> MakeCopiedTag(const AnsiString& name, const THTMLTagDef& source,
                                           const std::vector<const THTMLAttribDef*>& attribs) {
  auto tag = std::make_unique<THTMLTagDef>();
  tag->SetName(name);
  tag->SetEndTag(DefaultEndTag(name));
  tag->SetKind(source.Kind());
  tag->SetDescription(source.Description());
  tag->SetGroupIndex(source.GroupIndex());
  tag->SetBrowsers(source.Browsers());
  for (const THTMLAttribDef* a : attribs) {
    auto* copy = new THTMLAttribDef;
    copy->Assign(*a);
    tag->Attribs().AddObject(copy->Name(), copy);
  }
  return tag;
}

AnsiString SortPickList(const AnsiString& text) {
  TStringList lines;
  lines.SetText(AnsiUpperCase(text));
  lines.Sort();
  AnsiString out;
  for (int i = 0; i < lines.Count(); ++i) {
    if (i) out += "\r\n";
    out += lines[i];
  }
  return out;
}

AnsiString EscapeSampleText(const AnsiString& text) {
  AnsiString out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else
      out += c;
  }
  return out;
}

bool IsSampleTagWord(const AnsiString& word) {
  static const char kTagWords[] = "|<B|<I|<CODE|<P|<BR|<SUP|<SUB|";
  AnsiString key(1, '|');
  key += AnsiUpperCase(word);
  key += '|';
  return Pos(key, kTagWords) > 0;
}

AnsiString FormatKilobytes(uint64_t bytes, char thousandsSeparator) {
  AnsiString digits = std::to_string(bytes / 1024);
  AnsiString out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i && (digits.size() - i) % 3 == 0 && thousandsSeparator) out += thousandsSeparator;
    out += digits[i];
  }
  return out + " KB";
}

}  // namespace vx
