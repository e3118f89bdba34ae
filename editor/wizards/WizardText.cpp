#include "editor/wizards/WizardText.h"

#include <climits>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/ParAttribs.h"
#include "tagdefs/tePaths.h"

namespace vx {

const char* const CRLF = "\r\n";

static AnsiString Quoted(const AnsiString& s) { return "\"" + s + "\""; }

AnsiString Joined(const std::vector<AnsiString>& pieces) {
  size_t n = 0;
  for (const AnsiString& p : pieces) n += p.size();
  AnsiString s;
  s.reserve(n);
  for (const AnsiString& p : pieces) s += p;
  return s;
}

// ---- frames --------------------------------------------------------------------------

AnsiString FrameLine(int indent, const TFrameRow& row) {
  // "<FRAME " and then " SRC=": the tag name is followed by two blanks.
  AnsiString s = AnsiString(static_cast<size_t>(indent), ' ') + "<FRAME " + " SRC=" + Quoted(row.Src);
  if (!row.Name.empty()) s += " NAME=" + Quoted(row.Name);
  if (row.MarginWidth > 0) s += " MARGINWIDTH=" + IntToStr(row.MarginWidth);
  if (row.MarginHeight > 0) s += " MARGINHEIGHT=" + IntToStr(row.MarginHeight);
  if (!row.Scrolling.empty() && row.Scrolling != "(none)") s += " SCROLLING=" + Quoted(row.Scrolling);
  if (row.NoResize) s += " NORESIZE";
  return s + ">" + CRLF;
}

static AnsiString FramesetLine(const char* indent, const char* kind, const AnsiString& sizes) {
  return AnsiString(indent) + "<FRAMESET " + kind + "=" + Quoted(sizes) + ">" + CRLF;
}

std::vector<AnsiString> FramesetLines(int layout, const TFrameRow rows[3]) {
  const TFrameRow &r1 = rows[0], &r2 = rows[1], &r3 = rows[2];
  const AnsiString innerEnd = AnsiString("   </FRAMESET>") + CRLF;
  std::vector<AnsiString> v;
  switch (layout) {
    case 1: v = {FramesetLine("", "COLS", r1.Width + "," + r2.Width), FrameLine(3, r1), FrameLine(3, r2)}; break;
    case 2: v = {FramesetLine("", "ROWS", r1.Height + "," + r2.Height), FrameLine(3, r1), FrameLine(3, r2)}; break;
    case 3:
      v = {FramesetLine("", "ROWS", r1.Height + ",*"),
           FrameLine(3, r1),
           FramesetLine("   ", "COLS", r2.Width + "," + r3.Width),
           FrameLine(7, r2),
           FrameLine(7, r3),
           innerEnd};
      break;
    case 4:
      v = {FramesetLine("", "ROWS", "*," + r3.Height),
           FramesetLine("   ", "COLS", r1.Width + "," + r2.Width),
           FrameLine(8, r1),
           FrameLine(8, r2),
           innerEnd,
           FrameLine(3, r3)};
      break;
    case 5:
      v = {FramesetLine("", "ROWS", r1.Height + "," + r2.Height + "," + r3.Height), FrameLine(3, r1), FrameLine(3, r2),
           FrameLine(3, r3)};
      break;
    default: return v;
  }
  for (const char* line : {"<NOFRAMES>", "This document contains frames", "</NOFRAMES>", "</FRAMESET>"})
    v.push_back(AnsiString(line) + CRLF);
  return v;
}

// ---- tables --------------------------------------------------------------------------

std::vector<AnsiString> TablePieces(const TTableSpec& spec, bool lower) {
  auto lc = [lower](const char* s) { return LowerCaseIf(s, lower); };
  std::vector<AnsiString> v;
  v.push_back(lc("<TABLE"));
  if (spec.CellSpacing > 0) v.push_back(lc(" CELLSPACING=") + Quoted(IntToStr(spec.CellSpacing)));
  if (spec.CellPadding > 0) v.push_back(lc(" CELLPADDING=") + Quoted(IntToStr(spec.CellPadding)));
  v.push_back(spec.Border ? lc(" BORDER>") + CRLF : AnsiString(">") + CRLF);
  if (!spec.Caption.empty())
    v.push_back(lc("<CAPTION ALIGN=") + Quoted(spec.CaptionAlign) + ">" + spec.Caption + lc(" </CAPTION>") + CRLF);
  for (size_t r = 0; r < spec.Cells.size(); ++r) {
    v.push_back(lc("<TR>") + CRLF);
    for (size_t c = 0; c < spec.Cells[r].size(); ++c) {
      bool th = r == 0 ? spec.HeadingCol : c == 0 && spec.HeadingRow;
      AnsiString tag = lc(th ? "TH" : "TD");
      v.push_back("   <" + tag + ">" + spec.Cells[r][c] + " </" + tag + ">" + CRLF);
    }
    v.push_back(lc("</TR>") + CRLF);
  }
  v.push_back(lc("</TABLE>") + CRLF);
  return v;
}

// ---- lists ---------------------------------------------------------------------------

std::vector<AnsiString> ListLines(const std::vector<AnsiString>& items, bool ordered) {
  std::vector<AnsiString> v;
  v.push_back(ordered ? "<OL>" : "<UL>");
  for (const AnsiString& item : items) v.push_back("<LI>" + item + "</LI>");
  v.push_back(ordered ? "</OL>" : "</UL>");
  return v;
}

// ---- links ---------------------------------------------------------------------------

AnsiString ComposeURL(const AnsiString& scheme, const AnsiString& host, const AnsiString& path, const AnsiString& file,
                      const AnsiString& target) {
  if (scheme == "mailto" || scheme == "news") return scheme + ":" + host;
  if (scheme == "telnet") return "telnet://" + path + ":" + file + "@" + host;
  if (scheme == "wais") return "wais://" + host + "/" + target + "/" + path;
  AnsiString url = scheme + "://" + host;
  if (!path.empty()) url += "/" + path;
  if (!file.empty()) url += "/" + file;
  if (!target.empty()) url += "#" + target;
  return url;
}

// ---- special characters --------------------------------------------------------------

namespace {
// The named entities of the Latin-1 letters 192 to 255 in order; the multiplication and
// division signs (215, 247) have no name and are written by number.
const char* const LatinEntities[64] = {
    "&Agrave;", "&Aacute;", "&Acirc;",  "&Atilde;", "&Auml;",   "&Aring;",  "&AElig;", "&Ccedil;",
    "&Egrave;", "&Eacute;", "&Ecirc;",  "&Euml;",   "&Igrave;", "&Iacute;", "&Icirc;", "&Iuml;",
    "&ETH;",    "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;",  "&Otilde;", "&Ouml;",  "&#215;",
    "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;",  "&Uuml;",   "&Yacute;", "&THORN;", "&szlig;",
    "&agrave;", "&aacute;", "&acirc;",  "&atilde;", "&auml;",   "&aring;",  "&aelig;", "&ccedil;",
    "&egrave;", "&eacute;", "&ecirc;",  "&euml;",   "&igrave;", "&iacute;", "&icirc;", "&iuml;",
    "&eth;",    "&ntilde;", "&ograve;", "&oacute;", "&ocirc;",  "&otilde;", "&ouml;",  "&#247;",
    "&oslash;", "&ugrave;", "&uacute;", "&ucirc;",  "&uuml;",   "&yacute;", "&thorn;", "&yuml;"};
const char* const FirstEntities[6] = {"&amp;", "&lt;", "&gt;", "&quot;", "&#160;", "&copy;"};
const char FirstChars[6] = {'&', '<', '>', '"', static_cast<char>(160), static_cast<char>(169)};
}  // namespace

int CharpCellAt(int x, int y) {
  if (x <= 0 || y <= 0) return 0;
  int col = x / kCharpCell, row = y / kCharpCell;
  // A point on a grid line belongs to no cell.
  if (x % kCharpCell == 0 || y % kCharpCell == 0 || col >= kCharpCols || row >= kCharpRows) return 0;
  return row * kCharpCols + col + 1;
}

void CharpCellRect(int cell, int& left, int& top, int& right, int& bottom) {
  int row = (cell - 1) / kCharpCols, col = (cell - 1) % kCharpCols;
  left = col * kCharpCell;
  top = row * kCharpCell;
  right = left + kCharpCell;
  bottom = top + kCharpCell;
}

char CharpChar(int cell) {
  if (cell < 1 || cell > kCharpCells) return 0;
  return cell <= 6 ? FirstChars[cell - 1] : static_cast<char>(cell + 185);
}

AnsiString CharpEntity(int cell) {
  if (cell < 1 || cell > kCharpCells) return "";
  return cell <= 6 ? FirstEntities[cell - 1] : LatinEntities[cell - 7];
}

AnsiString CharpInsertText(int cell, bool raw) {
  if (raw && cell >= 7 && cell <= kCharpCells) return AnsiString(1, CharpChar(cell));
  return CharpEntity(cell);
}

// ---- image maps ----------------------------------------------------------------------

std::vector<AnsiString> MapPieces(const AnsiString& name, const std::vector<TMapArea>& areas, bool withImage,
                                  const AnsiString& file) {
  std::vector<AnsiString> v;
  v.push_back("<MAP NAME=" + Quoted(name) + ">" + CRLF);
  for (const TMapArea& a : areas)
    v.push_back("   <AREA COORDS=" + Quoted(Format("%d,%d,%d,%d", a.Left, a.Top, a.Right, a.Bottom)) +
                " HREF=" + Quoted(a.HRef) + ">" + CRLF);
  v.push_back("</MAP>");
  if (withImage) {
    v.push_back(CRLF);
    v.push_back("<IMG BORDER=0 USEMAP=" + Quoted("#" + name) + " SRC=" + Quoted(file) + "> " + CRLF);
  }
  return v;
}

TMapSelection SplitMapSelection(const AnsiString& text) {
  TMapSelection sel;
  // Found in a lower-cased copy; the parts are cut from the text as written.
  AnsiString lower = LowerCase(text);
  size_t map = lower.find("<map");
  if (map == AnsiString::npos) return sel;
  size_t close = lower.find('>', map);
  sel.MapTag = text.substr(map + 4, (close == AnsiString::npos ? text.size() : close) - map - 4);
  size_t at = close == AnsiString::npos ? text.size() : close;
  while ((at = lower.find("<area", at)) != AnsiString::npos) {
    size_t start = at + 5;
    size_t end = lower.find('>', start);
    end = end == AnsiString::npos ? text.size() : end + 1;
    sel.Areas.push_back(text.substr(start, end - start));
    at = end;
  }
  return sel;
}

AnsiString MapNameFromTag(const AnsiString& text) {
  size_t eq = text.find('=');
  if (eq == AnsiString::npos) return "";
  AnsiString name;
  for (char c : text.substr(eq + 1))
    if (c != '"') name += c;
  return Trim(name);
}

static AnsiString Unquote(const AnsiString& v) {
  if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) return v.substr(1, v.size() - 2);
  AnsiString s;
  for (char c : v)
    if (c != '"') s += c;
  return s;
}

TAreaFields ParseAreaText(const AnsiString& text) {
  TAreaFields a;
  AnsiString t = text;
  while (!t.empty() && static_cast<unsigned char>(t.back()) <= 32) t.pop_back();
  if (!t.empty() && t.back() == '>') t.pop_back();
  for (const AnsiString& field : TParAttributes::SplitAttributes(t)) {
    // Split at the first "=" only: a link such as a.cgi?x=1 keeps the rest.
    size_t eq = field.find('=');
    if (eq == AnsiString::npos) continue;
    AnsiString name = LowerCase(Trim(field.substr(0, eq)));
    AnsiString value = Unquote(Trim(field.substr(eq + 1)));
    if (name == "coords") {
      std::vector<AnsiString> parts;
      size_t from = 0, comma;
      while ((comma = value.find(',', from)) != AnsiString::npos) {
        parts.push_back(Trim(value.substr(from, comma - from)));
        from = comma + 1;
      }
      parts.push_back(Trim(value.substr(from)));
      if (parts.size() == 4) {
        int l = StrToInt(parts[0]), t2 = StrToInt(parts[1]), r = StrToInt(parts[2]), b = StrToInt(parts[3]);
        // A spot is held as its left, top, width and height: a width or height below 0 or
        // beyond a whole number would be written back as other coordinates.
        long long w = static_cast<long long>(r) - l, h = static_cast<long long>(b) - t2;
        if (w < 0 || h < 0 || w > INT_MAX || h > INT_MAX)
          throw EConvertError("COORDS=\"" + value + "\" is not a rectangle: " +
                              (w < 0 && h < 0 ? "its right edge is left of its left edge and its bottom edge above its top edge"
                               : w < 0        ? "its right edge is left of its left edge"
                               : h < 0        ? "its bottom edge is above its top edge"
                                              : "it is wider or taller than a whole number can hold"));
        a.HasCoords = true;
        a.Left = l;
        a.Top = t2;
        a.Width = static_cast<int>(w);
        a.Height = static_cast<int>(h);
      }
    } else if (name == "href") {
      a.HRef = value;
    } else if (name == "shape") {
      a.Shape = value;
    }
  }
  return a;
}

bool IsRectangleArea(const TAreaFields& area) {
  AnsiString s = LowerCase(Trim(area.Shape));
  return s.empty() || s == "rect" || s == "rectangle";
}

}  // namespace vx
