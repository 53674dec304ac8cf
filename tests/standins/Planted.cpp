// Planted beside the tool, or in its current directory, under the name of one of the system's
// programs (cmd.exe) or libraries (wininet.dll, version.dll): started or loaded, it leaves
// "<its own path>.ran", which must never happen.
#include <windows.h>

namespace {

void LeaveMark(HMODULE self) {
  wchar_t path[MAX_PATH + 8] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  lstrcatW(path, L".ran");
  CloseHandle(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) LeaveMark(self);
  return TRUE;
}

int wmain() {
  LeaveMark(nullptr);
  return 0;
}
