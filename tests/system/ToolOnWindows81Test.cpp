// On a system that is not Windows 10 the tool says so and ends before its window appears.
#include "tests/system/ToolUnderTest.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ToolOnWindows81, RefusesToRunAndEndsWithCodeZero) {
  ToolUnderTest tool(L"windows81");
  ASSERT_TRUE(tool.Start({}));
  PromptSeen prompt;
  ASSERT_TRUE(tool.WaitForPrompt(&prompt, 15000));
  EXPECT_EQ(L"此工具不支持当前系统", prompt.text);
  EXPECT_EQ(3, prompt.type);
  EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_UNINSTALL));
  driver::ClickCentre(::GetDlgItem(prompt.controls, IDC_PROMPT_OK));
  DWORD exitCode = 1;
  ASSERT_TRUE(tool.WaitForExit(5000, &exitCode));
  EXPECT_EQ(0u, exitCode);
  EXPECT_TRUE(std::filesystem::exists(tool.Folder()));
}
