#pragma once
// Programs and pages started for the desktop's user run with that user's rights. The tool may
// hold rights the user has not (UAC's consent, another administrator's password); what it
// started for them would otherwise run with those, steered by what the user controls: the
// handlers in their own registry, the names in their own folders.
#include <string>

enum class DesktopUserStart {
  Started,  // handed to the shell, which took it
  Failed,   // the shell, with our own rights, could not start it
  Refused,  // it could not be started with the desktop user's rights
};

// ShellExecute's "open" of `file` with `parameters` (may be empty), working in `directory`
// (empty: the shell's choice), shown as `show` says. Started in this process when it holds no
// more rights than the desktop's user; otherwise handed to the desktop's shell (Explorer), which
// runs with theirs, and refused when that cannot be done. Waits for the shell's answer.
DesktopUserStart ShellExecuteForDesktopUser(const std::wstring& file,
                                            const std::wstring& parameters,
                                            const std::wstring& directory, int show);
