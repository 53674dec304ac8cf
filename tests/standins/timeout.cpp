// Stand-in for timeout.exe, which Wine lacks: "timeout /t N [/nobreak]" waits N seconds.
#include <windows.h>

#include <cwchar>
#include <cwctype>

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::towlower(argv[i][0]) == L'/' && std::towlower(argv[i][1]) == L't' && argv[i][2] == 0) {
      Sleep(static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10)) * 1000);
      return 0;
    }
  }
  return 1;
}
