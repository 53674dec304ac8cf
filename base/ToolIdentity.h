#pragma once
// The tool's identity towards the maker's feedback library: its tool number and its version.
#include "base/ToolVersion.h"

constexpr wchar_t TOOL_ID[] = L"10069";
constexpr wchar_t TOOL_VERSION[] = L"" TOOL_VERSION_TEXT;
