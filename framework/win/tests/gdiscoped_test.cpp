#include "framework/win/GdiScoped.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace vx {
namespace {

TEST(GdiScoped, SelectedObjectIsRestoredAndOwnedObjectsFreedOnThrow) {
  TOwnedDC dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
  HFONT seen = nullptr;
  try {
    TOwnedFont font(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial"));
    TSelected sel(dc, font);
    seen = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    EXPECT_EQ(seen, font.Get());
    throw std::runtime_error("page failed");
  } catch (const std::runtime_error&) {}
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), before);
  // The font was deselected before it was deleted, so it is really gone.
  EXPECT_EQ(GetObjectType(seen), 0u);
}

TEST(GdiScoped, MovedHandleHasOneOwner) {
  TOwnedBrush a(CreateSolidBrush(RGB(1, 2, 3)));
  HBRUSH h = a;
  TOwnedBrush b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.Get(), h);
  b.Reset();
  EXPECT_EQ(GetObjectType(h), 0u);
}

TEST(GdiScoped, SavedDCRestoresMapModeAndWindowDCIsReleased) {
  TOwnedDC dc(CreateCompatibleDC(nullptr));
  {
    TSavedDC keep(dc);
    SetMapMode(dc, MM_TWIPS);
  }
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  TWindowDC screen(nullptr);
  EXPECT_NE(screen.Get(), nullptr);
}

}  // namespace
}  // namespace vx
