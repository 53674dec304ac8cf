#pragma once
// A folder that files are written in with administrator rights although ordinary users can
// create things beside it (the common application-data folder). Nothing is created, written or
// renamed through a reparse point (a junction, a symbolic link, a mount point), whichever part
// it replaces, nor through a second name of a file (a hard link): what is opened must lie
// exactly where its path says; nor in a folder an ordinary user owns (one who made it there
// before us could read, change or hold what it holds). The folder stays open, so it cannot be
// renamed or removed while it is used, and files are opened relative to it.
#include "base/ScopedHandle.h"

#include <string>

class CPlainFolder {
public:
  CPlainFolder() = default;  // not open
  // Opens the folder at `path`, an absolute path or one relative to the current directory; the
  // part before its last component is the system's own business and is followed as it is.
  // Not open when the folder is missing, a reparse point, elsewhere than its path says or owned
  // by an ordinary user.
  static CPlainFolder Open(const std::wstring& path);
  // The same, creating the folder when it is missing, as OpenOrCreateFolder does.
  static CPlainFolder OpenOrCreate(const std::wstring& path);

  bool IsOpen() const { return m_handle.IsValid(); }
  // Where the folder lies, as the system names it ("\\?\C:\ProgramData\ToolLog").
  const std::wstring& FinalPath() const { return m_finalPath; }

  // Opens the sub-folder `name`, creating it when missing, owned by the administrators and
  // writable by them and the system only.
  CPlainFolder OpenOrCreateFolder(const std::wstring& name) const;
  // Opens the file `name` for appending and reading, creating it when missing.
  CScopedHandle OpenFileForAppend(const std::wstring& name) const;
  // Gives the file `name` the name `newName` in this folder, replacing a file of that name.
  bool RenameFile(const std::wstring& name, const std::wstring& newName) const;

private:
  static CPlainFolder OpenPath(const std::wstring& path, bool create);
  CPlainFolder OpenFolder(const std::wstring& name, bool create) const;
  CScopedHandle OpenChild(const std::wstring& name, ACCESS_MASK access, unsigned long disposition,
                          unsigned long options, void* securityDescriptor,
                          std::wstring* finalPath) const;

  CScopedHandle m_handle;
  std::wstring m_finalPath;
};
