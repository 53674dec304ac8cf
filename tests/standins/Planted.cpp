// Planted under the name of a system program (cmd.exe) or library (wininet.dll): started or
// loaded, it leaves "<its path>.ran", which must never happen.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  wchar_t path[MAX_PATH + 8] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (reason == DLL_PROCESS_ATTACH && length > 0 && length < MAX_PATH)
    CloseHandle(CreateFileW(lstrcatW(path, L".ran"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
  return TRUE;
}

int main() { return DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr) ? 0 : 1; }
