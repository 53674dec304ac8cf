#pragma once
// What the standalone update installer's exit code says about a removal: its meaning for the
// log, and whether nothing was removed. No system call here.
#include <string>

// The documented meaning of a wusa exit code: removed, removed but a restart is needed, not
// installed, not applicable, another installation running, no rights, bad argument, or another
// error.
const wchar_t* WusaExitMeaning(unsigned long exitCode);

// True when the code says that nothing was removed for a reason other than the user's own
// choice; success codes and every code not known to mean that (the user declining in wusa's
// own window among them) are false.
bool WusaRemovedNothing(unsigned long exitCode);

// The ordinary log record of a finished removal: "wusa 退出码 3010 (0x00000BC2)：..." with the
// meaning above.
std::wstring WusaExitRecord(unsigned long exitCode);
