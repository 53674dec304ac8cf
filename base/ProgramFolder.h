#pragma once
// The file and the folder a module was loaded from.
#include <windows.h>

#include <string>

// The full path of `module`'s file (nullptr: the program file); empty when the system gives
// none. Paths longer than MAX_PATH are read whole.
std::wstring ModulePath(HMODULE module);

// The folder of `module` (nullptr: the program file) without a trailing backslash; empty when
// the system gives no path. Paths longer than MAX_PATH are read whole.
std::wstring ModuleFolder(HMODULE module);
