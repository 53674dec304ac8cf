#pragma once
// What the standalone update installer's exit code says about a removal: whether the update was
// removed, what the code means (for the log) and, when it was not, why, in the user's words. An
// exit code that could not be read is nullopt. No system call here.
#include <optional>
#include <string>

// True only for the codes that say the update was removed: 0, 3010, 1641 and 0x00240005.
bool WusaRemoved(std::optional<unsigned long> exitCode);

// The documented meaning of a code: removed, removed but a restart is needed, not installed,
// not applicable, not removable, another installation running, no rights, cancelled, ...
const wchar_t* WusaExitMeaning(std::optional<unsigned long> exitCode);

// One short line that says why the removal failed and what to do, where there is something to
// do; for a code without one, the code in hexadecimal.
std::wstring WusaFailureReason(std::optional<unsigned long> exitCode);

// The ordinary log record of a finished removal: "wusa 退出码 3010 (0x00000BC2)：..." with the
// meaning above.
std::wstring WusaExitRecord(std::optional<unsigned long> exitCode);
