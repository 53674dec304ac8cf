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

bool EndsByItself(HWND window) {
  return WaitUntil([&] { return !::IsWindow(window); }, 5000);
}

// Each round returns the process's window count while its dialog was up.
int AnswerPrompt() {
  int windows = 0;
  CPromptDlg prompt;
  prompt.SetPromptText(L"确定要卸载补丁 KB4516058 吗？");
  prompt.SetPromptType(PROMPT_CONFIRM_CANCEL);
  RunModalWithDriver(prompt, [&] {
    ASSERT_TRUE(WaitUntilShown(prompt));
    windows = static_cast<int>(driver::GetProcessUserObjectCount());
    const HWND controls = ControlsWindowOf(prompt.m_hWnd);
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_PROMPT_OK)));
    EXPECT_TRUE(EndsByItself(controls));
  });
  return windows;
}

int WaitForWorker() {
  int windows = 0;
  CExecutePromptDlg wait;
  wait.SetExecuteText(L"正在卸载，请稍等");
  RunModalWithDriver(
      wait,
      [&] {
        ASSERT_TRUE(WaitUntilShown(wait));
        windows = static_cast<int>(driver::GetProcessUserObjectCount());
        wait.Close();
      },
      [&] { wait.Close(); });
  return windows;
}

int AnswerFeedback(CFeedbackBridge& library) {
  int windows = 0;
  CProblemSolvingFeedbackDlg feedback;
  feedback.SetFeedbackLibrary(&library);
  RunModalWithDriver(feedback, [&] {
    ASSERT_TRUE(WaitUntilShown(feedback));
    windows = static_cast<int>(driver::GetProcessUserObjectCount());
    const HWND controls = ControlsWindowOf(feedback.m_hWnd);
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_SOLVED)));  // a worker and a wait dialog
    EXPECT_TRUE(EndsByItself(controls));
  });
  return windows;
}

}  // namespace

TEST(DialogLeakTest, NoObjectsLeftAfterManyDialogs) {
  CGdiplusSession gdiplus;
  // The library's records go to a folder of the test's own.
  wchar_t program[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  const fs::path settings = fs::path(program).parent_path() / L"HalvexFeedbackInformation.ini";
  const fs::path records = fs::temp_directory_path() / L"dialog_leak_test_records";
  ASSERT_TRUE(
      ::WritePrivateProfileStringW(L"Records", L"Folder", records.c_str(), settings.c_str()));
  CFeedbackBridge library;
  ASSERT_TRUE(library.Load());

  const struct {
    const char* name;
    int rounds;
    std::function<int()> round;
  } kinds[] = {{"prompt", 100, AnswerPrompt},
               {"wait", 100, WaitForWorker},
               {"feedback", 20, [&] { return AnswerFeedback(library); }}};
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
