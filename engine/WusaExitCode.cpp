#include "engine/WusaExitCode.h"

#include <cstdio>

namespace {

struct WusaExitCodeMeaning {
  unsigned long code;
  bool removed;
  const wchar_t* meaning;
  const wchar_t* reason;  // nullptr: removed, or no better line than the code itself
};

const wchar_t NOT_INSTALLED[] = L"这台电脑没有安装此补丁。";
const wchar_t NOT_APPLICABLE[] = L"此补丁不适用于这台电脑。";
const wchar_t NOT_REMOVABLE[] = L"此补丁是永久或合并的更新包，不能单独卸载。";
const wchar_t RESTART_OR_WAIT[] = L"请重新启动电脑，或等其他安装完成后再试。";
const wchar_t BUSY[] = L"另一个安装正在进行，或系统正等待重新启动";
const wchar_t NO_RIGHTS[] = L"没有管理员权限，请以管理员身份运行本工具。";
const wchar_t CANCELLED[] = L"卸载已在系统的卸载窗口中取消。";

// Windows' own codes (winerror.h), those of Windows Update (wuerror.h) and of the servicing
// stack that wusa answers, and the interpreter's when it cannot find wusa.
constexpr WusaExitCodeMeaning WUSA_EXIT_CODES[] = {
    {0, true, L"补丁已卸载", nullptr},                               // ERROR_SUCCESS
    {3010, true, L"补丁已卸载，需要重新启动计算机", nullptr},        // ..._REBOOT_REQUIRED
    {1641, true, L"补丁已卸载，计算机正在重新启动", nullptr},        // ..._REBOOT_INITIATED
    {0x00240005, true, L"补丁已卸载，需要重新启动计算机", nullptr},  // WU_S_REBOOT_REQUIRED
    {0x00240007, false, L"此补丁未安装在本机", NOT_INSTALLED},       // WU_S_ALREADY_UNINSTALLED
    {0x80240017, false, L"此补丁不适用于本机", NOT_APPLICABLE},      // WU_E_NOT_APPLICABLE
    {0x80242004, false, L"此补丁不支持卸载", NOT_REMOVABLE},         // WU_E_UH_DOESNOTSUPPORTACTION
    {0x800F0825, false, L"此补丁是永久的系统更新包", NOT_REMOVABLE},  // CBS_E_CANNOT_UNINSTALL
    {1618, false, BUSY, RESTART_OR_WAIT},                     // ERROR_INSTALL_ALREADY_RUNNING
    {0x80240016, false, BUSY, RESTART_OR_WAIT},               // WU_E_INSTALL_NOT_ALLOWED
    {0x8024200D, false, L"此补丁需要重新下载", nullptr},      // WU_E_UH_NEEDANOTHERDOWNLOAD
    {5, false, L"没有管理员权限", NO_RIGHTS},                 // ERROR_ACCESS_DENIED
    {0x80070005, false, L"没有管理员权限", NO_RIGHTS},        // E_ACCESSDENIED
    {1223, false, L"用户在卸载窗口中取消", CANCELLED},        // ERROR_CANCELLED
    {0x800704C7, false, L"用户在卸载窗口中取消", CANCELLED},  // as an HRESULT
    {87, false, L"参数错误", nullptr},                        // ERROR_INVALID_PARAMETER
    {0x80070057, false, L"参数错误", nullptr},                // E_INVALIDARG
    {9009, false, L"找不到卸载程序", L"找不到系统的卸载程序（wusa.exe）。"},  // the interpreter's
};

// From here on the codes are NTSTATUS values: the installer crashed or was ended.
constexpr unsigned long FIRST_CRASH_CODE = 0xC0000000;

const WusaExitCodeMeaning* Find(std::optional<unsigned long> exitCode) {
  if (!exitCode) return nullptr;
  for (const WusaExitCodeMeaning& known : WUSA_EXIT_CODES) {
    if (known.code == *exitCode) return &known;
  }
  return nullptr;
}

std::wstring Hexadecimal(unsigned long code) {
  wchar_t text[16];
  std::swprintf(text, sizeof text / sizeof text[0], L"0x%08lX", code);
  return text;
}

}  // namespace

bool WusaRemoved(std::optional<unsigned long> exitCode) {
  const WusaExitCodeMeaning* known = Find(exitCode);
  return known && known->removed;
}

const wchar_t* WusaExitMeaning(std::optional<unsigned long> exitCode) {
  if (!exitCode) return L"无法读取退出码";
  if (const WusaExitCodeMeaning* known = Find(exitCode)) return known->meaning;
  return *exitCode >= FIRST_CRASH_CODE ? L"卸载程序异常结束" : L"其他错误";
}

std::wstring WusaFailureReason(std::optional<unsigned long> exitCode) {
  if (!exitCode) return L"无法得知系统卸载程序的结果。";
  const WusaExitCodeMeaning* known = Find(exitCode);
  if (known && known->reason) return known->reason;
  return L"错误代码：" + Hexadecimal(*exitCode) + L"。";
}

std::wstring WusaExitRecord(std::optional<unsigned long> exitCode) {
  std::wstring code = L"(无)";
  if (exitCode) code = std::to_wstring(*exitCode) + L" (" + Hexadecimal(*exitCode) + L")";
  return L"wusa 退出码 " + code + L"：" + WusaExitMeaning(exitCode);
}
