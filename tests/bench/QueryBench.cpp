// Measures what the process runner adds to the installed-update query: the time of the query
// through RunCommandWithOutput minus the time the command itself takes (started directly and
// read to the end without pauses), for a 1 KB and a 20 KB get-hotfix output.
#include "engine/PatchRules.h"
#include "engine/ProcessRunner.h"
#include "base/ScopedHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The command on its own: powershell started directly, its output read as fast as it comes.
double CommandAloneMs(std::size_t& bytes) {
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  CScopedHandle readEnd, writeEnd;
  CreatePipe(readEnd.Receive(), writeEnd.Receive(), &inheritable, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.hStdOutput = startup.hStdError = writeEnd.Get();
  std::wstring commandLine = QUERY_COMMAND;
  PROCESS_INFORMATION process{};
  const double start = NowMs();
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return -1;
  }
  CScopedHandle processHandle(process.hProcess), threadHandle(process.hThread);
  writeEnd.Close();
  char chunk[4096];
  DWORD read = 0;
  bytes = 0;
  while (ReadFile(readEnd.Get(), chunk, sizeof chunk, &read, nullptr)) bytes += read;
  WaitForSingleObject(process.hProcess, INFINITE);
  return NowMs() - start;
}

double ThroughRunnerMs() {
  std::wstring output;
  const double start = NowMs();
  RunCommandWithOutput(QUERY_COMMAND, output);
  return NowMs() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int wmain() {
  const int kRuns = 5;
  for (const wchar_t* size : {L"size:1024", L"size:20480"}) {
    SetEnvironmentVariableW(L"STANDIN_HOTFIX", size);
    std::vector<double> alone, runner;
    std::size_t bytes = 0;
    for (int i = 0; i < kRuns; ++i) {
      alone.push_back(CommandAloneMs(bytes));
      runner.push_back(ThroughRunnerMs());
    }
    const double aloneMs = Median(alone), runnerMs = Median(runner);
    std::printf("output %6zu bytes: command alone %7.1f ms, query through the runner %7.1f ms, "
                "overhead %7.1f ms (median of %d)\n",
                bytes, aloneMs, runnerMs, runnerMs - aloneMs, kRuns);
  }
  return 0;
}
