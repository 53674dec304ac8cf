// The reading of the update installer's exit codes: done or not, the log's meaning, the user's line.
#include "engine/WusaExitCode.h"

#include <gtest/gtest.h>

TEST(WusaExitCode, OnlyTheSuccessCodesAreRemovalsAndEveryFailureSaysWhy) {
  const struct {
    std::optional<unsigned long> code;
    const wchar_t* meaning;
    const wchar_t* reason;  // nullptr: removed
  } cases[] = {{0, L"补丁已卸载", nullptr},
               {3010, L"补丁已卸载，需要重新启动计算机", nullptr},
               {1641, L"补丁已卸载，计算机正在重新启动", nullptr},
               {0x00240005, L"补丁已卸载，需要重新启动计算机", nullptr},
               {0x00240007, L"此补丁未安装在本机", L"这台电脑没有安装此补丁。"},
               {0x800F0825, L"此补丁是永久的系统更新包", L"此补丁是永久或合并的更新包，不能单独卸载。"},
               {1618, L"另一个安装正在进行，或系统正等待重新启动", L"请重新启动电脑，或等其他安装完成后再试。"},
               {0x800704C7, L"用户在卸载窗口中取消", L"卸载已在系统的卸载窗口中取消。"},
               {9009, L"找不到卸载程序", L"找不到系统的卸载程序（wusa.exe）。"},
               {0x8024200D, L"此补丁需要重新下载", L"错误代码：0x8024200D。"},
               {0xC0000005, L"卸载程序异常结束", L"错误代码：0xC0000005。"},
               {1, L"其他错误", L"错误代码：0x00000001。"},
               {std::nullopt, L"无法读取退出码", L"无法得知系统卸载程序的结果。"}};
  for (const auto& c : cases) {
    EXPECT_STREQ(c.meaning, WusaExitMeaning(c.code));
    EXPECT_EQ(!c.reason, WusaRemoved(c.code)) << c.meaning;
    EXPECT_EQ(c.reason ? c.reason : L"", c.reason ? WusaFailureReason(c.code) : L"");
  }
  EXPECT_EQ(L"wusa 退出码 3010 (0x00000BC2)：补丁已卸载，需要重新启动计算机", WusaExitRecord(3010));
  EXPECT_EQ(L"wusa 退出码 2147942405 (0x80070005)：没有管理员权限", WusaExitRecord(0x80070005));
}
