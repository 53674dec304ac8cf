// How long the tool takes from its process start until its main window is visible, painted and
// idle, against a minimal layered-window program started the same way in the same run; then its
// private memory and its GDI and USER objects before and after 50 removal requests, and how soon
// the question follows the click.
// The structural floor, and an earlier build of the tool when scripts/bench gives one, join in.
#include "base/ProgramFolder.h"
#include "res/resource.h"
#include "tests/system/ToolUnderTest.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
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

double MinimalProgramMs(const wchar_t* name) {
  StartedProcess program = StartedProcess::Start(name);
  driver::WindowQuery query;
  query.title = L"Minimal";
  query.processId = program.id();
  const HWND window = driver::WaitForWindow(query, 15000);
  driver::WaitUntilPainted(window, 15000);
  driver::WaitUntilInputIdle(program.handle(), 15000);
  return SinceCreationMs(program.handle());
}

double ToolMs(int run, const std::wstring& name = ToolStart().program) {
  ToolUnderTest tool(L"bench_start_" + std::to_wstring(run));
  ToolStart start;
  start.program = name;
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
  // All programs are watched through the same conditions (window found, painted, input idle),
  // checked every 5 ms: the waits' usual 20 ms steps would count the tool's longer chain of
  // windows against it, and a finer step loads the Wine server that all programs depend on.
  driver::SetPollPeriod(5);
  const int runs = 9;
  const std::wstring before = L"TarnellSystemPatchUninstallTool-before.exe";
  const bool hasBefore = ::GetFileAttributesW((ModuleFolder(nullptr) + L"\\" + before).c_str()) !=
                         INVALID_FILE_ATTRIBUTES;
  std::vector<double> minimal, floor, earlier, tool;
  for (int i = 0; i < runs; ++i) {  // alternating, so that all see the same machine
    minimal.push_back(MinimalProgramMs(L"minimal_layered_window.exe"));
    floor.push_back(MinimalProgramMs(L"structural_floor.exe"));
    if (hasBefore) earlier.push_back(ToolMs(runs + i, before));
    tool.push_back(ToolMs(i));
  }
  const double minimalMs = Median(minimal), toolMs = Median(tool);
  std::printf(
      "start-up to the main window shown and idle: tool %.0f ms, minimal layered window %.0f ms, "
      "ratio %.2f (median of %d)\n",
      toolMs, minimalMs, toolMs / minimalMs, runs);
  std::printf("structural floor %.0f ms, ratio %.2f\n", Median(floor), toolMs / Median(floor));
  if (hasBefore) std::printf("earlier build of the tool %.0f ms\n", Median(earlier));

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
  std::vector<double> questions;
  for (int i = 1; i <= 50; ++i) {
    const ULONGLONG click = ::GetTickCount64();
    running.RequestRemoval(L"5001330");
    PromptSeen question;
    if (!running.WaitForPrompt(&question, 15000)) return 1;
    questions.push_back(static_cast<double>(::GetTickCount64() - click));
    if (!running.Answer(question, IDC_PROMPT_CANCEL)) return 1;
    running.Idle();
    if (i == 1 || i == 10 || i == 50)
      report(("after " + std::to_string(i) + " removal requests").c_str());
  }
  std::printf("the question after the click: %.0f ms (median of 50)\n", Median(questions));
  return 0;
}
