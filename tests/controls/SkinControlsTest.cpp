// The skin controls on a real screen, driven by real pointer and key input: the button state
// machine, disabled painting, hit insets, the scaled source rectangle, the check box, the
// statics and the patch-number box; and no GDI or USER object left behind by 200 pairs.
#include "tests/dialogs/SkinTestKit.h"
#include "tests/dialogs/TestSkinPair.h"

#include "res/resource.h"
#include "ui/controls/ControlGeometry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace {

void Click(POINT p) {
  MovePointer(p.x, p.y);
  PressLeft();
  ReleaseLeft();
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  ::SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
  ::CloseClipboard();
}

class SkinControlsTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(1.0f, ScreenScaleFactor()) << "these checks are written for 96 dots per inch";
    ASSERT_TRUE(LoadPngResource(m_background, IDP_FEEDBACK_CHILD));
  }

  CGdiplusSession m_gdiplus;
  PngImage m_background;  // the controls dialog's picture, drawn 1:1 at scale 1.0
};

}  // namespace

TEST_F(SkinControlsTest, ButtonStatesFollowRealPointerEvents) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  const ButtonLook imageLook(m_background.get(), {67, 154, 333, 214}, IDP_SOLVED_NORMAL, false, 1);
  const ButtonLook pngLook(m_background.get(), {20, 404, 78, 422}, IDP_MORE_TOOLS_NORMAL, true, 1);
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const RECT client = ClientRectOnScreen(controls);
    const POINT away = {client.left + 30, client.top + 100};  // plain background
    const struct {
      const char* name;
      HWND button;
      const ButtonLook* look;
    } buttons[] = {{"image_button", ::GetDlgItem(controls, IDC_FEEDBACK_SOLVED), &imageLook},
                   {"png_button", ::GetDlgItem(controls, IDC_TEST_PNG_BUTTON), &pngLook}};
    for (const auto& b : buttons) {
      SCOPED_TRACE(b.name);
      const std::wstring name(b.name, b.name + std::strlen(b.name));
      const RECT shot = WindowRectOf(b.button);
      MovePointer(away.x, away.y);
      EXPECT_TRUE(b.look->Shows(b.button, 1));
      SaveScreenshot(name + L"_normal", shot);

      const POINT centre = CentreOf(b.button);
      MovePointer(centre.x, centre.y);  // rests: the hover notification follows in 10 ms
      EXPECT_TRUE(b.look->Shows(b.button, 2));
      SaveScreenshot(name + L"_hover", shot);
      PressLeft();
      EXPECT_TRUE(b.look->Shows(b.button, 3));
      SaveScreenshot(name + L"_pressed", shot);
      // A hover notification that comes after the press (the pointer rested 10 ms just before
      // it) leaves the button pressed.
      RECT client;
      ::GetClientRect(b.button, &client);
      ::SendMessageW(b.button, WM_MOUSEHOVER, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
      ASSERT_TRUE(driver::WaitUntilPainted(b.button, 2000));
      EXPECT_EQ(3, b.look->ShownState(b.button));
      ReleaseLeft();
      EXPECT_TRUE(b.look->Shows(b.button, 2));
      MovePointer(away.x, away.y);
      EXPECT_TRUE(b.look->Shows(b.button, 1));

      // Disabled while hovered: the disabled image; enabled again: the state it kept.
      MovePointer(centre.x, centre.y);
      EXPECT_TRUE(b.look->Shows(b.button, 2));
      ::EnableWindow(b.button, FALSE);
      EXPECT_TRUE(b.look->Shows(b.button, 4));
      SaveScreenshot(name + L"_disabled", shot);
      MovePointer(centre.x + 2, centre.y + 1);  // pointer events leave a disabled button alone
      PressLeft();
      ReleaseLeft();
      ASSERT_TRUE(WaitUntilInputHandled(controls));
      EXPECT_TRUE(b.look->Shows(b.button, 4));
      ::EnableWindow(b.button, TRUE);
      EXPECT_TRUE(b.look->Shows(b.button, 2));
      // The leave that came while disabled changed nothing; a move asks for the next one.
      MovePointer(centre.x, centre.y);
      MovePointer(away.x, away.y);
      EXPECT_TRUE(b.look->Shows(b.button, 1));
    }
  });
}

TEST_F(SkinControlsTest, ClickInsideTheHitInsetShowsPressedButIsIgnoredByTheOwner) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  const ButtonLook look(m_background.get(), {67, 154, 333, 214}, IDP_SOLVED_NORMAL, false, 1);
  int clicks = 0;
  int accepted = 0;
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND solved = ::GetDlgItem(frame.ControlsWindow(), IDC_FEEDBACK_SOLVED);
    const RECT r = WindowRectOf(solved);
    MovePointer(r.left + 5, (r.top + r.bottom) / 2);  // on the 9-pixel shadow margin
    PressLeft();
    EXPECT_TRUE(look.Shows(solved, 3));
    ReleaseLeft();
    Click(CentreOf(solved));
    ASSERT_TRUE(WaitUntilInputHandled(solved));
    clicks = frame.Controls()->m_solvedClicks;
    accepted = frame.Controls()->m_solvedAccepted;
  });
  EXPECT_EQ(2, clicks);    // the system button reports both clicks
  EXPECT_EQ(1, accepted);  // only the one in the hit area counts
}

TEST_F(SkinControlsTest, PngButtonDropsTheLastImageRowAndColumnAboveScaleOne) {
  // A real owner-drawn button window, drawn through DrawItem into a picture of our own.
  const HWND host = ::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 100, 100, nullptr,
                                      nullptr, nullptr, nullptr);
  const HWND window = ::CreateWindowExW(0, L"Button", L"", WS_CHILD | BS_OWNERDRAW, 0, 0, 39, 51,
                                        host, nullptr, nullptr, nullptr);
  CPngButton button;
  ASSERT_TRUE(button.SubclassWindow(window));
  ASSERT_TRUE(button.SetPngImages(IDP_CLOSE_NORMAL, IDP_CLOSE_HOVER, IDP_CLOSE_PRESSED,
                                  IDP_CLOSE_DISABLED));
  PngImage normal;
  ASSERT_TRUE(LoadPngResource(normal, IDP_CLOSE_NORMAL));
  ASSERT_EQ(26u, normal->GetWidth());
  ASSERT_EQ(34u, normal->GetHeight());

  auto drawn = [&](float scale, int width, int height) {
    button.m_scale = scale;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.hwndItem = window;
    dis.hDC = memory;
    dis.rcItem = {0, 0, width, height};
    button.DrawItem(&dis);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) pixels.push_back(::GetPixel(memory, x, y));
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
  };
  // Scale 1.0: one to one.
  const std::vector<COLORREF> one = drawn(1.0f, 26, 34);
  EXPECT_LT(MeanDifference(one, RenderLikeButton(nullptr, {}, normal.get(), {0, 0, 26, 34}, 26, 34)),
            1.0);
  // Scale 1.5: 25 × 33 source pixels stretched over 39 × 51.
  const std::vector<COLORREF> big = drawn(1.5f, 39, 51);
  const double trimmed =
      MeanDifference(big, RenderLikeButton(nullptr, {}, normal.get(), {0, 0, 25, 33}, 39, 51));
  const double whole =
      MeanDifference(big, RenderLikeButton(nullptr, {}, normal.get(), {0, 0, 26, 34}, 39, 51));
  EXPECT_LT(trimmed, 1.0);
  EXPECT_GT(whole, trimmed + 1.0);
  button.FreeImages();
  ::DestroyWindow(host);
}

TEST_F(SkinControlsTest, CheckBoxAtScaleOneDrawsBoxAtTopTwoAndCaptionAt18) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  PngImage strip;
  ASSERT_TRUE(LoadPngResource(strip, IDP_CHECKBOX));
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND check = ::GetDlgItem(frame.ControlsWindow(), IDC_TEST_CHECK);
    const RECT r = WindowRectOf(check);
    ASSERT_EQ(20, r.bottom - r.top);
    for (int cell : {16, 0}) {  // checked first, then unchecked after a click
      SCOPED_TRACE(cell);
      ASSERT_TRUE(driver::WaitUntilPainted(check, 2000));
      SaveScreenshot(cell ? L"check_box_checked" : L"check_box_unchecked", r);
      const ScreenPixels shot = CaptureScreen(r);
      const std::vector<COLORREF> box =
          RenderLikeButton(nullptr, {}, strip.get(), {cell, 0, cell + 16, 16}, 16, 16);
      auto region = [&](int top) {
        std::vector<COLORREF> pixels;
        for (int y = top; y < top + 16; ++y) {
          for (int x = 0; x < 16; ++x) pixels.push_back(shot.At(r.left + x, r.top + y));
        }
        return pixels;
      };
      EXPECT_LT(MeanDifference(region(2), box), 2.0);
      EXPECT_GT(MeanDifference(region(1), box), MeanDifference(region(2), box) + 1.0);
      EXPECT_GT(MeanDifference(region(3), box), MeanDifference(region(2), box) + 1.0);
      // The caption's first ink lies at or just right of x 18; columns 16 and 17 stay white.
      int firstInk = -1;
      for (int x = 16; x < r.right - r.left && firstInk < 0; ++x) {
        for (int y = 0; y < 20; ++y) {
          if (shot.At(r.left + x, r.top + y) != RGB(255, 255, 255)) {
            firstInk = x;
            break;
          }
        }
      }
      EXPECT_GE(firstInk, 18);
      EXPECT_LE(firstInk, 21);
      if (cell == 16) {
        Click({r.left + 8, r.top + 10});
        EXPECT_TRUE(WaitUntil([&] { return ::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED; },
                              2000));
      }
    }
  });
}

TEST_F(SkinControlsTest, LinkHoverRepaintsOncePerChangeAndBackgroundColourIsFixedAtFirstPaint) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const HWND link = ::GetDlgItem(controls, IDC_TEST_LINK);
    const RECT r = WindowRectOf(link);
    auto hover = [&](POINT p) {
      return ::SendMessageW(controls, WM_TEST_HOVER, static_cast<WPARAM>(p.x), p.y);
    };
    auto countColour = [&](COLORREF colour) {
      int n = 0;
      for (COLORREF c : CaptureScreen(r).pixels) n += c == colour;
      return n;
    };
    const COLORREF normal = RGB(92, 92, 255);
    const COLORREF hovered = RGB(0, 0, 255);
    EXPECT_GT(countColour(normal), 0);
    EXPECT_EQ(0, countColour(hovered));
    SaveScreenshot(L"link_normal", r);

    const POINT inside = {r.left + 3, r.top + 3};
    const POINT outside = {r.left - 3, r.top + 3};
    EXPECT_EQ(1, hover(inside));
    EXPECT_EQ(0, hover(inside));  // same side: no second repaint
    // Painted before the message returned; the screen may show it a moment later.
    EXPECT_TRUE(WaitUntil([&] { return countColour(hovered) > 0 && countColour(normal) == 0; }, 2000));
    SaveScreenshot(L"link_hover", r);
    EXPECT_EQ(1, hover(outside));
    EXPECT_EQ(0, hover(outside));
    EXPECT_TRUE(WaitUntil([&] { return countColour(normal) > 0; }, 2000));

    // The plain static: mode 5 draws no text; its green was set before the first paint.
    const HWND plain = ::GetDlgItem(controls, IDC_TEST_PLAIN);
    const RECT p = WindowRectOf(plain);
    auto allOf = [&](COLORREF colour) {
      for (COLORREF c : CaptureScreen(p).pixels) {
        if (c != colour) return false;
      }
      return true;
    };
    EXPECT_TRUE(allOf(RGB(0, 160, 0)));
    ::SendMessageW(controls, WM_TEST_PLAIN_BK, RGB(255, 0, 0), 0);  // repaints before it returns
    EXPECT_TRUE(allOf(RGB(0, 160, 0)));
    SaveScreenshot(L"static_mode5_after_setbkcolor", p);
  });
}

TEST_F(SkinControlsTest, WaitDotsAdvanceOnceASecond) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  std::vector<std::pair<ULONGLONG, int>> widths;  // time and width of the white text
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND wait = ::GetDlgItem(frame.ControlsWindow(), IDC_TEST_WAIT);
    const RECT r = WindowRectOf(wait);
    const ULONGLONG start = ::GetTickCount64();
    int saved = 0;
    while (::GetTickCount64() - start < 5200) {
      const ScreenPixels shot = CaptureScreen(r);
      int left = -1;
      int right = -1;
      for (int x = r.left; x < r.right; ++x) {
        for (int y = r.top; y < r.bottom; ++y) {
          const COLORREF c = shot.At(x, y);
          if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200) {
            if (left < 0) left = x;
            right = x;
          }
        }
      }
      const int width = left < 0 ? 0 : right - left + 1;
      if (width > 0 && (widths.empty() || widths.back().second != width)) {
        widths.push_back({::GetTickCount64() - start, width});
        if (saved < 4) SaveScreenshot(L"wait_dots_" + std::to_wstring(saved++), r);
      }
      ::Sleep(50);  // sampling period
    }
  });
  // Widths seen in order: each step one dot longer, three steps, then the bare text again.
  for (const auto& w : widths) std::printf("%llu ms: %d\n", w.first, w.second);
  ASSERT_GE(widths.size(), 5u);
  size_t bare = 0;
  while (bare + 4 < widths.size() && !(widths[bare + 1].second > widths[bare].second &&
                                       widths[bare + 2].second > widths[bare + 1].second &&
                                       widths[bare + 3].second > widths[bare + 2].second)) {
    ++bare;
  }
  ASSERT_LT(bare + 4, widths.size()) << "no rising run of three dots";
  EXPECT_EQ(widths[bare].second, widths[bare + 4].second);  // back to the bare text
  for (size_t i = bare + 1; i <= bare + 4; ++i) {
    const ULONGLONG step = widths[i].first - widths[i - 1].first;
    if (i > bare + 1) {
      EXPECT_GT(step, 700u) << i;
      EXPECT_LT(step, 1400u) << i;
    }
  }
}

TEST_F(SkinControlsTest, PatchEditKeepsDigitsAndShowsItsHint) {
  CTestSkinFrameDlg frame(AllControlsTestValues());
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const HWND edit = ::GetDlgItem(controls, IDC_TEST_EDIT);
    const POINT elsewhere = CentreOf(::GetDlgItem(controls, IDC_TEST_CHECK));
    const RECT r = WindowRectOf(edit);
    // Keys are checked once the box has handled them: a dropped key shows only in what the keys
    // after it leave behind.
    auto holds = [&](const std::wstring& text) {
      return WaitUntilInputHandled(edit) && WaitUntil([&] { return TextOf(edit) == text; }, 2000);
    };
    EXPECT_EQ(PATCH_EDIT_HINT, TextOf(edit));
    SaveScreenshot(L"edit_hint", r);

    Click(CentreOf(edit));
    EXPECT_TRUE(holds(L""));  // focus clears the hint
    for (WORD vk : {'1', '2', 'A', '4'}) PressKey(vk);
    EXPECT_TRUE(holds(L"124")) << "holds " << TextOf(edit).size() << " characters";
    PressKey(VK_SPACE);
    PressKey(VK_OEM_MINUS);
    PressKey('A', {VK_CONTROL});  // select-all dropped: the next digit is appended
    PressKey('5');
    EXPECT_TRUE(holds(L"1245"));
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    PressKey('X', {VK_CONTROL});  // cut dropped: the backspace below takes one digit
    EXPECT_TRUE(holds(L"1245"));
    ::SendMessageW(edit, EM_SETSEL, 4, 4);
    PressKey(VK_BACK);
    EXPECT_TRUE(holds(L"124"));
    PressKey('Z', {VK_CONTROL});  // undo dropped: the backspace stays
    PressKey('9');
    EXPECT_TRUE(holds(L"1249"));

    PutOnClipboard(L"KB123456");
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    PressKey('V', {VK_CONTROL});  // pasted text is not filtered
    EXPECT_TRUE(holds(L"KB123456"));
    SaveScreenshot(L"edit_pasted", r);

    // Emptied and left: the hint again; six digits are kept.
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    Click(elsewhere);
    EXPECT_TRUE(holds(PATCH_EDIT_HINT));
    Click(CentreOf(edit));
    EXPECT_TRUE(holds(L""));
    for (WORD vk : {'4', '5', '1', '6', '0', '5'}) PressKey(vk);
    Click(elsewhere);
    EXPECT_TRUE(holds(L"451605"));
    SaveScreenshot(L"edit_digits", r);

    // The hint pasted into the box is taken for the hint at the next focus.
    Click(CentreOf(edit));
    EXPECT_TRUE(holds(L"451605"));
    PutOnClipboard(PATCH_EDIT_HINT);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    PressKey('V', {VK_CONTROL});
    EXPECT_TRUE(holds(PATCH_EDIT_HINT));
    Click(elsewhere);
    EXPECT_TRUE(holds(PATCH_EDIT_HINT));
    Click(CentreOf(edit));
    EXPECT_TRUE(holds(L""));
  });
}
