#pragma once
// Text between UTF-16 and a code page (CP_ACP, CP_UTF8, 936, ...). Empty input, or input the
// code page cannot convert, gives empty output; characters the code page cannot hold become its
// default character.
#include <windows.h>

#include <string>

std::wstring WideFromCodePage(const std::string& bytes, UINT codePage);
std::string CodePageFromWide(const std::wstring& text, UINT codePage);

// A security identifier as text ("S-1-5-32-544"); empty when it cannot be converted.
std::wstring SidText(PSID sid);
