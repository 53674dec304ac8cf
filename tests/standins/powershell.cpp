// Stand-in for powershell.exe in tests: prints a get-hotfix table chosen by STANDIN_HOTFIX
// ("table", the default; "long"; "empty"; "error", only standard error; "size:N" at least N
// bytes; "hang", the table and then no end, as with a broken WMI repository). Only
// `-command "get-hotfix"` is understood.
#include "tests/standins/HotfixTable.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

void WriteAll(DWORD which, const std::string& bytes) {
  DWORD written = 0;
  WriteFile(GetStdHandle(which), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
            nullptr);
}

}  // namespace

int wmain() {
  const std::wstring commandLine = GetCommandLineW();
  if (commandLine.find(L"-command \"get-hotfix\"") == std::wstring::npos) {
    WriteAll(STD_ERROR_HANDLE, "stand-in powershell: unexpected command line\r\n");
    return 1;
  }
  const char* variant = std::getenv("STANDIN_HOTFIX");
  const std::string choice = variant ? variant : "table";
  if (choice == "long") {
    WriteAll(STD_OUTPUT_HANDLE, LongHotfixTable());
  } else if (choice == "empty") {
  } else if (choice == "error") {
    WriteAll(STD_ERROR_HANDLE, HotfixError());
    return 1;
  } else if (choice == "hang") {
    WriteAll(STD_OUTPUT_HANDLE, HotfixTable());
    Sleep(INFINITE);
  } else if (choice.rfind("size:", 0) == 0) {
    WriteAll(STD_OUTPUT_HANDLE, HotfixTableOfSize(std::strtoul(choice.c_str() + 5, nullptr, 10)));
  } else {
    WriteAll(STD_OUTPUT_HANDLE, HotfixTable());
  }
  return 0;
}
