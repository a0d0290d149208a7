#include "controls/RxCursors.h"

#include "platform/ui/Forms.h"

#include <gtest/gtest.h>

namespace {

// Whether the cursor's AND mask makes pixel (x, y) opaque.
bool Opaque(HCURSOR cursor, int x, int y, POINT* hot) {
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return false;
  *hot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, info.hbmMask);
  const bool opaque = (GetPixel(dc, x, y) & 0xFFFFFF) == 0;
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return opaque;
}

}  // namespace

TEST(RxCursors, HandCursorsAreDrawn) {
  HCURSOR hand = CreateHandCursor();
  HCURSOR drag = CreateDragHandCursor();
  ASSERT_NE(nullptr, hand);
  ASSERT_NE(nullptr, drag);
  POINT hot{};
  EXPECT_TRUE(Opaque(hand, 5, 0, &hot));  // the fingertip
  EXPECT_EQ(5, hot.x);
  EXPECT_EQ(0, hot.y);
  EXPECT_FALSE(Opaque(hand, 0, 0, &hot));
  EXPECT_FALSE(Opaque(hand, 31, 31, &hot));
  EXPECT_TRUE(Opaque(drag, 8, 8, &hot));
  EXPECT_EQ(8, hot.x);
  EXPECT_FALSE(Opaque(drag, 0, 0, &hot));
  DestroyCursor(hand);
  DestroyCursor(drag);
}

TEST(RxCursors, InstalledAsScreenCursors14000And14001) {
  InstallLibraryCursors();
  HCURSOR hand = Screen->Cursors(14000);
  HCURSOR drag = Screen->Cursors(14001);
  EXPECT_NE(hand, drag);
  EXPECT_NE(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)), hand);
  POINT hot{};
  EXPECT_TRUE(Opaque(hand, 5, 0, &hot));
  InstallLibraryCursors();  // again: the same cursors
  EXPECT_EQ(hand, Screen->Cursors(crHand));
}
