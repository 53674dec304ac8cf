// Planted under the name of a system program (cmd.exe) or library (wininet.dll): started or
// loaded, it leaves "<its path>.ran", which must never happen.
#include <windows.h>

static void LeaveMark(HMODULE self) {
  wchar_t path[MAX_PATH + 8] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH)
    CloseHandle(CreateFileW(lstrcatW(path, L".ran"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                            nullptr));
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMark(self);
  return TRUE;
}

int main() { return LeaveMark(nullptr), 0; }
