#include "app/ToolFolderRules.h"

#include <cwctype>

const wchar_t* const TOOL_COMPANION_FILES[2] = {L"HalvexFeedbackInformation.dll",
                                                L"HalvexFeedbackInformation.ini"};

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

// Inside quotation marks blanks, "&", "^", "(" and ")" mean nothing to the interpreter, nor
// does "!" with delayed expansion off; a name cannot hold a quotation mark.
std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

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

std::optional<std::wstring> FolderRemovalCommand(const std::wstring& folder,
                                                 const std::wstring& programName) {
  if (folder.find(L'%') != std::wstring::npos || programName.find(L'%') != std::wstring::npos)
    return std::nullopt;
  std::wstring command = L"timeout /t 3 /nobreak";
  command += L" & del /f /q " + Quoted(folder + L"\\" + programName);
  for (const wchar_t* companion : TOOL_COMPANION_FILES)
    command += L" & del /f /q " + Quoted(folder + L"\\" + companion);
  return command + L" & rmdir " + Quoted(folder);
}
