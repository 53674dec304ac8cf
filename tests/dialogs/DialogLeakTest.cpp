// GDI and USER objects of the process stay the same over 100 prompts, 100 wait dialogs and 20
// feedback dialogs, each shown, painted and ended as its users end it.
#include "tests/dialogs/SkinTestKit.h"

#include "host/FeedbackBridge.h"
#include "res/resource.h"
#include "ui/dialogs/ExecutePromptDlg.h"
#include "ui/dialogs/ProblemSolvingFeedbackDlg.h"
#include "ui/dialogs/PromptDlg.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Shows the dialog, clicks `button` of its controls dialog (none: its worker closes it) and
// waits until it has gone; returns the process's window count while it was up.
int ShowAndEnd(CSkinFrameDlg& dialog, int button, const std::function<void()>& close) {
  int windows = 0;
  RunModalWithDriver(
      dialog,
      [&] {
        ASSERT_TRUE(WaitUntilShown(dialog));
        windows = static_cast<int>(driver::GetProcessUserObjectCount());
        const HWND controls = ControlsWindowOf(dialog.m_hWnd);
        if (button) ClickAt(CentreOf(::GetDlgItem(controls, button)));
        if (close) close();
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(controls); }, 5000));
      },
      close);
  return windows;
}

}  // namespace

TEST(DialogLeakTest, NoObjectsLeftAfterManyDialogs) {
  CGdiplusSession gdiplus;
  // The feedback library's records go to a folder of the test's own.
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  const fs::path settings = fs::path(program).parent_path() / L"HalvexFeedbackInformation.ini";
  const fs::path records = fs::temp_directory_path() / L"dialog_leak_test_records";
  ::WritePrivateProfileStringW(L"Records", L"Folder", records.c_str(), settings.c_str());
  CFeedbackBridge library;
  ASSERT_TRUE(library.Load());

  const struct {
    const char* name;
    int rounds;
    std::function<int()> round;
  } kinds[] = {
      {"prompt", 100,
       [] {
         CPromptDlg prompt;
         prompt.SetPromptText(L"确定要卸载补丁 KB4516058 吗？");
         prompt.SetPromptType(PROMPT_CONFIRM_CANCEL);
         return ShowAndEnd(prompt, IDC_PROMPT_OK, {});
       }},
      {"wait", 100,
       [] {
         CExecutePromptDlg wait;
         return ShowAndEnd(wait, 0, [&] { wait.Close(); });
       }},
      {"feedback", 20, [&] {
         CProblemSolvingFeedbackDlg feedback;  // the answer runs a worker and a wait dialog
         feedback.SetFeedbackLibrary(&library);
         return ShowAndEnd(feedback, IDC_FEEDBACK_SOLVED, {});
       }}};
  // Wine keeps each cache DC it makes, and makes one rather than take another window's until it has
  // 32: a round showing more windows than any before (a slow report's wait panel) would add some.
  HWND windows[32] = {};
  for (HWND& window : windows) {
    window =
        ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::ReleaseDC(window, ::GetDC(window));
  }
  for (HWND window : windows) ::DestroyWindow(window);
  for (const auto& kind : kinds) {
    SCOPED_TRACE(kind.name);
    for (int i = 0; i < 3; ++i) kind.round();  // first use fills GDI+'s and Wine's caches
    const int gdiBefore = static_cast<int>(driver::GetProcessGdiObjectCount());
    const int userBefore = static_cast<int>(driver::GetProcessUserObjectCount());
    EXPECT_GE(kind.round(), userBefore + 2);  // the count sees the pair's windows
    for (int i = 1; i < kind.rounds; ++i) kind.round();
    const int gdiAfter = static_cast<int>(driver::GetProcessGdiObjectCount());
    const int userAfter = static_cast<int>(driver::GetProcessUserObjectCount());
    std::printf("%d %s dialogs: GDI objects %d -> %d, USER objects (windows) %d -> %d\n",
                kind.rounds, kind.name, gdiBefore, gdiAfter, userBefore, userAfter);
    EXPECT_GT(gdiBefore, 0);
    EXPECT_EQ(gdiBefore, gdiAfter);
    EXPECT_EQ(userBefore, userAfter);
  }
  fs::remove(settings);
  std::error_code ignored;
  fs::remove_all(records, ignored);
}
