#pragma once
// Rules for the patch number the user types: what is accepted, which updates are protected,
// and the command texts built from an accepted number. No window or system call here.
#include <string>
#include <vector>

enum PatchNumberCheck {
  PATCH_LENGTH_INVALID,  // fewer than 6 or more than 10 characters
  PATCH_HAS_NON_DIGIT,   // the user must confirm the number before it is used
  PATCH_ACCEPTABLE,
};

// Length first, then the digit scan; the text is examined as typed, never trimmed.
PatchNumberCheck ValidatePatchNumber(const std::wstring& number);

// True when the number may be placed on a command line that the command interpreter parses:
// only ASCII digits, ASCII letters and blanks, so that no character can start a second command.
bool IsCommandSafePatchNumber(const std::wstring& number);

// "KB" followed directly by the number: what the installed-update query looks for.
std::wstring PatchSearchText(const std::wstring& number);

// True when `searchText` occurs in `output` where the character after it is not a digit, so
// that KB502712 is not found inside KB5027122. Case and position count as they are.
bool ContainsPatchId(const std::wstring& output, const std::wstring& searchText);

// The removal command handed to the command interpreter.
std::wstring UninstallCommand(const std::wstring& number);

extern const wchar_t QUERY_COMMAND[];
extern const wchar_t UNINSTALL_COMMAND_PREFIX[];
