// drive_window: the window test driver from a command line, for scripts and for looking at a
// running program by hand. Steps are separated by "--" and run in order; the first that fails
// ends the run with exit code 1.
//
//   start PROGRAM [ARGS...]      start a program (ended at exit if it still runs)
//   wait TITLE [MS]              wait for a visible top-level window with this title
//   list TITLE                   print its controls: id class visible enabled screen client text
//   move X Y | click X Y         move the pointer / click, screen coordinates
//   type TEXT                    type the text into the focused window
//   key NAME [ctrl] [shift] [alt]  press a key: enter, escape, tab, space, back, delete, a-z, 0-9
//   front TITLE                  bring the window to the front
//   screenshot NAME [TITLE]      save NAME.png of the window or the screen into SCREENSHOT_DIR
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

#include "tests/driver/WindowDriver.h"

namespace {

using Args = std::vector<std::wstring>;

void Print(const std::wstring& line) {
  const std::wstring text = line + L"\n";
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

std::wstring RectText(const RECT& r) {
  return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
         std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom);
}

HWND WindowTitled(const std::wstring& title, DWORD timeoutMs) {
  driver::WindowQuery query;
  query.title = title;
  return driver::WaitForWindow(query, timeoutMs);
}

WORD KeyCode(const std::wstring& name) {
  if (name == L"enter") return VK_RETURN;
  if (name == L"escape") return VK_ESCAPE;
  if (name == L"tab") return VK_TAB;
  if (name == L"space") return VK_SPACE;
  if (name == L"back") return VK_BACK;
  if (name == L"delete") return VK_DELETE;
  if (name.size() == 1 && std::iswalnum(name[0])) return static_cast<WORD>(std::towupper(name[0]));
  return 0;
}

bool RunStep(const Args& step, std::vector<StartedProcess>& started) {
  const std::wstring& verb = step[0];
  const size_t count = step.size();
  if (verb == L"start" && count >= 2) {
    std::wstring arguments;
    for (size_t i = 2; i < count; ++i) arguments += (i > 2 ? L" \"" : L"\"") + step[i] + L"\"";
    StartedProcess process = StartedProcess::Start(step[1], arguments);
    if (!process) return false;
    Print(L"started " + std::to_wstring(process.id()));
    started.push_back(std::move(process));
    return true;
  }
  if (verb == L"wait" && count >= 2) {
    const DWORD timeout = count >= 3 ? std::wcstoul(step[2].c_str(), nullptr, 10) : 10000;
    return WindowTitled(step[1], timeout) != nullptr;
  }
  if (verb == L"list" && count == 2) {
    const HWND dialog = WindowTitled(step[1], 0);
    if (!dialog) return false;
    for (const driver::ControlInfo& c : driver::ListControls(dialog))
      Print(std::to_wstring(c.id) + L" " + c.className + (c.visible ? L" visible" : L" hidden") +
            (c.enabled ? L" enabled" : L" disabled") + L" screen=" + RectText(c.screen) +
            L" client=" + RectText(c.client) + L" \"" + c.text + L"\"");
    return true;
  }
  if ((verb == L"move" || verb == L"click") && count == 3) {
    const int x = std::wcstol(step[1].c_str(), nullptr, 10);
    const int y = std::wcstol(step[2].c_str(), nullptr, 10);
    if (verb == L"move") driver::MovePointer(x, y);
    else driver::Click(x, y);
    return true;
  }
  if (verb == L"type" && count == 2) {
    driver::TypeText(step[1]);
    return true;
  }
  if (verb == L"key" && count >= 2) {
    const WORD vk = KeyCode(step[1]);
    if (!vk) return false;
    std::vector<WORD> modifiers;
    for (size_t i = 2; i < count; ++i) {
      if (step[i] == L"ctrl") modifiers.push_back(VK_CONTROL);
      else if (step[i] == L"shift") modifiers.push_back(VK_SHIFT);
      else if (step[i] == L"alt") modifiers.push_back(VK_MENU);
      else return false;
    }
    // PressKey takes a fixed list; at most the three modifiers above.
    switch (modifiers.size()) {
      case 0: driver::PressKey(vk); break;
      case 1: driver::PressKey(vk, {modifiers[0]}); break;
      case 2: driver::PressKey(vk, {modifiers[0], modifiers[1]}); break;
      default: driver::PressKey(vk, {modifiers[0], modifiers[1], modifiers[2]}); break;
    }
    return true;
  }
  if (verb == L"front" && count == 2) {
    const HWND window = WindowTitled(step[1], 0);
    return window && driver::BringToFront(window);
  }
  if (verb == L"screenshot" && (count == 2 || count == 3)) {
    HWND window = nullptr;
    if (count == 3 && !(window = WindowTitled(step[2], 0))) return false;
    const std::wstring path = driver::SaveScreenshot(window, step[1]);
    if (path.empty()) return false;
    Print(L"saved " + path);
    return true;
  }
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<Args> steps(1);
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"--") steps.emplace_back();
    else steps.back().push_back(argv[i]);
  }
  std::vector<StartedProcess> started;
  for (const Args& step : steps) {
    if (step.empty() || !RunStep(step, started)) {
      Print(L"failed: " + (step.empty() ? std::wstring(L"(empty step)") : step[0]));
      return 1;
    }
  }
  return 0;
}
