#pragma once
// What may be removed when the tool exits, and the command that removes it: the tool's own
// folder, and only when it is nothing but that. No system call here.
#include <string>
#include <vector>

// The files that travel with the program in its folder; nothing else may be there.
extern const wchar_t* const TOOL_COMPANION_FILES[2];

// The environment variable through which the interpreter gets the folder: its value is taken as
// it is, so blanks, "&", "^", "%" and "!" in the path mean nothing to the interpreter.
extern const wchar_t TOOL_FOLDER_VARIABLE[];

struct FolderEntry {
  std::wstring name;
  bool isFolder = false;
};

// The part of a path before its last backslash; empty when there is none.
std::wstring FolderOfPath(const std::wstring& path);

// "C:", "C:\", "\\server\share" and the like: the top of a drive or a share.
bool IsRootFolder(const std::wstring& folder);

// True when `folder` is `known`, or holds it: removing it would remove that folder too. Windows
// compares paths without regard to case; a trailing backslash does not count.
bool ContainsOrIsFolder(const std::wstring& folder, const std::wstring& known);

// True when the folder holds the program and at most the companion files, and no sub-folder.
bool HoldsOnlyToolFiles(const std::vector<FolderEntry>& entries, const std::wstring& programName);

// What the hidden command interpreter is started with: wait three seconds (the tool has ended by
// then), then remove the folder named by TOOL_FOLDER_VARIABLE.
std::wstring FolderRemovalParameters();
