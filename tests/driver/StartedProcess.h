#pragma once

#include <windows.h>

#include <string>

// A program started by a test. Owns the process handle; a process still running when its
// owner goes is ended, so that no test leaves a stray window behind.
class StartedProcess {
public:
  StartedProcess() = default;
  ~StartedProcess();
  StartedProcess(const StartedProcess&) = delete;
  StartedProcess& operator=(const StartedProcess&) = delete;
  StartedProcess(StartedProcess&& other) noexcept;
  StartedProcess& operator=(StartedProcess&& other) noexcept;

  // Starts `program` with `arguments` (a command-line tail, quoted by the caller as needed),
  // in `currentFolder` (empty: the caller's). A name without a folder is looked for beside the
  // calling program first.
  static StartedProcess Start(const std::wstring& program, const std::wstring& arguments = L"",
                              const std::wstring& currentFolder = L"");

  explicit operator bool() const { return m_process != nullptr; }
  HANDLE handle() const { return m_process; }
  DWORD id() const { return m_id; }
  // True when the process has ended within `timeoutMs`; its exit code goes to `exitCode`.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr) const;
  void Terminate();

private:
  HANDLE m_process = nullptr;
  DWORD m_id = 0;
};
