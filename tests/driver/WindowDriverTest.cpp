// The driver on real windows: one in this process for exact pointer and pixel checks, and a
// dialog program driven from outside as the tool's tests drive the tool.
#include "tests/driver/WindowDriver.h"

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/GdiObjects.h"
#include "framework/GdiplusSession.h"
#include "framework/Wnd.h"
#include "tests/driver/DriverTargetResource.h"

namespace {

constexpr COLORREF kKnownColour = RGB(10, 200, 30);
constexpr wchar_t kClassName[] = L"WindowDriverTestWindow";

// Records the mouse messages of a plain top-level window.
class MouseRecorder : public CWnd {
public:
  UINT lastMessage = 0;
  POINT lastPoint = {-1, -1};
  int moves = 0;

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
      lastMessage = message;
      lastPoint = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      moves += message == WM_MOUSEMOVE;
    }
    return CWnd::OnMessage(message, wParam, lParam, result);
  }
};

// A visible popup filled with kKnownColour, on this thread.
class KnownWindow : public ::testing::Test {
protected:
  void SetUp() override {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = brush;
    wc.lpszClassName = kClassName;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    ASSERT_NE(0, ::RegisterClassW(&wc));
    window = ::CreateWindowExW(0, kClassName, L"Known", WS_POPUP | WS_VISIBLE, 100, 120, 200,
                               150, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(recorder.SubclassWindow(window));
    driver::BringToFront(window);
    ASSERT_TRUE(driver::WaitUntilForeground(window, 2000));
    ASSERT_TRUE(driver::WaitUntilPainted(window, 2000));
  }
  void TearDown() override {
    if (window) ::DestroyWindow(window);
    ::UnregisterClassW(kClassName, ::GetModuleHandleW(nullptr));
  }
  ScopedBrush brush{::CreateSolidBrush(kKnownColour)};
  HWND window = nullptr;
  MouseRecorder recorder;
};

TEST_F(KnownWindow, PointerAndLeftButtonReachTheWindowUnderThePointer) {
  driver::MovePointerTo(window, 20, 30);
  EXPECT_TRUE(driver::WaitUntil([&] { return recorder.moves > 0; }, 2000));
  EXPECT_EQ(static_cast<UINT>(WM_MOUSEMOVE), recorder.lastMessage);
  EXPECT_EQ(20, recorder.lastPoint.x);
  EXPECT_EQ(30, recorder.lastPoint.y);
  POINT cursor;
  ::GetCursorPos(&cursor);
  EXPECT_EQ(120, cursor.x);
  EXPECT_EQ(150, cursor.y);

  driver::PressLeft();
  EXPECT_TRUE(driver::WaitUntil([&] { return recorder.lastMessage == WM_LBUTTONDOWN; }, 2000));
  driver::ReleaseLeft();
  EXPECT_TRUE(driver::WaitUntil([&] { return recorder.lastMessage == WM_LBUTTONUP; }, 2000));
  EXPECT_EQ(20, recorder.lastPoint.x);
  EXPECT_EQ(30, recorder.lastPoint.y);
}

TEST_F(KnownWindow, ScreenshotsShowTheWindowsColoursAndSaveAsPng) {
  ScreenCapture capture;
  ASSERT_TRUE(capture.CaptureWindow(window));
  EXPECT_EQ(200, capture.width());
  EXPECT_EQ(150, capture.height());
  EXPECT_EQ(kKnownColour, capture.Pixel(100, 75));
  EXPECT_EQ(kKnownColour, capture.Pixel(0, 0));
  EXPECT_EQ(CLR_INVALID, capture.Pixel(200, 0));

  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring dir = std::wstring(temp) + L"driver-shots";
  wchar_t given[MAX_PATH] = {};
  const bool wasGiven = ::GetEnvironmentVariableW(L"SCREENSHOT_DIR", given, MAX_PATH) > 0;
  ::SetEnvironmentVariableW(L"SCREENSHOT_DIR", dir.c_str());
  EXPECT_EQ(dir + L"\\", driver::ScreenshotDir());
  const std::wstring path = driver::SaveScreenshot(window, L"known_colour");
  ::SetEnvironmentVariableW(L"SCREENSHOT_DIR", wasGiven ? given : nullptr);
  ASSERT_EQ(dir + L"\\known_colour.png", path);

  // The file is a PNG that decodes to the same picture.
  {
    const CGdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.IsStarted());
    Gdiplus::Bitmap saved(path.c_str());
    ASSERT_EQ(Gdiplus::Ok, saved.GetLastStatus());
    GUID format;
    saved.GetRawFormat(&format);
    EXPECT_TRUE(IsEqualGUID(Gdiplus::ImageFormatPNG, format));
    EXPECT_EQ(200u, saved.GetWidth());
    Gdiplus::Color colour;
    saved.GetPixel(100, 75, &colour);
    EXPECT_EQ(kKnownColour, colour.ToCOLORREF());
  }
  ::DeleteFileW(path.c_str());
  ::RemoveDirectoryW(dir.c_str());

  ScreenCapture screen;
  ASSERT_TRUE(screen.CaptureScreen());
  EXPECT_EQ(::GetSystemMetrics(SM_CXSCREEN), screen.width());
  EXPECT_EQ(kKnownColour, screen.Pixel(200, 195));  // the window's centre on the screen
}

TEST_F(KnownWindow, WindowsAreFoundByClassTitleOwnerAndProcess) {
  const HWND popup = ::CreateWindowExW(0, L"STATIC", L"Owned", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                       20, window, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, popup);
  driver::WindowQuery query;
  query.owner = window;
  EXPECT_EQ(popup, driver::FindTopLevelWindow(query));
  query.className = L"Static";
  query.title = L"Owned";
  query.processId = ::GetCurrentProcessId();
  EXPECT_EQ(popup, driver::WaitForWindow(query, 1000));
  query.title = L"Other";
  EXPECT_EQ(nullptr, driver::WaitForWindow(query, 100));

  driver::WindowQuery byClass;
  byClass.className = kClassName;
  EXPECT_EQ(window, driver::FindTopLevelWindow(byClass));
  ::ShowWindow(window, SW_HIDE);
  EXPECT_EQ(nullptr, driver::FindTopLevelWindow(byClass));  // visible windows only by default
  byClass.visibleOnly = false;
  EXPECT_EQ(window, driver::FindTopLevelWindow(byClass));
  ::DestroyWindow(popup);
}

TEST(ObjectCounts, FollowCreationAndDeletion) {
  const DWORD gdiBefore = driver::GetProcessGdiObjectCount();
  ASSERT_GT(gdiBefore, 0u);
  {
    ScopedBrush brushes[5];
    for (int i = 0; i < 5; ++i) brushes[i].reset(::CreateSolidBrush(RGB(i, 1, 2)));
    EXPECT_EQ(gdiBefore + 5, driver::GetProcessGdiObjectCount());
  }
  EXPECT_EQ(gdiBefore, driver::GetProcessGdiObjectCount());

  const DWORD userBefore = driver::GetProcessUserObjectCount();
  HWND windows[3];
  for (HWND& hwnd : windows)
    hwnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             nullptr, nullptr);
  EXPECT_EQ(userBefore + 3, driver::GetProcessUserObjectCount());
  for (HWND hwnd : windows) ::DestroyWindow(hwnd);
  EXPECT_EQ(userBefore, driver::GetProcessUserObjectCount());
}

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                        size, nullptr, nullptr);
  return result;
}

std::wstring BesideThisProgram(const wchar_t* name) {
  wchar_t path[MAX_PATH];
  const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring result(path, length);
  return result.substr(0, result.find_last_of(L"\\/") + 1) + name;
}

bool PutOnClipboard(const std::wstring& text) {
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  ScopedGlobalMemory memory(GMEM_MOVEABLE, bytes);
  if (!memory) return false;
  {
    ScopedGlobalLock lock(memory.get());
    if (!lock.get()) return false;
    std::memcpy(lock.get(), text.c_str(), bytes);
  }
  if (!::OpenClipboard(nullptr)) return false;
  ::EmptyClipboard();
  const bool placed = ::SetClipboardData(CF_UNICODETEXT, memory.get()) != nullptr;
  if (placed) memory.release();  // the clipboard owns it now
  ::CloseClipboard();
  return placed;
}

TEST(DriverTarget, FindsListsClicksTypesAndEndsADialogInAnotherProcess) {
  StartedProcess target = StartedProcess::Start(BesideThisProgram(L"driver_target.exe"));
  ASSERT_TRUE(target);
  driver::WindowQuery query;
  query.title = L"Driver Target";
  query.className = L"#32770";
  query.processId = target.id();
  const HWND dialog = driver::WaitForWindow(query, 15000);
  ASSERT_NE(nullptr, dialog);

  const auto controls = driver::ListControls(dialog);
  EXPECT_EQ(8u, controls.size());
  driver::ControlInfo edit, button, count, swatch, hidden, disabled;
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_EDIT, &edit));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_COUNT_BUTTON, &button));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_COUNT, &count));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_SWATCH, &swatch));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_HIDDEN, &hidden));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_DISABLED, &disabled));
  EXPECT_FALSE(driver::FindControl(dialog, 4711, &edit));
  ASSERT_TRUE(driver::FindControl(dialog, IDC_TARGET_EDIT, &edit));
  EXPECT_EQ(L"Edit", edit.className);
  EXPECT_EQ(L"计数", button.text);
  EXPECT_EQ(L"0", count.text);
  EXPECT_TRUE(button.visible && button.enabled);
  EXPECT_FALSE(hidden.visible);
  EXPECT_TRUE(disabled.visible);
  EXPECT_FALSE(disabled.enabled);
  // Screen and client rectangles are the same rectangle, offset by the client origin.
  POINT origin = {0, 0};
  ::ClientToScreen(dialog, &origin);
  EXPECT_EQ(button.screen.left, button.client.left + origin.x);
  EXPECT_EQ(button.screen.bottom, button.client.bottom + origin.y);
  EXPECT_GT(button.client.right - button.client.left, 0);

  ASSERT_TRUE(driver::BringToFront(dialog));
  driver::ClickCentre(button.hwnd);
  EXPECT_TRUE(driver::WaitUntil([&] { return driver::GetText(count.hwnd) == L"1"; }, 3000));
  driver::ClickCentre(button.hwnd);
  EXPECT_TRUE(driver::WaitUntil([&] { return driver::GetText(count.hwnd) == L"2"; }, 3000));
  driver::ClickCentre(disabled.hwnd);  // a disabled button takes no click
  ASSERT_TRUE(driver::WaitUntilInputIdle(target.handle(), 3000));
  EXPECT_EQ(L"2", driver::GetText(count.hwnd));

  driver::ClickCentre(edit.hwnd);
  driver::TypeText(L"12ab补丁");
  EXPECT_TRUE(driver::WaitUntil([&] { return driver::GetText(edit.hwnd) == L"12ab补丁"; }, 3000))
      << "edit holds \"" << Utf8(driver::GetText(edit.hwnd)) << "\"";
  ASSERT_TRUE(PutOnClipboard(L"KB123456"));
  driver::PressKey(VK_END);
  driver::PressKey(VK_HOME, {VK_SHIFT});  // selects the line
  driver::PressKey(VK_DELETE);
  driver::PressKey('V', {VK_CONTROL});
  EXPECT_TRUE(driver::WaitUntil([&] { return driver::GetText(edit.hwnd) == L"KB123456"; }, 3000))
      << "edit holds \"" << Utf8(driver::GetText(edit.hwnd)) << "\"";

  ScreenCapture capture;
  ASSERT_TRUE(capture.CaptureRect(swatch.screen));
  EXPECT_EQ(static_cast<COLORREF>(TARGET_SWATCH_COLOUR),
            capture.Pixel(capture.width() / 2, capture.height() / 2));
  EXPECT_FALSE(driver::SaveScreenshot(dialog, L"driver_target").empty());
  EXPECT_FALSE(driver::SaveScreenshot(nullptr, L"driver_target_screen").empty());

  // Enter reaches the default button: OK, which ends the program with 100 plus the clicks.
  driver::PressKey(VK_RETURN);
  DWORD exitCode = 0;
  ASSERT_TRUE(target.WaitForExit(5000, &exitCode));
  EXPECT_EQ(static_cast<DWORD>(TARGET_EXIT_OK_BASE + 2), exitCode);
}

TEST(DriverTarget, ProcessStillRunningWhenItsOwnerGoesIsEnded) {
  HANDLE watch = nullptr;
  {
    StartedProcess target = StartedProcess::Start(L"driver_target.exe");  // found beside us
    ASSERT_TRUE(target);
    driver::WindowQuery query;
    query.processId = target.id();
    ASSERT_NE(nullptr, driver::WaitForWindow(query, 15000));
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), target.handle(), ::GetCurrentProcess(),
                                  &watch, SYNCHRONIZE, FALSE, 0));
    EXPECT_FALSE(target.WaitForExit(0));
  }
  EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(watch, 0));
  ::CloseHandle(watch);
}

}  // namespace
