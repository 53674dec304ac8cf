#pragma once
// The folder a module was loaded from.
#include <windows.h>

#include <string>

// The folder of `module` (nullptr: the program file) without a trailing backslash; empty when
// the system gives no path. Paths longer than MAX_PATH are read whole.
std::wstring ModuleFolder(HMODULE module);
