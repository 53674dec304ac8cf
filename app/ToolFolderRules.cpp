#include "app/ToolFolderRules.h"

#include <cwctype>

const wchar_t* const TOOL_COMPANION_FILES[2] = {L"HalvexFeedbackInformation.dll",
                                                L"HalvexFeedbackInformation.ini"};

const wchar_t TOOL_FOLDER_VARIABLE[] = L"TARNELL_TOOL_FOLDER";

namespace {

std::wstring WithoutTrailingBackslash(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towupper(a[i]) != std::towupper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::wstring FolderOfPath(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsRootFolder(const std::wstring& folder) {
  const std::wstring path = WithoutTrailingBackslash(folder);
  if (path.size() <= 2) return true;  // "", "C:"
  if (path.compare(0, 2, L"\\\\") != 0) return false;
  // \\server\share or \\?\C: : no backslash after the one that ends the server's name.
  const size_t server = path.find(L'\\', 2);
  return server == std::wstring::npos || path.find(L'\\', server + 1) == std::wstring::npos;
}

bool ContainsOrIsFolder(const std::wstring& folder, const std::wstring& known) {
  const std::wstring outer = WithoutTrailingBackslash(folder);
  const std::wstring inner = WithoutTrailingBackslash(known);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!SameText(outer, inner.substr(0, outer.size()))) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\';
}

bool HoldsOnlyToolFiles(const std::vector<FolderEntry>& entries, const std::wstring& programName) {
  for (const FolderEntry& entry : entries) {
    if (entry.isFolder) return false;
    bool ours = SameText(entry.name, programName);
    for (const wchar_t* companion : TOOL_COMPANION_FILES)
      ours = ours || SameText(entry.name, companion);
    if (!ours) return false;
  }
  return true;
}

std::wstring FolderRemovalParameters() {
  // Inside the quotation marks the expanded path is one argument whatever it holds; a variable
  // is expanded once, so a "%" in the path is not expanded again.
  return std::wstring(L"/C timeout /t 3 /nobreak & rmdir /s /q \"%") + TOOL_FOLDER_VARIABLE +
         L"%\"";
}
