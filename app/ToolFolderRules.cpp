#include "app/ToolFolderRules.h"

#include <cwctype>

const wchar_t* const TOOL_COMPANION_FILES[2] = {L"HalvexFeedbackInformation.dll",
                                                L"HalvexFeedbackInformation.ini"};

const wchar_t TOOL_FOLDER_VARIABLE[] = L"TARNELL_TOOL_FOLDER";
const wchar_t TOOL_PROGRAM_VARIABLE[] = L"TARNELL_TOOL_PROGRAM";

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

bool StartsWith(const std::wstring& path, const std::wstring& prefix) {
  return path.size() >= prefix.size() && SameText(path.substr(0, prefix.size()), prefix);
}

// "\\?\C:\x" is "C:\x" and "\\?\UNC\server\share" is "\\server\share" to these rules.
std::wstring WithoutLongPathPrefix(const std::wstring& path) {
  if (StartsWith(path, L"\\\\?\\UNC\\")) return L"\\\\" + path.substr(8);
  if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) return path.substr(4);
  return path;
}

std::wstring Plain(const std::wstring& path) {
  return WithoutTrailingBackslash(WithoutLongPathPrefix(path));
}

// Deletes one file of the tool's folder, the name given through a variable or as it is.
std::wstring DeleteCommand(const std::wstring& name) {
  return L" & del /f /q \"%" + std::wstring(TOOL_FOLDER_VARIABLE) + L"%\\" + name + L"\"";
}

}  // namespace

std::wstring FolderOfPath(const std::wstring& path) {
  const size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool IsRootFolder(const std::wstring& folder) {
  const std::wstring path = Plain(folder);
  if (path.size() <= 2) return true;  // "", "C:"
  if (path.compare(0, 2, L"\\\\") != 0) return false;
  // \\server\share: no backslash after the one that ends the server's name.
  const size_t server = path.find(L'\\', 2);
  return server == std::wstring::npos || path.find(L'\\', server + 1) == std::wstring::npos;
}

bool ContainsOrIsFolder(const std::wstring& folder, const std::wstring& known) {
  const std::wstring outer = Plain(folder);
  const std::wstring inner = Plain(known);
  if (outer.empty() || inner.size() < outer.size()) return false;
  if (!SameText(outer, inner.substr(0, outer.size()))) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\';
}

bool HoldsOnlyToolFiles(const std::optional<std::vector<FolderEntry>>& entries,
                        const std::wstring& programName) {
  if (!entries) return false;
  for (const FolderEntry& entry : *entries) {
    if (entry.isFolder) return false;
    bool ours = SameText(entry.name, programName);
    for (const wchar_t* companion : TOOL_COMPANION_FILES)
      ours = ours || SameText(entry.name, companion);
    if (!ours) return false;
  }
  return true;
}

std::wstring FolderRemovalCommand() {
  // Inside the quotation marks an expanded value is one argument whatever it holds; a variable
  // is expanded once, so a "%" in a path is not expanded again.
  std::wstring command = L"timeout /t 3 /nobreak";
  command += DeleteCommand(L"%" + std::wstring(TOOL_PROGRAM_VARIABLE) + L"%");
  for (const wchar_t* companion : TOOL_COMPANION_FILES) command += DeleteCommand(companion);
  return command + L" & rmdir \"%" + TOOL_FOLDER_VARIABLE + L"%\"";
}
