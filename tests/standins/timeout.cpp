// Stand-in for timeout.exe, which Wine lacks: "timeout /t N [/nobreak]" waits N seconds. As
// Windows' own, it quits at once when its input is not a console, /nobreak or not.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

int wmain(int argc, wchar_t** argv) {
  DWORD mode = 0;
  if (!GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode)) {
    std::fputs("ERROR: Input redirection is not supported, exiting the process immediately.\n",
               stderr);
    return 1;
  }
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::towlower(argv[i][0]) == L'/' && std::towlower(argv[i][1]) == L't' && argv[i][2] == 0) {
      Sleep(static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10)) * 1000);
      return 0;
    }
  }
  return 1;
}
