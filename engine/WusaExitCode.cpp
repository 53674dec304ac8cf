#include "engine/WusaExitCode.h"

#include <cstdio>

namespace {

// Windows' own codes (winerror.h) and those of Windows Update (wuerror.h) that wusa answers.
constexpr unsigned long ERROR_SUCCESS_CODE = 0;
constexpr unsigned long ERROR_ACCESS_DENIED_CODE = 5;
constexpr unsigned long ERROR_INVALID_PARAMETER_CODE = 87;
constexpr unsigned long ERROR_INSTALL_ALREADY_RUNNING_CODE = 1618;
constexpr unsigned long ERROR_SUCCESS_REBOOT_REQUIRED_CODE = 3010;
constexpr unsigned long WU_S_REBOOT_REQUIRED_CODE = 0x00240005;
constexpr unsigned long WU_S_ALREADY_UNINSTALLED_CODE = 0x00240007;
constexpr unsigned long WU_E_INSTALL_NOT_ALLOWED_CODE = 0x80240016;
constexpr unsigned long E_ACCESSDENIED_CODE = 0x80070005;
constexpr unsigned long E_INVALIDARG_CODE = 0x80070057;

}  // namespace

const wchar_t* WusaExitMeaning(unsigned long exitCode) {
  switch (exitCode) {
    case ERROR_SUCCESS_CODE: return L"补丁已卸载";
    case ERROR_SUCCESS_REBOOT_REQUIRED_CODE:
    case WU_S_REBOOT_REQUIRED_CODE: return L"补丁已卸载，需要重新启动计算机";
    case WU_S_ALREADY_UNINSTALLED_CODE: return L"此补丁未安装在本机";
    case ERROR_INSTALL_ALREADY_RUNNING_CODE:
    case WU_E_INSTALL_NOT_ALLOWED_CODE: return L"另一个安装正在进行，或系统正等待重新启动";
    case ERROR_ACCESS_DENIED_CODE:
    case E_ACCESSDENIED_CODE: return L"没有管理员权限";
    case ERROR_INVALID_PARAMETER_CODE:
    case E_INVALIDARG_CODE: return L"参数错误";
    default: return L"其他错误";
  }
}

std::wstring WusaExitRecord(unsigned long exitCode) {
  wchar_t code[40];
  std::swprintf(code, sizeof code / sizeof code[0], L"%lu (0x%08lX)", exitCode, exitCode);
  return std::wstring(L"wusa 退出码 ") + code + L"：" + WusaExitMeaning(exitCode);
}
