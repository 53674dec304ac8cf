// How long the tool takes from its process start until its main window is visible, painted and
// idle, against a minimal layered-window program and the floor of the tool's structure started
// the same way in the same run (and against an earlier build of the tool, when scripts/bench has
// put one beside it); then its private memory and its GDI and USER objects before and after 50
// removal requests.
#include "base/ProgramFolder.h"
#include "res/resource.h"
#include "tests/system/ToolUnderTest.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Milliseconds from the process's creation, as the system counts it, until now.
double SinceCreationMs(HANDLE process) {
  FILETIME created, exited, kernel, user, now;
  ::GetProcessTimes(process, &created, &exited, &kernel, &user);
  ::GetSystemTimePreciseAsFileTime(&now);
  auto ticks = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

// The earlier build of the tool that scripts/bench copies beside this program, if asked to.
const wchar_t TOOL_BEFORE[] = L"TarnellSystemPatchUninstallTool-before.exe";

// A yardstick: its layered frame, then the popup it owns, painted with whatever it holds.
double YardstickMs(const wchar_t* program) {
  StartedProcess started = StartedProcess::Start(program);
  driver::WindowQuery frame;
  frame.title = L"Minimal";
  frame.processId = started.id();
  driver::WindowQuery panel;
  panel.owner = driver::WaitForWindow(frame, 15000);
  panel.processId = started.id();
  driver::WaitUntilPainted(driver::WaitForWindow(panel, 15000), 15000);
  driver::WaitUntilInputIdle(started.handle(), 15000);
  return SinceCreationMs(started.handle());
}

double ToolMs(const std::wstring& program) {
  static int started = 0;  // each start in a folder of its own
  ToolUnderTest tool(L"bench_start_" + std::to_wstring(started++));
  ToolStart start;
  start.program = program;
  if (!tool.Start(start)) return -1;
  driver::WindowQuery frame;
  frame.title = L"Dov10arevarez";
  frame.processId = tool.ProcessId();
  driver::WindowQuery main;
  main.owner = driver::WaitForWindow(frame, 15000);
  main.processId = tool.ProcessId();
  HWND window = nullptr;
  driver::WaitUntil(
      [&] {
        window = driver::FindTopLevelWindow(main);
        return window && ::GetDlgItem(window, IDC_UNINSTALL);
      },
      15000);
  driver::WaitUntilPainted(window, 15000);
  driver::WaitUntilInputIdle(tool.Process(), 15000);
  return SinceCreationMs(tool.Process());
}

PROCESS_MEMORY_COUNTERS MemoryOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(process, &counters, sizeof(counters));
  return counters;
}

}  // namespace

int wmain() {
  // Every program is watched through the same conditions (window found, painted, input idle),
  // checked every 5 ms: the waits' usual 20 ms steps would count the tool's longer chain of
  // windows against it, and a finer step loads the Wine server that all of them depend on.
  driver::SetPollPeriod(5);
  struct Program {
    const char* name;
    std::function<double()> start;
    std::vector<double> ms;
  };
  std::vector<Program> programs = {
      {"minimal layered window", [] { return YardstickMs(L"minimal_layered_window.exe"); }, {}},
      {"structural floor", [] { return YardstickMs(L"structural_floor.exe"); }, {}}};
  if (std::filesystem::exists(ModuleFolder(nullptr) + L"\\" + TOOL_BEFORE))
    programs.push_back({"tool, earlier build", [] { return ToolMs(TOOL_BEFORE); }, {}});
  programs.push_back({"tool", [] { return ToolMs(ToolStart().program); }, {}});
  const int runs = 9;
  for (int i = 0; i < runs; ++i) {  // alternating, so that all see the same machine
    for (Program& program : programs) program.ms.push_back(program.start());
  }
  const double minimalMs = Median(programs[0].ms), floorMs = Median(programs[1].ms);
  std::printf("start-up to the main window shown, painted and idle (medians of %d, ms):\n", runs);
  for (size_t i = 0; i < programs.size(); ++i) {
    const double ms = Median(programs[i].ms);
    std::printf("  %-22s %4.0f", programs[i].name, ms);
    if (i >= 2) std::printf("   %.2f x minimal, %.2f x floor", ms / minimalMs, ms / floorMs);
    std::printf("\n");
  }

  driver::SetPollPeriod(20);
  ToolUnderTest running(L"bench_requests");
  if (!running.Start({}) || !running.WaitForMainWindow()) return 1;
  auto report = [&](const char* when) {
    const PROCESS_MEMORY_COUNTERS memory = MemoryOf(running.Process());
    std::printf(
        "%s: working set %.1f MB, private bytes %.1f MB, GDI objects %lu, USER objects (windows) "
        "%lu\n",
        when, memory.WorkingSetSize / 1048576.0, memory.PagefileUsage / 1048576.0,
        driver::GetProcessGdiObjectCount(running.Process()),
        driver::GetProcessUserObjectCount(running.Process()));
  };
  report("after start");
  // Each request: the query behind the wait dialog, then the question, declined.
  for (int i = 1; i <= 50; ++i) {
    running.RequestRemoval(L"5001330");
    PromptSeen question;
    if (!running.WaitForPrompt(&question, 15000) || !running.Answer(question, IDC_PROMPT_CANCEL))
      return 1;
    running.Idle();
    if (i == 1 || i == 10 || i == 50)
      report(("after " + std::to_string(i) + " removal requests").c_str());
  }
  return 0;
}
