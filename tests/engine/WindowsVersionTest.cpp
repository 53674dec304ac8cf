// Runs in a prefix set to Windows 10 and in one set to Windows 8.1 (EXPECTED_WINDOWS10 says
// which): the engine reads the process environment block that Wine fills for that setting.
#include "engine/SystemPatchEngine.h"

#include <gtest/gtest.h>

TEST(IsWindows10, AnswersForThePrefixVersion) {
  const CSystemPatchEngine engine;
  EXPECT_EQ(EXPECTED_WINDOWS10 != 0, engine.IsWindows10());
}
