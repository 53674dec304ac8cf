#include "engine/WusaExitCode.h"

#include <cstdio>

namespace {

struct WusaExitCodeMeaning {
  unsigned long code;
  const wchar_t* meaning;
  bool removedNothing;
};

const wchar_t OTHER_ERROR[] = L"其他错误";

// Windows' own codes (winerror.h) and those of Windows Update (wuerror.h) that wusa answers.
constexpr WusaExitCodeMeaning WUSA_EXIT_CODES[] = {
    {0, L"补丁已卸载", false},                               // ERROR_SUCCESS
    {3010, L"补丁已卸载，需要重新启动计算机", false},        // ERROR_SUCCESS_REBOOT_REQUIRED
    {0x00240005, L"补丁已卸载，需要重新启动计算机", false},  // WU_S_REBOOT_REQUIRED
    {0x00240007, L"此补丁未安装在本机", true},               // WU_S_ALREADY_UNINSTALLED
    {0x80240017, L"此补丁不适用于本机", true},               // WU_E_NOT_APPLICABLE
    {1618, L"另一个安装正在进行，或系统正等待重新启动", true},  // ERROR_INSTALL_ALREADY_RUNNING
    {0x80240016, L"另一个安装正在进行，或系统正等待重新启动", true},  // WU_E_INSTALL_NOT_ALLOWED
    {5, L"没有管理员权限", true},                            // ERROR_ACCESS_DENIED
    {0x80070005, L"没有管理员权限", true},                   // E_ACCESSDENIED
    {87, L"参数错误", true},                                 // ERROR_INVALID_PARAMETER
    {0x80070057, L"参数错误", true},                         // E_INVALIDARG
};

const WusaExitCodeMeaning* Find(unsigned long exitCode) {
  for (const WusaExitCodeMeaning& known : WUSA_EXIT_CODES) {
    if (known.code == exitCode) return &known;
  }
  return nullptr;
}

}  // namespace

const wchar_t* WusaExitMeaning(unsigned long exitCode) {
  const WusaExitCodeMeaning* known = Find(exitCode);
  return known ? known->meaning : OTHER_ERROR;
}

bool WusaRemovedNothing(unsigned long exitCode) {
  const WusaExitCodeMeaning* known = Find(exitCode);
  return known && known->removedNothing;
}

std::wstring WusaExitRecord(unsigned long exitCode) {
  wchar_t code[40];
  std::swprintf(code, sizeof code / sizeof code[0], L"%lu (0x%08lX)", exitCode, exitCode);
  return std::wstring(L"wusa 退出码 ") + code + L"：" + WusaExitMeaning(exitCode);
}
