#include "tests/driver/WindowDriver.h"

#include <winternl.h>

#include <vector>

namespace driver {
namespace {

std::wstring ClassNameOf(HWND hwnd) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(hwnd, name, 256);
  return std::wstring(name, length > 0 ? static_cast<size_t>(length) : 0);
}

bool Matches(HWND hwnd, const WindowQuery& query) {
  if (query.visibleOnly && !::IsWindowVisible(hwnd)) return false;
  if (query.owner && ::GetWindow(hwnd, GW_OWNER) != query.owner) return false;
  if (query.processId) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != query.processId) return false;
  }
  if (!query.className.empty() && ClassNameOf(hwnd) != query.className) return false;
  return query.title.empty() || GetText(hwnd) == query.title;
}

struct Search {
  const WindowQuery* query;
  HWND found;
};

BOOL CALLBACK FindMatching(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (!Matches(hwnd, *search->query)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
  return TRUE;
}

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

bool NothingToPaint(HWND hwnd) {
  if (::GetUpdateRect(hwnd, nullptr, FALSE)) return false;
  for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (::IsWindowVisible(child) && !NothingToPaint(child)) return false;
  }
  return true;
}

INPUT KeyInput(WORD vk, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  return input;
}

// Input is queued and handled by the target's thread; give it a moment between steps, as a
// real hand would.
void Settle() { PumpMessages(30); }

}  // namespace

HWND FindTopLevelWindow(const WindowQuery& query) {
  Search search = {&query, nullptr};
  ::EnumWindows(FindMatching, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopLevelWindow(query)) != nullptr; }, timeoutMs);
  return found;
}

namespace {
DWORD g_pollPeriodMs = 20;
}  // namespace

void SetPollPeriod(DWORD ms) { g_pollPeriodMs = ms; }

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    PumpMessages(g_pollPeriodMs);
  }
}

void PumpMessages(DWORD ms) {
  const ULONGLONG end = ::GetTickCount64() + ms;
  do {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the caller's own loop
        return;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    const ULONGLONG now = ::GetTickCount64();
    if (now >= end) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  } while (::GetTickCount64() < end);
}

bool WaitUntilPainted(HWND hwnd, DWORD timeoutMs) {
  return WaitUntil([&] { return ::IsWindowVisible(hwnd) && NothingToPaint(hwnd); }, timeoutMs);
}

bool WaitUntilForeground(HWND hwnd, DWORD timeoutMs) {
  return WaitUntil([&] { return ::GetForegroundWindow() == hwnd; }, timeoutMs);
}

bool WaitUntilInputIdle(HANDLE process, DWORD timeoutMs) {
  return ::WaitForInputIdle(process, timeoutMs) == 0;
}

std::vector<ControlInfo> ListControls(HWND dialog) {
  std::vector<HWND> children;
  ::EnumChildWindows(dialog, CollectWindow, reinterpret_cast<LPARAM>(&children));
  std::vector<ControlInfo> controls;
  for (HWND hwnd : children) {
    ControlInfo info;
    info.hwnd = hwnd;
    info.id = ::GetDlgCtrlID(hwnd);
    info.className = ClassNameOf(hwnd);
    info.text = GetText(hwnd);
    ::GetWindowRect(hwnd, &info.screen);
    info.client = info.screen;
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&info.client), 2);
    info.visible = ::IsWindowVisible(hwnd) != FALSE;
    info.enabled = ::IsWindowEnabled(hwnd) != FALSE;
    controls.push_back(info);
  }
  return controls;
}

bool FindControl(HWND dialog, int id, ControlInfo* info) {
  for (const ControlInfo& control : ListControls(dialog)) {
    if (control.id != id) continue;
    *info = control;
    return true;
  }
  return false;
}

std::wstring GetText(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
    return std::wstring();
  std::vector<wchar_t> buffer(length + 1);
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
    return std::wstring();
  return std::wstring(buffer.data(), copied < buffer.size() ? copied : length);
}

bool BringToFront(HWND hwnd) {
  const bool done = ::SetForegroundWindow(hwnd) != FALSE;
  Settle();
  return done && ::GetForegroundWindow() == hwnd;
}

void MovePointer(int screenX, int screenY) {
  // Wine sometimes takes a pointer motion that X reported before the warp and puts its cursor
  // back where it was, although the warp succeeded: warp again until the cursor stays there.
  auto there = [&] {
    POINT at = {};
    return ::GetCursorPos(&at) && at.x == screenX && at.y == screenY;
  };
  for (int attempt = 0; attempt < 3; ++attempt) {
    WaitUntil([&] { return ::SetCursorPos(screenX, screenY) && there(); }, 2000);
    Settle();
    if (there()) break;
  }
}

void MovePointerTo(HWND hwnd, int clientX, int clientY) {
  POINT point = {clientX, clientY};
  ::ClientToScreen(hwnd, &point);
  MovePointer(point.x, point.y);
}

void MovePointerToCentre(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  MovePointer((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void PressLeft() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Settle();
}

void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  Settle();
}

void Click(int screenX, int screenY) {
  MovePointer(screenX, screenY);
  PressLeft();
  ReleaseLeft();
}

void ClickCentre(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void TypeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT keys[2] = {KeyInput(0, c, KEYEVENTF_UNICODE),
                     KeyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
    ::SendInput(2, keys, sizeof(INPUT));
  }
  Settle();
}

void PressKey(WORD vk, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> keys;
  for (WORD modifier : modifiers) keys.push_back(KeyInput(modifier, 0, 0));
  keys.push_back(KeyInput(vk, 0, 0));
  keys.push_back(KeyInput(vk, 0, KEYEVENTF_KEYUP));
  for (auto it = modifiers.end(); it != modifiers.begin();) {
    --it;
    keys.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
  }
  ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
  Settle();
}

std::wstring ScreenshotDir() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = ::GetEnvironmentVariableW(L"SCREENSHOT_DIR", buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) length = ::GetCurrentDirectoryW(MAX_PATH, buffer);
  std::wstring dir(buffer, length < MAX_PATH ? length : 0);
  if (!dir.empty() && dir.back() != L'\\' && dir.back() != L'/') dir += L'\\';
  return dir;
}

std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name) {
  ScreenCapture capture;
  if (!(hwnd ? capture.CaptureWindow(hwnd) : capture.CaptureScreen())) return std::wstring();
  std::wstring path = ScreenshotDir() + name;
  if (path.size() < 4 || path.compare(path.size() - 4, 4, L".png") != 0) path += L".png";
  ::CreateDirectoryW(ScreenshotDir().c_str(), nullptr);
  return capture.SavePng(path) ? path : std::wstring();
}

DWORD GetProcessGdiObjectCount(HANDLE process) {
  const DWORD count = ::GetGuiResources(process, GR_GDIOBJECTS);
  if (count) return count;
  // The process's GDI handle table, whose address its process environment block keeps
  // (GdiSharedHandleTable); a used entry has a non-zero type.
  struct HandleEntry {
    void* object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    void* user;
  };
#ifdef _WIN64
  constexpr size_t kTableOffset = 0xF8;
#else
  constexpr size_t kTableOffset = 0x94;
#endif
  PROCESS_BASIC_INFORMATION basic = {};
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic),
                                  nullptr) != 0)
    return 0;
  const HandleEntry* table = nullptr;
  const auto* tableField = reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kTableOffset;
  if (!::ReadProcessMemory(process, tableField, &table, sizeof(table), nullptr) || !table)
    return 0;
  std::vector<HandleEntry> entries(0x10000);
  if (!::ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(HandleEntry),
                           nullptr))
    return 0;
  DWORD used = 0;
  for (const HandleEntry& entry : entries) used += entry.type != 0;
  return used;
}

DWORD GetProcessUserObjectCount(HANDLE process) {
  const DWORD count = ::GetGuiResources(process, GR_USEROBJECTS);
  if (count) return count;
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND message = nullptr;
       (message = ::FindWindowExW(HWND_MESSAGE, message, nullptr, nullptr)) != nullptr;)
    windows.push_back(message);
  const size_t topLevel = windows.size();
  for (size_t i = 0; i < topLevel; ++i)
    ::EnumChildWindows(windows[i], CollectWindow, reinterpret_cast<LPARAM>(&windows));
  const DWORD processId = ::GetProcessId(process);
  DWORD own = 0;
  for (HWND hwnd : windows) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hwnd, &owner);
    // Wine makes and removes a thread's IME window along with the thread's other windows.
    own += owner == processId && ClassNameOf(hwnd) != L"IME";
  }
  return own;
}

}  // namespace driver
