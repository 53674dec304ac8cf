// The skinned pair on a real screen: geometry at the prompt's sizes, dragging, per-pixel alpha,
// keys, closing and the frame without its picture. Runs at 96 and at 120 dots per inch.
#include "tests/dialogs/SkinTestKit.h"
#include "tests/dialogs/TestSkinPair.h"

#include "res/resource.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {

std::wstring DpiSuffix(float s) { return s > 1.0f ? L"_120dpi" : L"_96dpi"; }

RECT Grown(RECT r, int by) {
  ::InflateRect(&r, by, by);
  return r;
}

RECT Offset(RECT r, int dx, int dy) {
  ::OffsetRect(&r, dx, dy);
  return r;
}

// A plain window of one colour behind the pair, so that blending can be seen.
class Backdrop {
public:
  explicit Backdrop(COLORREF color) : m_brush(::CreateSolidBrush(color)) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = m_brush;
    wc.lpszClassName = L"SkinTestBackdrop";
    ::RegisterClassW(&wc);
    m_hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                               ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                               nullptr, nullptr, wc.hInstance, nullptr);
    ::UpdateWindow(m_hwnd);
  }
  ~Backdrop() {
    ::DestroyWindow(m_hwnd);
    ::UnregisterClassW(L"SkinTestBackdrop", ::GetModuleHandleW(nullptr));
    ::DeleteObject(m_brush);
  }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;

private:
  HBRUSH m_brush;
  HWND m_hwnd;
};

class SkinPairTest : public ::testing::Test {
protected:
  CGdiplusSession m_gdiplus;
  float m_scale = ScreenScaleFactor();
};

}  // namespace

TEST_F(SkinPairTest, GeometryOfFrameAndControlsFollowsTheScaleFactor) {
  CTestSkinFrameDlg frame(PromptTestValues());
  frame.m_scale = m_scale;
  RECT frameRect = {};
  RECT controlsRect = {};
  std::vector<SIZE> layouts;
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    frameRect = WindowRectOf(frame.m_hWnd);
    controlsRect = WindowRectOf(frame.ControlsWindow());
    layouts = frame.Controls()->m_layoutSizes;
    SaveScreenshot(L"prompt_pair" + DpiSuffix(m_scale), Grown(frameRect, 12));
  });

  const SkinRect frameSize = ToSkinRect(frameRect);
  const SkinRect controls = ToSkinRect(controlsRect);
  ASSERT_GE(layouts.size(), 2u);
  const SIZE created = layouts[1];  // the frame's placement at creation
  if (m_scale == 1.0f) {
    EXPECT_EQ(336, frameSize.Width());
    EXPECT_EQ(156, frameSize.Height());
    EXPECT_EQ(326, created.cx);
    EXPECT_EQ(146, created.cy);
  } else {
    ASSERT_EQ(1.2f, m_scale);
    EXPECT_EQ(403, frameSize.Width());
    EXPECT_EQ(187, frameSize.Height());
    // 10·s is slightly above 12 with the float factor: one pixel less than 391 × 175.
    EXPECT_EQ(390, created.cx);
    EXPECT_EQ(174, created.cy);
  }
  // After the framework centred the frame, its move carried the controls dialog along.
  EXPECT_EQ(FrameLeadsRect(PROMPT_PAIR, frameSize, m_scale), controls);
  EXPECT_EQ(controls.Width(), layouts.back().cx);
  EXPECT_EQ(controls.Height(), layouts.back().cy);
  // Centred on the screen (no owner window).
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  EXPECT_LE(std::abs(frameSize.left + frameSize.right - screenWidth), 1);
}

TEST_F(SkinPairTest, DraggingTheStripMovesBothAndHandsTheLeadToTheControls) {
  CTestSkinFrameDlg frame(PromptTestValues());
  frame.m_scale = m_scale;
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const RECT frame0 = WindowRectOf(frame.m_hWnd);
    const RECT controls0 = WindowRectOf(controls);
    const RECT client0 = ClientRectOnScreen(controls);

    // The body below the strip and the frame's shadow border are no drag handles.
    EXPECT_TRUE(Drag(controls, client0.left + 8, client0.top + ScaledTrunc(120, m_scale), 50, 30));
    EXPECT_EQ(ToSkinRect(frame0), ToSkinRect(WindowRectOf(frame.m_hWnd)));
    EXPECT_EQ(ToSkinRect(controls0), ToSkinRect(WindowRectOf(controls)));
    EXPECT_TRUE(Drag(controls, frame0.left + 3, (frame0.top + frame0.bottom) / 2, 50, 30));
    EXPECT_EQ(ToSkinRect(frame0), ToSkinRect(WindowRectOf(frame.m_hWnd)));
    EXPECT_EQ(ToSkinRect(controls0), ToSkinRect(WindowRectOf(controls)));
    // The strip's right end belongs to the close button.
    const int stripRight = client0.right - ScaledTrunc(26, m_scale);
    EXPECT_TRUE(Drag(controls, stripRight + 2, client0.top + ScaledTrunc(4, m_scale), 50, 30));
    EXPECT_EQ(ToSkinRect(controls0), ToSkinRect(WindowRectOf(controls)));

    // The title band moves both; the frame now follows the controls dialog.
    EXPECT_TRUE(Drag(controls, client0.left + 40, client0.top + ScaledTrunc(12, m_scale), 60, 40));
    const RECT controls1 = WindowRectOf(controls);
    EXPECT_EQ(ToSkinRect(Offset(controls0, 60, 40)), ToSkinRect(controls1));
    EXPECT_EQ(FollowRect(PROMPT_PAIR, ToSkinRect(controls1), m_scale),
              ToSkinRect(WindowRectOf(frame.m_hWnd)));
    SaveScreenshot(L"prompt_pair_dragged" + DpiSuffix(m_scale), Grown(WindowRectOf(frame.m_hWnd), 12));

    // Moving the frame by other means no longer carries the controls dialog.
    // Handled on the pair's thread before SetWindowPos returns.
    ::SetWindowPos(frame.m_hWnd, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(20, WindowRectOf(frame.m_hWnd).left);
    EXPECT_EQ(ToSkinRect(controls1), ToSkinRect(WindowRectOf(controls)));
  });
}

TEST_F(SkinPairTest, WaitPairSitsInsetAndCannotBeDragged) {
  CTestSkinFrameDlg frame(WaitTestValues());
  frame.m_scale = m_scale;
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const RECT frame0 = WindowRectOf(frame.m_hWnd);
    const RECT controls0 = WindowRectOf(controls);
    SaveScreenshot(L"wait_pair" + DpiSuffix(m_scale), Grown(frame0, 12));
    if (m_scale == 1.0f) {
      EXPECT_EQ(232, frame0.right - frame0.left);
      EXPECT_EQ(132, frame0.bottom - frame0.top);
      EXPECT_EQ(frame0.left + 14, controls0.left);
      EXPECT_EQ(frame0.top + 12, controls0.top);
      EXPECT_EQ(204, controls0.right - controls0.left);
      EXPECT_EQ(104, controls0.bottom - controls0.top);
    }
    EXPECT_EQ(FrameLeadsRect(EXECUTE_PROMPT_PAIR, ToSkinRect(frame0), m_scale),
              ToSkinRect(controls0));
    // Neither the top of the panel nor its middle nor the frame's border is a drag handle.
    for (POINT p : {POINT{controls0.left + 20, controls0.top + 5},
                    POINT{(controls0.left + controls0.right) / 2, controls0.bottom - 10},
                    POINT{frame0.left + 4, (frame0.top + frame0.bottom) / 2}}) {
      EXPECT_TRUE(Drag(controls, p.x, p.y, 50, 30));
      EXPECT_EQ(ToSkinRect(frame0), ToSkinRect(WindowRectOf(frame.m_hWnd)));
      EXPECT_EQ(ToSkinRect(controls0), ToSkinRect(WindowRectOf(controls)));
    }
  });
}

TEST_F(SkinPairTest, FramePictureAlphaReachesTheScreen) {
  const COLORREF red = RGB(255, 0, 0);
  Backdrop backdrop(red);
  CTestSkinFrameDlg frame(PromptTestValues());
  frame.m_scale = m_scale;
  // What the frame's own picture holds at each pixel: stretched as the frame stretches it.
  PngImage picture;
  ASSERT_TRUE(LoadPngResource(picture, IDP_PROMPT_FRAME));
  const SkinRect size = FrameSizeRect(PROMPT_PAIR, m_scale);
  Gdiplus::Bitmap composed(size.Width(), size.Height(), PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&composed);
    graphics.DrawImage(picture.get(), 0, 0, size.Width(), size.Height());
  }
  // A pixel the picture holds with alpha a must show its colour composed over what lies
  // beneath. Windows blends it with the backdrop; Wine's X11 driver cuts the window to the
  // pixels with any alpha and shows the premultiplied colour over black. Either way the alpha
  // reached the system: a device-compatible picture would have made the corner opaque black.
  auto composedAt = [&](int x, int y, COLORREF under) {
    Gdiplus::Color source;
    composed.GetPixel(x, y, &source);
    const double a = source.GetA() / 255.0;
    auto mix = [&](int channel, int beneath) {
      return static_cast<int>(channel * a + beneath * (1 - a) + 0.5);
    };
    return RGB(mix(source.GetR(), GetRValue(under)), mix(source.GetG(), GetGValue(under)),
               mix(source.GetB(), GetBValue(under)));
  };
  auto similar = [](COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= 12 &&
           std::abs(GetGValue(a) - GetGValue(b)) <= 12 && std::abs(GetBValue(a) - GetBValue(b)) <= 12;
  };
  // The partly transparent pixels across the left shadow, half-way down.
  std::vector<int> partial;
  for (int x = 0; x < 5 * m_scale; ++x) {
    Gdiplus::Color source;
    composed.GetPixel(x, size.Height() / 2, &source);
    if (source.GetA() != 0 && source.GetA() != 255) partial.push_back(x);
  }
  ASSERT_FALSE(partial.empty()) << "the frame picture has no soft shadow";

  RECT frameRect = {};
  ScreenPixels shot;
  auto shadowShown = [&](int x) {
    const int y = size.Height() / 2;
    const COLORREF seen = shot.At(frameRect.left + x, frameRect.top + y);
    return similar(composedAt(x, y, red), seen) || similar(composedAt(x, y, RGB(0, 0, 0)), seen);
  };
  RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    frameRect = WindowRectOf(frame.m_hWnd);
    // The window system may show a layered picture a moment after it was handed over.
    WaitUntil([&] {
      shot = CaptureScreen(frameRect);
      return std::all_of(partial.begin(), partial.end(), shadowShown);
    }, 2000);
    SaveScreenshot(L"prompt_pair_over_red" + DpiSuffix(m_scale), Grown(frameRect, 12));
  });
  ASSERT_FALSE(shot.pixels.empty());
  Gdiplus::Color corner;
  composed.GetPixel(0, 0, &corner);
  EXPECT_EQ(0, corner.GetA());
  EXPECT_EQ(red, shot.At(frameRect.left, frameRect.top));
  for (int x : partial) {
    EXPECT_TRUE(shadowShown(x)) << "x " << x << " seen " << std::hex
                                << shot.At(frameRect.left + x, frameRect.top + size.Height() / 2);
  }
}

TEST_F(SkinPairTest, KeysNeverEndTheControlsDialogAndTheCloseButtonEndsThePair) {
  std::vector<std::string> destroyed;
  CTestSkinChildDlg::s_destroyLog = &destroyed;
  CTestSkinFrameDlg frame(PromptTestValues());
  frame.m_scale = m_scale;
  const INT_PTR result = RunModalWithDriver(frame, [&] {
    ASSERT_TRUE(WaitUntilShown(frame));
    const HWND controls = frame.ControlsWindow();
    const RECT client = ClientRectOnScreen(controls);
    const RECT outer = WindowRectOf(frame.m_hWnd);
    // Keys after a click on the controls dialog's body, then after one on the frame's shadow
    // border: the frame hands activation to the controls dialog, which stays above it.
    for (POINT p : {POINT{client.left + 8, client.bottom - 8},
                    POINT{outer.left + 2, (outer.top + outer.bottom) / 2}}) {
      MovePointer(p.x, p.y);
      PressLeft();
      ReleaseLeft();
      ASSERT_TRUE(WaitUntilInputHandled(controls));
      EXPECT_EQ(controls, ::GetForegroundWindow());
      EXPECT_EQ(controls, ::GetWindow(frame.m_hWnd, GW_HWNDPREV));
      PressKey(VK_RETURN);
      PressKey(VK_ESCAPE);
      PressKey(VK_TAB);
      PressKey(VK_RETURN);
      ASSERT_TRUE(WaitUntilInputHandled(controls));
      EXPECT_TRUE(::IsWindow(controls));
      EXPECT_TRUE(::IsWindowVisible(controls));
      EXPECT_TRUE(::IsWindowVisible(frame.m_hWnd));
    }
    // Alt+F4 in the controls dialog does not close it either.
    MovePointer(client.left + 8, client.bottom - 8);
    PressLeft();
    ReleaseLeft();
    PressKey(VK_F4, {VK_MENU});
    ASSERT_TRUE(WaitUntilInputHandled(controls));
    EXPECT_TRUE(::IsWindowVisible(controls));
    EXPECT_TRUE(::IsWindowVisible(frame.m_hWnd));

    const RECT close = WindowRectOf(::GetDlgItem(controls, IDC_BTN_CLOSE));
    MovePointer((close.left + close.right) / 2, (close.top + close.bottom) / 2);
    PressLeft();
    ReleaseLeft();
    WaitUntil([&] { return !::IsWindow(controls); }, 5000);
  });
  CTestSkinChildDlg::s_destroyLog = nullptr;
  EXPECT_EQ(IDCANCEL, result);
  // The owned controls dialog goes before its frame.
  EXPECT_EQ((std::vector<std::string>{"controls", "frame"}), destroyed);
}

TEST_F(SkinPairTest, FrameWithoutItsPictureEndsWithCancel) {
  CTestSkinFrameDlg frame(MissingFramePictureValues());
  frame.m_scale = m_scale;
  // It must end by itself; a watchdog closes it, and says so, if it does not.
  std::atomic<bool> ended{false};
  std::atomic<bool> closedByWatchdog{false};
  std::thread watchdog([&] {
    if (WaitUntil([&] { return ended.load(); }, 10000)) return;
    closedByWatchdog = true;
    while (!ended) {
      ::PostMessageW(frame.m_hWnd, WM_CLOSE, 0, 0);
      driver::PumpMessages(100);
    }
  });
  const INT_PTR result = frame.DoModal();
  ended = true;
  watchdog.join();
  EXPECT_FALSE(closedByWatchdog);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_FALSE(frame.m_controlsMade);
}

TEST_F(SkinPairTest, PngMemoryGoesWithItsImage) {
  PROCESS_MEMORY_COUNTERS_EX before = {};
  PROCESS_MEMORY_COUNTERS_EX after = {};
  for (int i = 0; i < 20; ++i) {  // warm up GDI+ and the heap
    PngImage image;
    ASSERT_TRUE(LoadPngResource(image, IDP_FEEDBACK_CHILD));
    EXPECT_EQ(400u, image->GetWidth());
  }
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&before), sizeof(before));
  const HRSRC info = ::FindResourceW(nullptr, MAKEINTRESOURCEW(IDP_FEEDBACK_CHILD), L"PNG");
  ASSERT_NE(nullptr, info);
  const SIZE_T bytes = ::SizeofResource(nullptr, info);
  const int rounds = 400;
  for (int i = 0; i < rounds; ++i) {
    PngImage image;
    ASSERT_TRUE(LoadPngResource(image, IDP_FEEDBACK_CHILD));
    EXPECT_EQ(468u, image->GetHeight());
  }
  ::GetProcessMemoryInfo(::GetCurrentProcess(),
                         reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&after), sizeof(after));
  // Keeping every copy would grow the process by rounds × bytes.
  EXPECT_LT(after.PrivateUsage, before.PrivateUsage + bytes * rounds / 4)
      << "resource of " << bytes << " bytes";
}

TEST(LoadPngResource, MissingResourceFailsAndLeavesTheImageAlone) {
  CGdiplusSession gdiplus;
  Gdiplus::Image* image = nullptr;
  EXPECT_FALSE(LoadPngResource(&image, 9999));
  EXPECT_EQ(nullptr, image);
  ASSERT_TRUE(LoadPngResource(&image, IDP_PROMPT_FRAME));
  ASSERT_NE(nullptr, image);
  EXPECT_EQ(330u, image->GetWidth());
  EXPECT_EQ(150u, image->GetHeight());
  delete image;
}

TEST(LoadPngResource, PicturesDecodedAheadAreHandedOverOnceAndMissingOnesStillFail) {
  CGdiplusSession gdiplus;
  PrefetchPngResources({IDP_PROMPT_FRAME, 9999, IDP_PROMPT_CHILD});
  for (int round = 0; round < 2; ++round) {  // the second load decodes anew
    PngImage frame, child;
    ASSERT_TRUE(LoadPngResource(frame, IDP_PROMPT_FRAME)) << round;
    EXPECT_EQ(330u, frame->GetWidth());
    ASSERT_TRUE(LoadPngResource(child, IDP_PROMPT_CHILD)) << round;
    EXPECT_EQ(320u, child->GetWidth());
    PngImage missing;
    EXPECT_FALSE(LoadPngResource(missing, 9999));
  }
  DiscardPrefetchedPngResources();
}
