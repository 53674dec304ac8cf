#include "engine/SystemPatchEngine.h"

#include "base/TextConversion.h"
#include "base/WorkerThread.h"
#include "engine/PatchRules.h"
#include "engine/PebVersion.h"
#include "engine/ProcessRunner.h"
#include "engine/WusaExitCode.h"
#include "log/LogSave.h"

namespace {

const char kEngineLogFile[] = "ruvozoza.txt";

const wchar_t QUERY_NOT_STARTED_REASON[] = L"无法运行系统的补丁查询，请重新启动电脑后再试。";

// Log messages are ANSI text; the literals are written once, in wide form. Failures are forced
// records; anything else is written only when the log's settings ask for it.
void WriteEngineRecord(const wchar_t* message, bool force) {
  CLogSave::GetInstance()->WriteLog(CodePageFromWide(message, CP_ACP), kEngineLogFile, force);
}

void LogEngineFailure(const wchar_t* message) { WriteEngineRecord(message, true); }

// The thread environment block points to the process environment block: at gs:0x60 in a
// 64-bit process, at fs:0x30 in a 32-bit one.
const unsigned char* CurrentPeb() {
  const unsigned char* peb;
#if defined(__x86_64__)
  asm("movq %%gs:0x60, %0" : "=r"(peb));
#else
  asm("movl %%fs:0x30, %0" : "=r"(peb));
#endif
  return peb;
}

}  // namespace

bool CSystemPatchEngine::SetOwner(HWND owner) {
  if (owner == nullptr) return false;
  m_owner = owner;
  return true;
}

bool CSystemPatchEngine::StartQuery() {
  if (StartWorkerThread(QueryThreadProc, this)) return true;
  LogEngineFailure(L"创建查询系统补丁线程失败");
  return false;
}

bool CSystemPatchEngine::StartUninstall() {
  if (StartWorkerThread(UninstallThreadProc, this)) return true;
  LogEngineFailure(L"创建卸载系统补丁线程失败");
  return false;
}

int CSystemPatchEngine::QueryInstalledPatch() {
  std::wstring output;
  bool endedAtLimit = false;
  if (!RunCommandWithOutput(QUERY_COMMAND, output, m_queryTimeLimitMs, &endedAtLimit)) {
    m_failureReason = QUERY_NOT_STARTED_REASON;
    SendMessageW(m_owner, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
    SendMessageW(m_owner, WM_QUERY_PATCH_RESULT, QUERY_FAILED, 0);
    LogEngineFailure(L"执行查询系统补丁命令失败");
    return 0;
  }
  if (endedAtLimit) LogEngineFailure(L"查询系统补丁命令超时，已结束");
  // A plain search of everything printed: no column or line of the table is parsed.
  const bool found = ContainsPatchId(output, PatchSearchText(m_patchNumber));
  SendMessageW(m_owner, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
  SendMessageW(m_owner, WM_QUERY_PATCH_RESULT, found ? QUERY_FOUND : QUERY_NOT_FOUND, 0);
  return 1;
}

int CSystemPatchEngine::UninstallPatch() {
  // The number is pasted text and the interpreter runs with administrator rights: a number
  // holding anything but digits, letters and blanks ("1&calc.exe") must never reach it.
  std::optional<DWORD> exitCode;
  const bool ran = IsCommandSafePatchNumber(m_patchNumber) &&
                   RunCommand(UninstallCommand(m_patchNumber), false, &exitCode);
  // For support staff only, when the log's "print" setting asks for ordinary records.
  if (ran) WriteEngineRecord(WusaExitRecord(exitCode).c_str(), false);
  // Only what wusa says it removed is done; any other answer, a crash or none at all is not.
  const bool done = ran && WusaRemoved(exitCode);
  m_failureReason = ran ? WusaFailureReason(exitCode) : std::wstring();
  SendMessageW(m_owner, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
  SendMessageW(m_owner, WM_UNINSTALL_PATCH_RESULT, done ? UNINSTALL_DONE : UNINSTALL_FAILED, 0);
  return ran ? 1 : 0;
}

bool CSystemPatchEngine::IsWindows10() const {
  // The block's own fields, not a version function: those answer what the manifest allows.
  const PebLayout layout = sizeof(void*) == 4 ? PebLayout::Bits32 : PebLayout::Bits64;
  return IsWindows10Version(ReadPebOsVersion(CurrentPeb(), layout));
}

DWORD WINAPI QueryThreadProc(LPVOID engine) {
  static_cast<CSystemPatchEngine*>(engine)->QueryInstalledPatch();
  return 1;
}

DWORD WINAPI UninstallThreadProc(LPVOID engine) {
  static_cast<CSystemPatchEngine*>(engine)->UninstallPatch();
  return 1;
}
