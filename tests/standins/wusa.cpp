// Stand-in for wusa.exe in tests: removes nothing. It appends the command line it received
// (UTF-8, one line) to the file named by STANDIN_WUSA_LOG, waits STANDIN_WUSA_DELAY_MS
// milliseconds, and exits with STANDIN_WUSA_EXIT (0 by default; decimal or 0x..., the whole 32
// bits, as wusa's own HRESULT codes). Like Windows' wusa it is a window program: no console.
#include <windows.h>

#include <cstdlib>
#include <string>

int wmain() {
  if (const wchar_t* log = _wgetenv(L"STANDIN_WUSA_LOG")) {
    const wchar_t* line = GetCommandLineW();
    const int length = WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(length - 1, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line, -1, &bytes[0], length, nullptr, nullptr);
    bytes += "\n";
    HANDLE file = CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
    }
  }
  if (const char* delay = std::getenv("STANDIN_WUSA_DELAY_MS")) Sleep(std::atoi(delay));
  const char* exitCode = std::getenv("STANDIN_WUSA_EXIT");
  return exitCode ? static_cast<int>(std::strtoul(exitCode, nullptr, 0)) : 0;
}
