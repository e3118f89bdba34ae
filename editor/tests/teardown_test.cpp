// Components end through Free() (or their owner) only, and their own teardown runs then,
// with the whole object: the document's editor and the frame's file-drop target.
#include <gtest/gtest.h>

#include <type_traits>

#include "editor/filedrag.h"
#include "editor/vx2_EdWin.h"
#include "framework/win/Forms.h"
#include "viewer/Htmlview.h"

using namespace vx;

namespace {

static_assert(!std::is_destructible_v<TxEdit> && !std::is_destructible_v<TFileDrag> &&
                  !std::is_destructible_v<THTMLViewer> && !std::is_destructible_v<TForm> &&
                  !std::is_destructible_v<TLEdit>,
              "components end through Free() only");

TEST(Teardown, AFreedEditorNamesNoDocumentInItsWindow) {
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  form->SetCaption("Editing C:\\page.htm");
  auto* ed = new TxEdit(form.get());
  ed->SetParent(form.get());
  ed->SetOwnerWindow(form.get());
  form->HandleNeeded();
  ed->Free();
  EXPECT_EQ(form->Caption(), "Editing None");
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST(Teardown, AFreedDropTargetLeavesItsWindowAsItWas) {
  TComponentPtr<TForm> form = MakeComponent<TForm>(nullptr);
  HWND h = form->Handle();
  LONG_PTR proc = GetWindowLongPtrA(h, GWLP_WNDPROC);
  auto* drag = new TFileDrag(form.get());
  EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_NE(GetWindowLongPtrA(h, GWLP_WNDPROC), proc);
  drag->Free();
  EXPECT_FALSE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_EQ(GetWindowLongPtrA(h, GWLP_WNDPROC), proc);
}

}  // namespace
