// The tool's window at 96, 120 and 144 dots per inch: its geometry, dragging, minimising, keys,
// the About box, and the exit that removes the tool's folder.
#include "tests/dialogs/SkinTestKit.h"
#include "tests/system/ToolUnderTest.h"

#include "res/resource.h"
#include "ui/dialogs/SkinGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::wstring CurrentTestName() {
  const char* name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
  return std::wstring(name, name + strlen(name));
}

class ToolWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_tool.Start(m_start));
    ASSERT_TRUE(m_tool.WaitForMainWindow());
  }
  std::wstring DpiName() const { return std::to_wstring(static_cast<int>(m_scale * 100 + 0.5f)); }

  CGdiplusSession m_gdiplus;
  float m_scale = ScreenScaleFactor();
  ToolStart m_start;
  ToolUnderTest m_tool{CurrentTestName()};
};

SkinRect ClientRectIn(HWND control, HWND dialog) {
  RECT r = WindowRectOf(control);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return ToSkinRect(r);
}

void Drag(int x, int y, int dx, int dy) {
  driver::MovePointer(x, y);
  driver::PressLeft();
  for (int step = 1; step <= 6; ++step) driver::MovePointer(x + dx * step / 6, y + dy * step / 6);
  driver::ReleaseLeft();
}

}  // namespace

TEST_F(ToolWindowTest, FrameAndControlsFollowTheScaleAndStandCentred) {
  const struct {
    float scale;
    int frameWidth, frameHeight, mainWidth, mainHeight;
  } sizes[] = {{1.0f, 410, 611, 400, 600}, {1.2f, 491, 731, 479, 719}, {1.44f, 589, 878, 575, 863}};
  const auto size = std::find_if(std::begin(sizes), std::end(sizes),
                                 [&](const auto& s) { return s.scale == m_scale; });
  ASSERT_NE(std::end(sizes), size) << m_scale;
  const SkinRect frame = ToSkinRect(WindowRectOf(m_tool.Frame()));
  const SkinRect main = ToSkinRect(WindowRectOf(m_tool.Main()));
  EXPECT_EQ(size->frameWidth, frame.Width());
  EXPECT_EQ(size->frameHeight, frame.Height());
  EXPECT_EQ(size->mainWidth, main.Width());
  EXPECT_EQ(size->mainHeight, main.Height());
  EXPECT_EQ(FollowRect(MAIN_PAIR, main, m_scale), frame);
  EXPECT_EQ(ControlsPlacement(MAIN_PAIR,
                              CentredFrameRect(MAIN_PAIR, m_scale, ::GetSystemMetrics(SM_CXSCREEN),
                                               ::GetSystemMetrics(SM_CYSCREEN)),
                              m_scale),
            main);
  if (m_scale == 1.0f) {
    EXPECT_EQ((SkinRect{77, 255, 323, 275}),
              ClientRectIn(m_tool.Control(IDC_PATCH_EDIT), m_tool.Main()));
    EXPECT_EQ((SkinRect{77, 306, 323, 353}),
              ClientRectIn(m_tool.Control(IDC_UNINSTALL), m_tool.Main()));
    EXPECT_EQ((SkinRect{45, 540, 103, 558}),
              ClientRectIn(m_tool.Control(IDC_MORE_TOOLS), m_tool.Main()));
  }
  EXPECT_EQ(L"1.9.22.1021", driver::GetText(m_tool.Control(IDC_VERSION)));
  EXPECT_EQ(L"Dov10arevarez", driver::GetText(m_tool.Frame()));
  SaveScreenshot(L"main_window_" + DpiName(), WindowRectOf(m_tool.Frame()));
}

TEST_F(ToolWindowTest, OnlyTheTopStripShortOfTheButtonsDragsBothWindows) {
  const RECT client = ClientRectOnScreen(m_tool.Main());
  const SkinRect main0 = ToSkinRect(WindowRectOf(m_tool.Main()));
  const SkinRect frame0 = ToSkinRect(WindowRectOf(m_tool.Frame()));
  // Below the strip, and in the strip's right end beside the minimise button: no drag.
  for (POINT p :
       {POINT{client.left + 40, client.top + ScaledTrunc(100, m_scale)},
        POINT{client.right - ScaledTrunc(70, m_scale), client.top + ScaledTrunc(12, m_scale)}}) {
    Drag(p.x, p.y, 40, 30);
    ASSERT_TRUE(m_tool.Idle());
    EXPECT_EQ(main0, ToSkinRect(WindowRectOf(m_tool.Main())));
    EXPECT_EQ(frame0, ToSkinRect(WindowRectOf(m_tool.Frame())));
  }
  Drag(client.left + 40, client.top + ScaledTrunc(12, m_scale), 40, 30);
  ASSERT_TRUE(m_tool.Idle());
  const SkinRect main1 = ToSkinRect(WindowRectOf(m_tool.Main()));
  EXPECT_EQ((SkinRect{main0.left + 40, main0.top + 30, main0.right + 40, main0.bottom + 30}),
            main1);
  EXPECT_EQ(FollowRect(MAIN_PAIR, main1, m_scale), ToSkinRect(WindowRectOf(m_tool.Frame())));
}

TEST_F(ToolWindowTest, MinimiseButtonMinimisesBothWindowsAndKeysEndNothing) {
  ::SendMessageW(m_tool.Main(), WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(m_tool.Control(IDC_PATCH_EDIT)), TRUE);
  for (WORD key : {VK_RETURN, VK_ESCAPE}) driver::PressKey(key);
  ASSERT_TRUE(m_tool.Idle());
  EXPECT_TRUE(::IsWindowVisible(m_tool.Main()));
  EXPECT_TRUE(::IsWindowVisible(m_tool.Frame()));

  driver::ClickCentre(m_tool.Control(IDC_BTN_MINIMIZE));
  EXPECT_TRUE(WaitUntil(
      [&] { return ::IsIconic(m_tool.Frame()) && !::IsWindowVisible(m_tool.Main()); }, 5000));
  ::ShowWindow(m_tool.Frame(), SW_RESTORE);
  EXPECT_TRUE(WaitUntil(
      [&] { return !::IsIconic(m_tool.Frame()) && ::IsWindowVisible(m_tool.Main()); }, 5000));
}

TEST_F(ToolWindowTest, SystemMenuOpensTheAboutBox) {
  ::PostMessageW(m_tool.Frame(), WM_SYSCOMMAND, 0x10, 0);
  driver::WindowQuery about;
  about.title = L"关于 TarnellSystemPatchUninstallTool";
  const HWND box = driver::WaitForWindow(about, 5000);
  ASSERT_NE(nullptr, box);
  SaveScreenshot(L"about_" + DpiName(), WindowRectOf(box));
  driver::ClickCentre(::GetDlgItem(box, IDOK));
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box); }, 5000));
}

// The close button asks the feedback question; then the process ends and, three seconds later,
// its folder is gone, also when it was the tool's current directory, as a double click in
// Explorer starts it.
class ToolStartedInItsFolderTest : public ToolWindowTest {
protected:
  void SetUp() override {
    m_start.startedIn = StartedIn::ToolFolder;
    ToolWindowTest::SetUp();
  }
};

TEST_F(ToolStartedInItsFolderTest, ClosingAsksForFeedbackAndRemovesTheToolsFolder) {
  ASSERT_TRUE(m_tool.CloseAnsweringOther());
  driver::PumpMessages(1000);  // the removal waits three seconds for the tool to end
  EXPECT_TRUE(fs::exists(m_tool.Folder())) << "removed at once";
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(m_tool.Folder()); }, 15000)) << m_tool.Folder();
}

class ToolWithForeignFileTest : public ToolWindowTest {
protected:
  void SetUp() override {
    m_start.foreignFile = true;
    ToolWindowTest::SetUp();
  }
};

TEST_F(ToolWithForeignFileTest, AFolderHoldingAnotherFileIsKept) {
  ASSERT_TRUE(m_tool.CloseAnsweringOther());
  // A removal would come three seconds after the exit.
  driver::PumpMessages(6000);
  EXPECT_TRUE(fs::exists(m_tool.Folder() / L"我的笔记.txt"));
}
