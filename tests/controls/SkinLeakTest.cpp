// GDI and USER objects of the process stay the same over 200 skinned pairs that carry every
// control kind, each created, shown, painted (hover included) and destroyed.
#include "tests/dialogs/SkinTestKit.h"
#include "tests/dialogs/TestSkinPair.h"

#include "framework/GdiObjects.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

bool PointerOver(HWND hwnd) {
  POINT cursor;
  return ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == hwnd;
}

// Returns the process's window count while the pair is up.
int ShowPaintAndClose() {
  int windows = 0;
  CTestSkinFrameDlg frame(AllControlsTestValues());
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    windows = static_cast<int>(driver::GetProcessUserObjectCount());
    const HWND solved = ::GetDlgItem(frame.ControlsWindow(), IDC_FEEDBACK_SOLVED);
    driver::MovePointerToCentre(solved);
    ASSERT_TRUE(WaitUntil([&] { return PointerOver(solved); }, 2000));
    MovePointer(10, 10);
    ::RedrawWindow(frame.ControlsWindow(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  return windows;
}

}  // namespace

TEST(SkinLeakTest, NoObjectsLeftAfter200PairsWithEveryControlKind) {
  CGdiplusSession gdiplus;
  for (int i = 0; i < 3; ++i) ShowPaintAndClose();  // first use fills GDI+'s and Wine's caches
  const int gdiBefore = static_cast<int>(driver::GetProcessGdiObjectCount());
  const int userBefore = static_cast<int>(driver::GetProcessUserObjectCount());
  {
    // The counts see single objects: one brush, and the pair's 12 windows.
    const ScopedBrush brush(::CreateSolidBrush(RGB(1, 2, 3)));
    EXPECT_EQ(gdiBefore + 1, static_cast<int>(driver::GetProcessGdiObjectCount()));
  }
  EXPECT_GE(ShowPaintAndClose(), userBefore + 12);
  for (int i = 0; i < 200; ++i) ShowPaintAndClose();
  const int gdiAfter = static_cast<int>(driver::GetProcessGdiObjectCount());
  const int userAfter = static_cast<int>(driver::GetProcessUserObjectCount());
  std::printf("GDI objects %d -> %d, USER objects (windows) %d -> %d\n", gdiBefore, gdiAfter,
              userBefore, userAfter);
  EXPECT_GT(gdiBefore, 0);
  EXPECT_EQ(gdiBefore, gdiAfter);
  EXPECT_EQ(userBefore, userAfter);
}
