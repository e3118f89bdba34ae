// Links in a viewer as a person uses them: found on the screen and clicked on the window
// that is under them; and a page's text read without leaving a selection behind.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/win/Forms.h"
#include "viewer/Htmlview.h"

namespace vx {

// The first point of the viewer's panel over a link to url.
inline bool FindLink(THTMLViewer* v, const std::string& url, POINT& p) {
  TUrlTarget t;
  for (int y = 1; y < v->PaintPanel()->Height(); y += 2)
    for (int x = 1; x < v->PaintPanel()->Width(); x += 2)
      if (v->LinkAtPoint(x, y, t) && t.Url == url) {
        p = POINT{x, y};
        return true;
      }
  return false;
}

// Clicks the link with the left button, posted to the window under it on the screen, and
// lets the program handle what follows.
inline void ClickLink(THTMLViewer* v, const std::string& url) {
  POINT p{};
  ASSERT_TRUE(FindLink(v, url, p)) << url;
  POINT s = v->PaintPanel()->ClientToScreen(p);
  HWND h = WindowFromPoint(s);
  ASSERT_EQ(h, v->PaintPanel()->Handle()) << "another window covers the link " << url;
  POINT c = s;
  ScreenToClient(h, &c);
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.x, c.y));
  PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
  for (int i = 0; i < 4; ++i) Application->ProcessMessages();
}

// The page's text; no selection is left (a selection keeps a click from following a link).
inline std::string PageText(THTMLViewer* v) {
  v->SelectAll();
  std::string t = v->SelText();
  v->Document()->SelB = v->Document()->SelE = 0;
  return t;
}

}  // namespace vx
