#include "engine/PatchRules.h"

// -NoProfile: the user's profile scripts would run with the tool's rights, and could print a
// "KB" of their own.
const wchar_t QUERY_COMMAND[] = L"powershell -NoProfile -command \"get-hotfix\"";
const wchar_t UNINSTALL_COMMAND_PREFIX[] = L"wusa /uninstall /kb:";

PatchNumberCheck ValidatePatchNumber(const std::wstring& number) {
  if (number.size() < 6 || number.size() > 10) return PATCH_LENGTH_INVALID;
  for (wchar_t c : number) {
    if (c < L'0' || c > L'9') return PATCH_HAS_NON_DIGIT;
  }
  return PATCH_ACCEPTABLE;
}

bool IsCommandSafePatchNumber(const std::wstring& number) {
  for (wchar_t c : number) {
    const bool safe = (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') ||
                      (c >= L'a' && c <= L'z') || c == L' ';
    if (!safe) return false;
  }
  return true;
}

std::wstring PatchSearchText(const std::wstring& number) { return L"KB" + number; }

bool ContainsPatchId(const std::wstring& output, const std::wstring& searchText) {
  for (size_t at = output.find(searchText); at != std::wstring::npos;
       at = output.find(searchText, at + 1)) {
    const size_t after = at + searchText.size();
    if (after == output.size() || output[after] < L'0' || output[after] > L'9') return true;
  }
  return false;
}

std::wstring UninstallCommand(const std::wstring& number) {
  return UNINSTALL_COMMAND_PREFIX + number;
}
