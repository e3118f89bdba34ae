// A form holding a TLEdit with a highlighted HTML page (for looking at it).
#include "editctl/LEDlp32.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto* form = CreateForm<TForm>(Application);
  form->SetCaption("Vornix editor control");
  form->SetBounds(20, 20, 720, 460);
  auto* ed = new TLEdit(form);
  ed->SetParent(form);
  ed->SetAlign(alClient);
  ed->Font()->SetName("Courier New");
  ed->Font()->SetSize(10);
  ed->Font()->SetColor(clGreen);
  ed->SetScrollBars(lsVertical);
  ed->SetMultiLineItems(true);
  ed->SetMultiLineStrings(true);
  ed->SetSyntax("2\"\"002!-2->1>2</1=1;1&");
  ed->SetHighlight(true);
  ed->OnControlHighlight = [](TObject*, uint16_t type, int32_t, const AnsiString& s, TColor& fore, TColor&) {
    if (type == LET_WORD && !s.empty() && s[0] == '<')
      fore = clNavy;
    else if (type == LET_STRING || type == LET_STRINGPIECE)
      fore = clMaroon;
    else if (type == LET_SYMBOL)
      fore = clPurple;
    else if (type == LET_WORD)
      fore = clBlack;
  };
  ed->SetText(
      "<HTML>\r\n<HEAD>\r\n<TITLE>Marrowby garden notes</TITLE>\r\n</HEAD>\r\n"
      "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">\r\n<!-- the page header -->\r\n"
      "<H1 ALIGN=\"center\">Spring planting</H1>\r\n"
      "<P>Sow the beans &amp; peas when the soil is warm.</P>\r\n"
      "<IMG SRC=\"beans.gif\" WIDTH=120 HEIGHT=80 ALT=\"Beans\">\r\n"
      "<UL>\r\n  <LI><A HREF=\"tomatoes.htm\">Tomatoes</A>\r\n  <LI><A HREF=\"herbs.htm\">Herbs</A>\r\n</UL>\r\n"
      "</BODY>\r\n</HTML>\r\n");
  form->Show();
  Application->Run();
  return 0;
}
