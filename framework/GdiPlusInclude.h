#pragma once
// GDI+ under NOMINMAX and WIN32_LEAN_AND_MEAN: its headers use unqualified min/max and the COM
// property types that the lean windows.h leaves out.
#include <windows.h>

#include <algorithm>
using std::max;
using std::min;
#include <objidl.h>
#include <gdiplus.h>
