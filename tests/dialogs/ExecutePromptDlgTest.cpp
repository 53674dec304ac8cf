// The wait dialog on a real screen: its text, dots and geometry; it cannot be dragged; it ends
// with IDOK when a worker closes it, also when the worker finished before the window existed;
// a close after the end does nothing; keys and window closing never end it.
#include "tests/dialogs/SkinTestKit.h"

#include "engine/SystemPatchEngine.h"
#include "res/resource.h"
#include "ui/dialogs/ExecutePromptDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

namespace {

constexpr DWORD WATCHDOG_MS = 10000;

struct Outcome {
  INT_PTR result = -1;
  bool endedByWatchdog = false;
};

class ExecutePromptDlgTest : public ::testing::Test {
protected:
  // Runs the dialog while `drive` works on a second thread with its frame and controls dialog
  // once both are shown; the dialog is then closed, as its creator's worker would.
  INT_PTR Run(CExecutePromptDlg& wait,
              const std::function<void(HWND frame, HWND controls)>& drive) {
    wait.m_scale = m_scale;
    return RunModalWithDriver(
        wait,
        [&] {
          ASSERT_TRUE(WaitUntilShown(wait));
          drive(wait.m_hWnd, ControlsWindowOf(wait.m_hWnd));
        },
        [&] { wait.Close(); });
  }

  // Runs the dialog and nothing else: it must end by itself. If it has not after a while, a
  // watchdog sends it the close message and says so.
  Outcome RunWatched(CExecutePromptDlg& wait) {
    wait.m_scale = m_scale;
    std::atomic<bool> ended{false};
    Outcome outcome;
    std::thread watchdog([&] {
      if (WaitUntil([&] { return ended.load(); }, WATCHDOG_MS)) return;
      outcome.endedByWatchdog = true;
      while (!ended) {
        if (wait.m_hWnd) ::PostMessageW(wait.m_hWnd, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
        driver::PumpMessages(100);
      }
    });
    outcome.result = wait.DoModal();
    ended = true;
    watchdog.join();
    return outcome;
  }

  CGdiplusSession m_gdiplus;
  float m_scale = ScreenScaleFactor();
};

// Columns of the status line that hold white (text) pixels: how wide the text with its dots is.
int TextWidth(HWND status) {
  const RECT r = WindowRectOf(status);
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
  return left < 0 ? 0 : right - left + 1;
}

}  // namespace

TEST_F(ExecutePromptDlgTest, TextsShorterThanTwoCharactersShowTheRepairText) {
  const struct {
    const wchar_t* text;
    const wchar_t* shown;
  } texts[] = {{L"", L"正在修复，请稍等"},
               {L"等", L"正在修复，请稍等"},
               {L"请稍", L"请稍"},
               {L"正在卸载，请稍等", L"正在卸载，请稍等"}};
  for (const auto& t : texts) {
    CExecutePromptDlg wait;
    wait.SetExecuteText(t.text);
    Run(wait, [&](HWND, HWND controls) {
      EXPECT_EQ(t.shown, driver::GetText(::GetDlgItem(controls, IDC_STATE_INFO)));
    });
  }
}

TEST_F(ExecutePromptDlgTest, PanelAndTextBandSitWhereTheyBelong) {
  ASSERT_EQ(1.0f, m_scale) << "written for 96 dots per inch";
  CExecutePromptDlg wait;
  wait.SetExecuteText(L"正在清理临时文件，请稍等");
  Run(wait, [&](HWND frame, HWND controls) {
    const RECT f = WindowRectOf(frame);
    const RECT c = WindowRectOf(controls);
    EXPECT_EQ((SkinRect{f.left, f.top, f.left + 232, f.top + 132}), ToSkinRect(f));
    EXPECT_EQ((SkinRect{f.left + 14, f.top + 12, f.left + 14 + 204, f.top + 12 + 104}),
              ToSkinRect(c));
    driver::ControlInfo status;
    ASSERT_TRUE(driver::FindControl(controls, IDC_STATE_INFO, &status));
    EXPECT_EQ((SkinRect{10, 42, 194, 82}), ToSkinRect(status.client));
    RECT shot = f;
    ::InflateRect(&shot, 12, 12);
    SaveScreenshot(L"wait", shot);
  });
}

TEST_F(ExecutePromptDlgTest, DotsStepOnceASecond) {
  CExecutePromptDlg wait;
  wait.SetExecuteText(L"正在卸载，请稍等");
  std::vector<std::pair<ULONGLONG, int>> changes;  // when the text's width changed, and to what
  Run(wait, [&](HWND, HWND controls) {
    const HWND status = ::GetDlgItem(controls, IDC_STATE_INFO);
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 4700) {
      const int width = TextWidth(status);
      if (width > 0 && (changes.empty() || changes.back().second != width)) {
        changes.push_back({::GetTickCount64() - start, width});
      }
      ::Sleep(50);  // sampling period
    }
  });
  for (const auto& c : changes) std::printf("%llu ms: %d\n", c.first, c.second);
  // Four steps in under five seconds: a dot more each time, and after three the bare text.
  ASSERT_GE(changes.size(), 5u);
  int growing = 0;
  int wrapped = 0;
  for (size_t i = 1; i < changes.size(); ++i) {
    const ULONGLONG step = changes[i].first - changes[i - 1].first;
    if (i > 1) {
      EXPECT_GT(step, 700u) << i;
      EXPECT_LT(step, 1400u) << i;
    }
    (changes[i].second > changes[i - 1].second ? growing : wrapped) += 1;
  }
  EXPECT_GE(growing, 3);
  EXPECT_GE(wrapped, 1);
}

TEST_F(ExecutePromptDlgTest, CannotBeDragged) {
  CExecutePromptDlg wait;
  Run(wait, [&](HWND frame, HWND controls) {
    const RECT f = WindowRectOf(frame);
    const RECT c = WindowRectOf(controls);
    for (POINT p :
         {POINT{c.left + 20, c.top + 5}, CentreOf(controls), POINT{f.left + 4, f.top + 60}}) {
      EXPECT_TRUE(Drag(controls, p.x, p.y, 50, 30));
      EXPECT_EQ(ToSkinRect(f), ToSkinRect(WindowRectOf(frame)));
      EXPECT_EQ(ToSkinRect(c), ToSkinRect(WindowRectOf(controls)));
    }
  });
}

TEST_F(ExecutePromptDlgTest, AWorkersCloseEndsItWithOkWheneverItComes) {
  // Close() from a worker that has finished before DoModal, one that races DoModal by up to a
  // few milliseconds, and one that comes when the dialog is shown; and the close message itself.
  int closedBeforeTheWindow = 0;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    CExecutePromptDlg wait;
    DialogCreationCount created;
    std::thread worker;
    if (round == 0) {
      std::thread([&] { wait.Close(); }).join();
    } else if (round < 38) {
      worker = std::thread([&, round] {
        const ULONGLONG until = ::GetTickCount64() + static_cast<ULONGLONG>(round % 8);
        while (::GetTickCount64() < until) {
        }
        if (created.Count() == 0) ++closedBeforeTheWindow;
        wait.Close();
      });
    } else {
      worker = std::thread([&, round] {
        ASSERT_TRUE(WaitUntilShown(wait));
        if (round == 38) {
          wait.Close();
        } else {
          ::SendMessageW(wait.m_hWnd, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
        }
      });
    }
    const Outcome outcome = RunWatched(wait);
    if (worker.joinable()) worker.join();
    EXPECT_EQ(IDOK, outcome.result);
    EXPECT_FALSE(outcome.endedByWatchdog) << "the close was lost";
  }
  std::printf("%d racing workers closed before the window existed\n", closedBeforeTheWindow);
}

TEST_F(ExecutePromptDlgTest, ACloseAfterTheEndDoesNothing) {
  CExecutePromptDlg first;
  HWND firstWindow = nullptr;
  EXPECT_EQ(IDOK, Run(first, [&](HWND frame, HWND) {
              firstWindow = frame;
              first.Close();
            }));
  // Neither a second Close() nor the message to the window that has gone reaches the next one.
  CExecutePromptDlg second;
  bool stayed = false;
  Run(second, [&](HWND frame, HWND controls) {
    ASSERT_NE(firstWindow, frame);
    first.Close();
    EXPECT_EQ(0, ::SendMessageW(firstWindow, WM_EXECUTE_PROMPT_CLOSE, 0, 0));
    ASSERT_TRUE(WaitUntilInputHandled(controls));
    stayed = ::IsWindowVisible(frame) && ::IsWindowVisible(controls);
  });
  EXPECT_TRUE(stayed);
}

TEST_F(ExecutePromptDlgTest, KeysAndWindowClosingNeverEndIt) {
  CExecutePromptDlg wait;
  bool stayed = false;
  const INT_PTR result = Run(wait, [&](HWND frame, HWND controls) {
    stayed = KeysLeavePairShown(frame, controls, CentreOf(controls));
    for (HWND window : {frame, controls}) {
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ASSERT_TRUE(WaitUntilInputHandled(controls));
    stayed = stayed && ::IsWindowVisible(frame) && ::IsWindowVisible(controls);
  });
  EXPECT_TRUE(stayed);
  EXPECT_EQ(IDOK, result);  // ended by the close that followed, not by any of the above
}
