#include "engine/ProcessRunner.h"

#include "base/ScopedHandle.h"
#include "base/TextConversion.h"

#include <atomic>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The query's output is read one byte short of the buffer, which so always ends in a zero.
// Each read waits for output, so none needs a pause after it.
constexpr DWORD QUERY_CHUNK_SIZE = 4096;
constexpr DWORD QUERY_READ_SIZE = QUERY_CHUNK_SIZE - 1;

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

// Resolved once; two threads resolving it at once store the same address.
std::atomic<IsWow64ProcessFn> g_isWow64Process{nullptr};

bool SystemIsWow64() {
  IsWow64ProcessFn isWow64Process = g_isWow64Process.load(std::memory_order_relaxed);
  if (isWow64Process == nullptr) {
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel == nullptr) return false;
    // Through void*: FARPROC's own type would make the cast warn.
    isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    g_isWow64Process.store(isWow64Process, std::memory_order_relaxed);
    if (isWow64Process == nullptr) return false;
  }
  BOOL wow64 = FALSE;
  return isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

RedirectionCalls g_redirection = SystemRedirectionCalls();

// Switches file-system redirection off for this thread while it lives, when the tool is a
// 32-bit process on 64-bit Windows; every return of a runner restores it.
class CRedirectionOff {
public:
  CRedirectionOff() {
    if (!g_redirection.isWow64()) return;
    m_switchedOff = g_redirection.disable(&m_oldValue) == TRUE;
    m_failed = !m_switchedOff;
  }
  ~CRedirectionOff() {
    if (m_switchedOff) g_redirection.revert(m_oldValue);
  }
  CRedirectionOff(const CRedirectionOff&) = delete;
  CRedirectionOff& operator=(const CRedirectionOff&) = delete;

  bool Failed() const { return m_failed; }

private:
  PVOID m_oldValue = nullptr;
  bool m_switchedOff = false;
  bool m_failed = false;
};

// Starts the system's interpreter on the command, with no search for it anywhere.
bool StartInterpreter(const std::wstring& command, STARTUPINFOW& startup, bool inheritHandles,
                      DWORD creationFlags, PROCESS_INFORMATION& process) {
  const std::wstring folder = SystemFolder();
  if (folder.empty()) return false;
  const std::wstring program = folder + L"\\cmd.exe";
  // CreateProcessW may write into the command line, so it gets its own buffer.
  const std::wstring line = BuildCommandLine(program, command);
  std::vector<wchar_t> commandLine(line.begin(), line.end());
  commandLine.push_back(L'\0');
  return CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                        inheritHandles ? TRUE : FALSE, creationFlags, nullptr, folder.c_str(),
                        &startup, &process) != FALSE;
}

// A job for everything a command starts: ending the job ends them all, and closing its handle
// ends whatever of them is left.
CScopedHandle NewKillOnCloseJob() {
  CScopedHandle job(CreateJobObjectW(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (job.IsValid() && !SetInformationJobObject(job.Get(), JobObjectExtendedLimitInformation,
                                                &limits, sizeof limits)) {
    job.Close();
  }
  return job;
}

// Ends the job when the time limit has passed, from a thread of its own that lives only as long
// as this object: no thread stays behind after the query.
class CJobDeadline {
public:
  CJobDeadline(HANDLE job, DWORD limitMs) : m_job(job), m_limitMs(limitMs) {
    if (limitMs == INFINITE || !m_stop.IsValid()) return;
    m_watcher = CScopedHandle(CreateThread(nullptr, 0, &CJobDeadline::Watch, this, 0, nullptr));
  }
  ~CJobDeadline() {
    if (!m_watcher.IsValid()) return;
    SetEvent(m_stop.Get());
    WaitForSingleObject(m_watcher.Get(), INFINITE);
  }
  CJobDeadline(const CJobDeadline&) = delete;
  CJobDeadline& operator=(const CJobDeadline&) = delete;

  bool Passed() const { return m_passed.load(); }

private:
  static DWORD WINAPI Watch(void* self) {
    auto* deadline = static_cast<CJobDeadline*>(self);
    if (WaitForSingleObject(deadline->m_stop.Get(), deadline->m_limitMs) == WAIT_TIMEOUT) {
      deadline->m_passed = true;
      TerminateJobObject(deadline->m_job, ERROR_TIMEOUT);
    }
    return 0;
  }

  HANDLE m_job;  // not owned
  DWORD m_limitMs;
  CScopedHandle m_stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  CScopedHandle m_watcher;
  std::atomic<bool> m_passed{false};
};

STARTUPINFOW HiddenOrShownStartupInfo(bool show) {
  STARTUPINFOW startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  startup.wShowWindow = show ? SW_SHOW : SW_HIDE;
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  return startup;
}

}  // namespace

RedirectionCalls SystemRedirectionCalls() {
  return {SystemIsWow64, Wow64DisableWow64FsRedirection, Wow64RevertWow64FsRedirection};
}

void SetRedirectionCalls(const RedirectionCalls& calls) { g_redirection = calls; }

bool IsWow64() { return SystemIsWow64(); }

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

std::wstring InterpreterParameters(const std::wstring& command) {
  // /D: no AutoRun commands from the registry; /V:OFF: no delayed expansion, whatever the
  // user's settings say.
  return L"/D /V:OFF /C " + command;
}

std::wstring BuildCommandLine(const std::wstring& program, const std::wstring& command) {
  return L"\"" + program + L"\" " + InterpreterParameters(command);
}

bool RunCommand(const std::wstring& command, bool show, std::optional<DWORD>* exitCode) {
  CRedirectionOff redirection;
  if (redirection.Failed()) return false;

  STARTUPINFOW startup = HiddenOrShownStartupInfo(show);
  PROCESS_INFORMATION process{};
  if (!StartInterpreter(command, startup, false, 0, process)) return false;
  CScopedHandle processHandle(process.hProcess);
  CScopedHandle threadHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  if (exitCode)
    *exitCode = GetExitCodeProcess(process.hProcess, &code) ? std::optional(code) : std::nullopt;
  return true;
}

bool RunCommandWithOutput(const std::wstring& command, std::wstring& output, DWORD timeLimitMs,
                          bool* endedAtLimit) {
  CRedirectionOff redirection;
  if (redirection.Failed()) return false;

  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  CScopedHandle readEnd, writeEnd;
  // Only the write end goes to the child.
  if (!CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0) ||
      !SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0)) {
    return false;
  }

  STARTUPINFOW startup = HiddenOrShownStartupInfo(false);
  startup.hStdOutput = writeEnd.Get();
  startup.hStdError = writeEnd.Get();
  // Started held, so that it is in the job before it can start anything.
  const CScopedHandle job = NewKillOnCloseJob();
  PROCESS_INFORMATION process{};
  if (!job.IsValid() || !StartInterpreter(command, startup, true, CREATE_SUSPENDED, process))
    return false;
  CScopedHandle processHandle(process.hProcess);
  CScopedHandle threadHandle(process.hThread);
  if (!AssignProcessToJobObject(job.Get(), process.hProcess)) {
    TerminateProcess(process.hProcess, ERROR_ACCESS_DENIED);
    return false;
  }
  const CJobDeadline deadline(job.Get(), timeLimitMs);
  ResumeThread(process.hThread);
  // Our copy of the write end must go, or the pipe never breaks when the children end.
  writeEnd.Close();

  // The bytes are converted once, at the end: a double-byte character may straddle two reads.
  std::string bytes;
  char chunk[QUERY_CHUNK_SIZE];
  for (;;) {
    std::memset(chunk, 0, sizeof chunk);
    DWORD read = 0;
    if (!ReadFile(readEnd.Get(), chunk, QUERY_READ_SIZE, &read, nullptr)) break;
    bytes.append(chunk, strnlen(chunk, read));  // a chunk is text up to its first zero byte
  }
  readEnd.Close();
  output += WideFromCodePage(bytes, CP_ACP);

  WaitForSingleObject(process.hProcess, INFINITE);
  if (endedAtLimit) *endedAtLimit = deadline.Passed();
  return true;
}
