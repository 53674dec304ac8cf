#pragma once
// What the standalone update installer's exit code says about a removal, for the log. No system
// call here.
#include <string>

// The documented meaning of a wusa exit code: removed, removed but a restart is needed, not
// installed, another installation running, no rights, bad argument, or another error.
const wchar_t* WusaExitMeaning(unsigned long exitCode);

// The ordinary log record of a finished removal: "wusa 退出码 3010 (0x00000BC2)：..." with the
// meaning above.
std::wstring WusaExitRecord(unsigned long exitCode);
