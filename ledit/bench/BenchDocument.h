// The benchmarks' HTML document, line by line: the edit control's benchmark and the
// editor's paint benchmark time the same kinds of lines.
#pragma once

#include <cstdio>
#include <string>

namespace ledit {

// Line i of the document (from 0, after its head), without its line break: one of six
// kinds of markup in turn, each followed by a SPAN.
inline std::string BenchLine(int i) {
  char buf[200];
  switch (i % 6) {
    case 0: snprintf(buf, sizeof buf, "<P CLASS=\"para\">Paragraph %d of the text &amp; more words here</P>", i); break;
    case 1:
      snprintf(buf, sizeof buf, "<A HREF=\"page%d.htm\">Link number %d</A> <B>bold</B> <I>italic</I>", i, i);
      break;
    case 2: snprintf(buf, sizeof buf, "<!-- comment %d about the table that follows --> plain words", i); break;
    case 3: snprintf(buf, sizeof buf, "<TABLE BORDER=1><TR><TD>cell %d</TD><TD>cell</TD></TR></TABLE>", i); break;
    case 4: snprintf(buf, sizeof buf, "<IMG SRC=\"images/pic%d.gif\" WIDTH=100 HEIGHT=50 ALT=\"Picture\">", i); break;
    default: snprintf(buf, sizeof buf, "Some plain text on line %d, with a few more words to fill it out.", i); break;
  }
  return std::string(buf) + " <SPAN>more text</SPAN>";
}

inline const char* const kBenchHead = "<HTML>\r\n<HEAD><TITLE>Benchmark</TITLE></HEAD>\r\n<BODY>\r\n";
inline const char* const kBenchTail = "</BODY>\r\n</HTML>\r\n";

}  // namespace ledit
