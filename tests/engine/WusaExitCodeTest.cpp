// The log's reading of the update installer's exit codes.
#include "engine/WusaExitCode.h"

#include <gtest/gtest.h>

TEST(WusaExitCode, EachDocumentedCodeHasItsMeaningAndTheRestAreOtherErrors) {
  const struct {
    unsigned long code;
    const wchar_t* meaning;
  } cases[] = {{0, L"补丁已卸载"},
               {3010, L"补丁已卸载，需要重新启动计算机"},
               {0x00240005, L"补丁已卸载，需要重新启动计算机"},
               {0x00240007, L"此补丁未安装在本机"},
               {0x80240017, L"此补丁不适用于本机"},
               {1618, L"另一个安装正在进行，或系统正等待重新启动"},
               {0x80240016, L"另一个安装正在进行，或系统正等待重新启动"},
               {5, L"没有管理员权限"},
               {0x80070005, L"没有管理员权限"},
               {87, L"参数错误"},
               {0x80070057, L"参数错误"},
               {1, L"其他错误"}};
  for (const auto& c : cases) EXPECT_STREQ(c.meaning, WusaExitMeaning(c.code)) << c.code;
  for (const auto& c : cases)  // all but the successes and the other errors' 1 removed nothing
    EXPECT_EQ(c.code > 1 && c.code != 3010 && c.code != 0x00240005, WusaRemovedNothing(c.code));
  EXPECT_EQ(L"wusa 退出码 3010 (0x00000BC2)：补丁已卸载，需要重新启动计算机", WusaExitRecord(3010));
  EXPECT_EQ(L"wusa 退出码 2147942405 (0x80070005)：没有管理员权限", WusaExitRecord(0x80070005));
}
