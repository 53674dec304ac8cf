#pragma once
// The engine through which the main dialog hands a patch number to the worker threads that
// query and remove it. The workers report only by sending these messages to the owner window;
// SendMessage keeps each worker waiting until the dialog has handled its message.
#include <windows.h>

#include <string>

constexpr UINT WM_EXECUTE_PROMPT_CLOSE = WM_USER + 0x1F5;
constexpr UINT WM_QUERY_PATCH_RESULT = WM_USER + 0x1F6;
constexpr UINT WM_UNINSTALL_PATCH_RESULT = WM_USER + 0x1F7;

enum QueryPatchResult { QUERY_FOUND = 1, QUERY_NOT_FOUND = 2, QUERY_FAILED = 3 };
enum UninstallPatchResult { UNINSTALL_DONE = 1, UNINSTALL_FAILED = 2 };

// A get-hotfix that has not ended by then never will (a broken WMI repository does this); what
// it printed so far is searched. The removal has no limit: wusa waits for its user.
constexpr DWORD QUERY_TIME_LIMIT_MS = 120000;

class CSystemPatchEngine {
public:
  // Stores the window the workers report to; a null handle is refused.
  bool SetOwner(HWND owner);
  HWND Owner() const { return m_owner; }

  // Written by the user-interface thread only while no worker runs.
  void SetPatchNumber(const std::wstring& number) { m_patchNumber = number; }
  const std::wstring& PatchNumber() const { return m_patchNumber; }

  // Start a worker thread; false (and a log record) when it cannot be created.
  bool StartQuery();
  bool StartUninstall();

  // The workers' bodies: 1 when the command ran, 0 when it could not.
  int QueryInstalledPatch();
  int UninstallPatch();

  bool IsWindows10() const;

  // Why the last request failed, in the user's words: written by its worker before it reports
  // the failure, and read while the dialog handles that report. Empty when the removal could
  // not even be started.
  const std::wstring& FailureReason() const { return m_failureReason; }

  // How long the query may run before it is ended with all it started; tests make it short.
  void SetQueryTimeLimit(DWORD milliseconds) { m_queryTimeLimitMs = milliseconds; }

private:
  HWND m_owner = nullptr;      // not owned: the main working dialog's window
  std::wstring m_patchNumber;  // as typed, after validation
  std::wstring m_failureReason;
  DWORD m_queryTimeLimitMs = QUERY_TIME_LIMIT_MS;
};

DWORD WINAPI QueryThreadProc(LPVOID engine);
DWORD WINAPI UninstallThreadProc(LPVOID engine);
