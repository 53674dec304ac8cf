#pragma once
// Runs a command line through the command interpreter and waits for it to end, on the calling
// (worker) thread. A 32-bit process on 64-bit Windows switches file-system redirection off
// around the child, so that "cmd" and what it starts are the 64-bit system's own programs.
//
// The tool runs with administrator rights from a folder its user controls (Downloads, a USB
// stick), so the interpreter is always the system folder's cmd.exe by its full path, working in
// the system folder, with the user's AutoRun commands and delayed expansion off: no program or
// script in the tool's folder or the current directory is ever started in place of cmd,
// powershell or wusa, and a "!" in a path means nothing.
#include <windows.h>

#include <optional>
#include <string>

// True when the tool runs as a 32-bit process on 64-bit Windows.
bool IsWow64();

// True when the interpreter was started and has ended; its exit code, which is that of the
// command it ran, goes to exitCode when given (nothing when it cannot be read).
bool RunCommand(const std::wstring& command, bool show, std::optional<DWORD>* exitCode = nullptr);

// As RunCommand, with the window hidden, and appends what the command printed on standard
// output and standard error (in the ANSI code page) to output. The command, and everything it
// starts, is ended once `timeLimitMs` have passed (endedAtLimit then says so); nothing it
// started outlives the call.
bool RunCommandWithOutput(const std::wstring& command, std::wstring& output,
                          DWORD timeLimitMs = INFINITE, bool* endedAtLimit = nullptr);

// The system folder (no trailing backslash), where the interpreter lies and works.
std::wstring SystemFolder();

// What the interpreter is given to run the command, after its own name.
std::wstring InterpreterParameters(const std::wstring& command);
// What the interpreter `program` is started with to run the command.
std::wstring BuildCommandLine(const std::wstring& program, const std::wstring& command);

// The calls the runners make around a child process for file-system redirection. Tests replace
// them to take the 32-bit-on-64-bit branch in the 64-bit build.
struct RedirectionCalls {
  bool (*isWow64)();
  BOOL(WINAPI* disable)(PVOID* oldValue);
  BOOL(WINAPI* revert)(PVOID oldValue);
};
void SetRedirectionCalls(const RedirectionCalls& calls);
RedirectionCalls SystemRedirectionCalls();
