// Shows the reference page (headings, lists, a table, a form, a picture) in a viewer for a
// few seconds, so it can be looked at and photographed: refpage [seconds].
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "viewer/Htmlview.h"

using namespace vx;

namespace {
// A 24-bit BMP with a colour gradient and a dark frame.
void WritePicture(const char* name, int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  std::vector<unsigned char> f(54 + size_t(stride) * h, 0);
  auto put32 = [&](int at, unsigned v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<unsigned char>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, unsigned(f.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, unsigned(w));
  put32(22, unsigned(h));
  f[26] = 1;
  f[28] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &f[54 + size_t(y) * stride + size_t(x) * 3];
      bool frame = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
      p[0] = frame ? 40 : static_cast<unsigned char>(255 * y / h);  // blue
      p[1] = frame ? 40 : static_cast<unsigned char>(160);          // green
      p[2] = frame ? 40 : static_cast<unsigned char>(255 * x / w);  // red
    }
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
}

const char* kPage =
    "<HTML><HEAD><TITLE>Reference page</TITLE></HEAD>\n"
    "<BODY BGCOLOR=white>\n"
    "<H1 ALIGN=center>Vornix reference page</H1>\n"
    "<IMG SRC=\"refpage.bmp\" ALIGN=right ALT=\"gradient\">\n"
    "<P>This page shows the things a viewer must draw: <B>bold</B>, <I>italic</I>, <U>underlined</U> and "
    "<TT>fixed-pitch</TT> text, a <A HREF=\"other.htm\">link</A>, lists, a table, a form and a picture "
    "floating at the right of the text.\n"
    "<H2>Lists</H2>\n"
    "<UL><LI>First bullet<LI>Second bullet<UL><LI>Nested bullet<LI>Another nested one</UL><LI>Third bullet</UL>\n"
    "<OL><LI>One<LI>Two<LI>Three</OL>\n"
    "<H3>A table</H3>\n"
    "<TABLE BORDER=1 CELLPADDING=4>\n"
    "<CAPTION>Prices</CAPTION>\n"
    "<TR><TH>Item</TH><TH>Count</TH><TH>Price</TH></TR>\n"
    "<TR><TD>Apples</TD><TD ALIGN=right>12</TD><TD ALIGN=right>3.10</TD></TR>\n"
    "<TR><TD>Pears</TD><TD ALIGN=right>7</TD><TD ALIGN=right>2.45</TD></TR>\n"
    "<TR><TD COLSPAN=2>Total</TD><TD ALIGN=right BGCOLOR=yellow>5.55</TD></TR>\n"
    "</TABLE>\n"
    "<HR>\n"
    "<H3>A form</H3>\n"
    "<FORM ACTION=\"send.cgi\">Name: <INPUT NAME=name VALUE=\"Ann\" SIZE=20> "
    "<INPUT TYPE=checkbox NAME=news CHECKED> news "
    "<SELECT NAME=size><OPTION>small<OPTION SELECTED>medium<OPTION>large</SELECT><BR>\n"
    "<TEXTAREA NAME=note ROWS=2 COLS=30>A note</TEXTAREA> <INPUT TYPE=submit VALUE=\"Send\"></FORM>\n"
    "<PRE>preformatted   text\n  keeps   its blanks</PRE>\n"
    "</BODY></HTML>\n";
}  // namespace

int main(int argc, char** argv) {
  int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
  WritePicture("refpage.bmp", 96, 72);
  std::ofstream("refpage.htm", std::ios::binary) << kPage;
  TForm* form = CreateForm<TForm>(Application);
  form->SetCaption("Reference page");
  form->SetBounds(10, 10, 640, 760);
  auto* v = new THTMLViewer(form);
  v->SetParent(form);
  v->SetAlign(alClient);
  v->SetViewImages(true);
  form->Show();
  v->LoadFromFile("refpage.htm");
  DWORD end = GetTickCount() + DWORD(seconds) * 1000;
  while (GetTickCount() < end) {
    Application->ProcessMessages();
    Sleep(20);
  }
  form->Free();
  return 0;
}
