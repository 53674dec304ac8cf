#include "tests/driver/StartedProcess.h"

#include <utility>
#include <vector>

StartedProcess::~StartedProcess() { Terminate(); }

StartedProcess::StartedProcess(StartedProcess&& other) noexcept
    : m_process(std::exchange(other.m_process, nullptr)), m_id(std::exchange(other.m_id, 0)) {}

StartedProcess& StartedProcess::operator=(StartedProcess&& other) noexcept {
  if (this != &other) {
    Terminate();
    m_process = std::exchange(other.m_process, nullptr);
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

StartedProcess StartedProcess::Start(const std::wstring& program, const std::wstring& arguments,
                                     const std::wstring& currentFolder) {
  std::wstring commandLine = L"\"" + program + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');  // CreateProcessW may write into its command line

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  StartedProcess started;
  // No application name: a bare program name is searched for beside the caller's program first.
  if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info))
    return started;
  ::CloseHandle(info.hThread);
  started.m_process = info.hProcess;
  started.m_id = info.dwProcessId;
  return started;
}

bool StartedProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  if (!m_process || ::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode) ::GetExitCodeProcess(m_process, exitCode);
  return true;
}

void StartedProcess::Terminate() {
  if (!m_process) return;
  if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_process, 1);
    ::WaitForSingleObject(m_process, 5000);
  }
  ::CloseHandle(m_process);
  m_process = nullptr;
  m_id = 0;
}
