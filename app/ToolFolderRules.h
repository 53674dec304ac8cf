#pragma once
// What may be removed when the tool exits, and the command that removes it: the tool's own
// files, then its folder when nothing else is left in it. No system call here.
#include <optional>
#include <string>
#include <vector>

// The files that travel with the program in its folder; nothing else may be there.
extern const wchar_t* const TOOL_COMPANION_FILES[2];

struct FolderEntry {
  std::wstring name;
  bool isFolder = false;
};

// The part of a path before its last backslash; empty when there is none.
std::wstring FolderOfPath(const std::wstring& path);

// "C:", "C:\", "\\server\share", "\\?\C:\", "\\?\UNC\server\share" and the like: the top of a
// drive or a share.
bool IsRootFolder(const std::wstring& folder);

// True when `folder` is `known`, or holds it: removing it would remove that folder too. Windows
// compares paths without regard to case; a trailing backslash does not count.
bool ContainsOrIsFolder(const std::wstring& folder, const std::wstring& known);

// True when the folder could be listed (`entries` is its listing) and holds the program and at
// most the companion files, and no sub-folder. A folder that cannot be listed is kept.
bool HoldsOnlyToolFiles(const std::optional<std::vector<FolderEntry>>& entries,
                        const std::wstring& programName);

// What the hidden command interpreter runs: wait three seconds (the tool has ended by then),
// delete the program and its companions, then remove the folder, which fails and keeps it when
// anything else has appeared in it meanwhile. Never recursive. Nothing when a name holds a "%",
// which the interpreter would expand even inside quotation marks: the folder is then kept.
std::optional<std::wstring> FolderRemovalCommand(const std::wstring& folder,
                                                 const std::wstring& programName);
