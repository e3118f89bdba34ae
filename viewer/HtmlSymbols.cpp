// The fixed vocabulary of the HTML reader: tag, attribute, entity and colour names.
#include "viewer/HtmlSymbols.h"

#include <cstring>
#include <string>
#include <unordered_map>

namespace vx {

namespace {

// clang-format off
const char* const kTagNames[TagCount] = {
    "HTML",    "TITLE",   "BODY",     "HEAD",       "B",       "I",        "H",
    "EM",      "STRONG",  "U",        "CITE",       "VAR",     "TT",       "CODE",
    "KBD",     "SAMP",    "OL",       "UL",         "DIR",     "MENU",     "DL",
    "A",       "ADDRESS", "BLOCKQUOTE", "PRE",      "CENTER",  "TABLE",    "TD",
    "TH",      "CAPTION", "FORM",     "TEXTAREA",   "SELECT",  "OPTION",   "FONT",
    "SUB",     "SUP",     "BIG",      "SMALL",      "P",       "MAP",      "FRAMESET",
    "NOFRAMES", "LI",     "BR",       "HR",         "DD",      "DT",       "IMG",
    "BASE",    "TR",      "BUTTON",   "INPUT",      "SELECTED", "BASEFONT", "AREA",
    "FRAME",   "PAGE"};

struct AttrName {
  const char* name;
  THtmlSymbol sym;
};

const AttrName kAttributeNames[AttributeNameCount] = {
    {"HREF", HrefAttr},           {"NAME", NameAttr},
    {"SRC", SrcAttr},             {"ALT", AltAttr},
    {"ALIGN", AlignAttr},         {"TEXT", TextAttr},
    {"BGCOLOR", BgColorAttr},     {"LINK", LinkAttr},
    {"BACKGROUND", BackgroundAttr}, {"COLSPAN", ColSpanAttr},
    {"ROWSPAN", RowSpanAttr},     {"BORDER", BorderAttr},
    {"CELLPADDING", CellPaddingAttr}, {"CELLSPACING", CellSpacingAttr},
    {"VALIGN", VAlignAttr},       {"WIDTH", WidthAttr},
    {"START", StartAttr},         {"VALUE", ValueAttr},
    {"TYPE", TypeAttr},           {"CHECKBOX", CheckBoxAttr},
    {"RADIO", RadioAttr},         {"METHOD", MethodAttr},
    {"ACTION", ActionAttr},       {"CHECKED", CheckedAttr},
    {"SIZE", SizeAttr},           {"MAXLENGTH", MaxLengthAttr},
    {"COLS", ColsAttr},           {"ROWS", RowsAttr},
    {"MULTIPLE", MultipleAttr},   {"VALUE", ValueAttr},
    {"SELECTED", SelectedAttr},   {"FACE", FaceAttr},
    {"COLOR", ColorAttr},         {"TRANSP", TranspAttr},
    {"CLEAR", ClearAttr},         {"ISMAP", IsMapAttr},
    {"BORDERCOLOR", BorderColorAttr}, {"USEMAP", UseMapAttr},
    {"SHAPE", ShapeAttr},         {"COORDS", CoordsAttr},
    {"NOHREF", NoHrefAttr},       {"HEIGHT", HeightAttr},
    {"PLAIN", PlainAttr},         {"TARGET", TargetAttr},
    {"NORESIZE", NoResizeAttr},   {"SCROLLING", ScrollingAttr}};

// Seven named entities, then the letters of ISO 8859-1 from code 192 on; the places of
// the multiplication and division signs (215, 247) are empty and match nothing.
const char* const kEntityNames[EntityCount] = {
    "amp",    "lt",     "gt",     "quot",   "nbsp",   "copy",   "reg",
    "Agrave", "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil",
    "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave", "Iacute", "Icirc",  "Iuml",
    "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",   nullptr,
    "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",
    "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",
    "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   nullptr,
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

const int kNamedEntityCodes[7] = {38, 60, 62, 34, 160, 169, 174};

struct ColorName {
  const char* name;
  int value;
};
// clang-format on

const ColorName kColorNames[ColorNameCount] = {
    {"BLACK", 0x000000},  {"MAROON", 0x000080},  {"GREEN", 0x008000}, {"OLIVE", 0x008080},
    {"NAVY", 0x800000},   {"PURPLE", 0x800080},  {"TEAL", 0x808000},  {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF},     {"LIME", 0x00FF00},  {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000},   {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00},  {"WHITE", 0xFFFFFF}};

}  // namespace

bool TakesAttributes(THtmlSymbol s) {
  switch (s) {
    case BodyTag:
    case HTag:
    case OLTag:
    case ULTag:
    case ATag:
    case TableTag:
    case TDTag:
    case THTag:
    case CaptionTag:
    case FormTag:
    case TextAreaTag:
    case SelectTag:
    case OptionTag:
    case FontTag:
    case PTag:
    case MapTag:
    case FrameSetTag:
    case BRTag:
    case HRTag:
    case ImgTag:
    case BaseTag:
    case TRTag:
    case InputTag:
    case BaseFontTag:
    case AreaTag:
    case FrameTag: return true;
    default: return false;
  }
}

// Every tag and attribute of a document is looked up: by hash, not by walking the tables.
THtmlSymbol LookupTag(const AnsiString& upperName) {
  static const std::unordered_map<std::string, THtmlSymbol> tags = [] {
    std::unordered_map<std::string, THtmlSymbol> m;
    for (int i = 0; i < TagCount; ++i) m.emplace(kTagNames[i], THtmlSymbol(HtmlTag + i));
    return m;
  }();
  auto it = tags.find(upperName);
  return it == tags.end() ? UnknownTagSym : it->second;
}

THtmlSymbol LookupAttribute(const AnsiString& upperName) {
  static const std::unordered_map<std::string, THtmlSymbol> attrs = [] {
    std::unordered_map<std::string, THtmlSymbol> m;
    for (const AttrName& a : kAttributeNames) m.emplace(a.name, a.sym);  // the first of equal names wins
    return m;
  }();
  auto it = attrs.find(upperName);
  return it == attrs.end() ? UnknownAttr : it->second;
}

int LookupEntity(const AnsiString& name) {
  for (int i = 0; i < EntityCount; ++i) {
    if (kEntityNames[i] == nullptr || name != kEntityNames[i]) continue;
    return i < 7 ? kNamedEntityCodes[i] : i + 185;
  }
  return -1;
}

bool LookupColorName(const AnsiString& upperName, int& color) {
  for (const ColorName& c : kColorNames) {
    if (upperName == c.name) {
      color = c.value;
      return true;
    }
  }
  return false;
}

const char* SymbolTableName(THtmlSymbol s) {
  if (IsStartTag(s)) return kTagNames[s - HtmlTag];
  if (IsEndTag(s)) return kTagNames[s - HtmlEndTag];
  if (s >= HrefAttr && s < UnknownAttr) {
    for (const AttrName& a : kAttributeNames)
      if (a.sym == s) return a.name;
  }
  return "";
}

AnsiString SymbolDisplayName(THtmlSymbol s) {
  if (IsStartTag(s)) return AnsiString("<") + SymbolTableName(s) + ">";
  if (IsEndTag(s)) return AnsiString("</") + SymbolTableName(s) + ">";
  if (s >= HrefAttr && s < UnknownAttr) return SymbolTableName(s);
  switch (s) {
    case UnknownAttr: return "unknown attribute";
    case TextSym: return "text";
    case SingleCharSym: return "char";
    case UnknownTagSym: return "unknown tag";
    case EofSym: return "eof";
    case EolSym: return "eol";
    default: return "?";
  }
}

}  // namespace vx
