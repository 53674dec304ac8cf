// The tool's program with seams that a test chooses on the command line, for what the real
// program cannot be brought to do under Wine:
//   --usb=LETTERS          these drive letters count as USB drives (a service client on C:\)
//   --failing-thread=N     the Nth worker thread and every later one cannot be created
//   --query-cannot-run     the command interpreter cannot be started for the query
// Everything else is the tool itself.
#include "app/SystemPatchUninstallToolDlg.h"
#include "app/TarnellSystemPatchUninstallToolApp.h"
#include "base/WorkerThread.h"
#include "engine/ProcessRunner.h"

#include <shellapi.h>

#include <atomic>
#include <cwchar>
#include <string>

namespace {

std::wstring g_usbLetters;
int g_failingThread = 0;
std::atomic<int> g_threadsAsked{0};

bool IsTestUsbVolume(wchar_t letter) { return g_usbLetters.find(letter) != std::wstring::npos; }

HANDLE CreateUntilFailing(LPTHREAD_START_ROUTINE proc, void* argument) {
  if (++g_threadsAsked >= g_failingThread) return nullptr;
  return ::CreateThread(nullptr, 0, proc, argument, 0, nullptr);
}

// As on 64-bit Windows for a 32-bit process whose redirection cannot be switched off: the
// runners start nothing.
bool AlwaysWow64() { return true; }
BOOL WINAPI CannotDisable(PVOID*) { return FALSE; }
BOOL WINAPI Revert(PVOID) { return TRUE; }

bool Takes(const wchar_t* argument, const wchar_t* option, std::wstring* value) {
  const size_t length = std::wcslen(option);
  if (std::wcsncmp(argument, option, length) != 0) return false;
  *value = argument + length;
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int count = 0;
  LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  for (int i = 1; i < count; ++i) {
    std::wstring value;
    if (Takes(arguments[i], L"--usb=", &value)) {
      g_usbLetters = value;
      CSystemPatchUninstallToolDlg::SetUsbVolumeQuery(IsTestUsbVolume);
    } else if (Takes(arguments[i], L"--failing-thread=", &value)) {
      g_failingThread = std::stoi(value);
      SetThreadCreator(CreateUntilFailing);
    } else if (std::wcscmp(arguments[i], L"--query-cannot-run") == 0) {
      SetRedirectionCalls({AlwaysWow64, CannotDisable, Revert});
    }
  }
  ::LocalFree(arguments);
  CTarnellSystemPatchUninstallToolApp app;
  return app.Run(instance);
}
