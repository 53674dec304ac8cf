#include "base/PlainFolder.h"

#include "base/TextConversion.h"
#include "base/TrustRules.h"

#include <aclapi.h>
#include <sddl.h>
#include <winternl.h>

#include <cstring>
#include <vector>

namespace {

constexpr ULONG SHARE_READ_WRITE = FILE_SHARE_READ | FILE_SHARE_WRITE;

// Owned by the administrators, whatever the system's default owner of an administrator's
// objects; full control for the system and for administrators, inherited by all that the folder
// will hold; nothing inherited from the parent, where ordinary users may create things.
const wchar_t ADMINISTRATORS_ONLY[] = L"O:BAD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";

class CAdministratorsOnlyDescriptor {
public:
  CAdministratorsOnlyDescriptor() {
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(ADMINISTRATORS_ONLY, SDDL_REVISION_1,
                                                           &m_descriptor, nullptr);
  }
  ~CAdministratorsOnlyDescriptor() { ::LocalFree(m_descriptor); }
  CAdministratorsOnlyDescriptor(const CAdministratorsOnlyDescriptor&) = delete;
  CAdministratorsOnlyDescriptor& operator=(const CAdministratorsOnlyDescriptor&) = delete;
  PSECURITY_DESCRIPTOR Get() const { return m_descriptor; }

private:
  PSECURITY_DESCRIPTOR m_descriptor = nullptr;
};

std::wstring FinalPathOf(HANDLE handle) {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleW(
        handle, &path[0], static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length);  // too small: the length asked for includes the terminating zero
  }
}

// Whoever owns a folder can always give themselves access to it.
std::wstring OwnerOf(HANDLE folder) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (::GetSecurityInfo(folder, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::wstring();
  }
  const std::wstring text = SidText(owner);
  ::LocalFree(descriptor);
  return text;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring ChildPath(const std::wstring& folder, const std::wstring& name) {
  return !folder.empty() && folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

}  // namespace

CPlainFolder CPlainFolder::Open(const std::wstring& path) { return OpenPath(path, false); }

CPlainFolder CPlainFolder::OpenOrCreate(const std::wstring& path) { return OpenPath(path, true); }

CPlainFolder CPlainFolder::OpenPath(const std::wstring& path, bool create) {
  std::wstring folder = path;
  while (folder.size() > 1 && folder.back() == L'\\') folder.pop_back();
  const size_t slash = folder.rfind(L'\\');
  // "C:\" rather than "C:", which would name the drive's current directory.
  const std::wstring parentPath = slash == std::wstring::npos ? L"." : folder.substr(0, slash + 1);
  const std::wstring name = slash == std::wstring::npos ? folder : folder.substr(slash + 1);
  CPlainFolder parent;
  parent.m_handle = CScopedHandle(::CreateFileW(
      parentPath.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | READ_CONTROL | SYNCHRONIZE,
      SHARE_READ_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
      nullptr));
  if (!parent.IsOpen()) return CPlainFolder();
  parent.m_finalPath = FinalPathOf(parent.m_handle.Get());
  return parent.OpenFolder(name, create);
}

CPlainFolder CPlainFolder::OpenOrCreateFolder(const std::wstring& name) const {
  return OpenFolder(name, true);
}

CPlainFolder CPlainFolder::OpenFolder(const std::wstring& name, bool create) const {
  constexpr ACCESS_MASK access = FILE_LIST_DIRECTORY | FILE_TRAVERSE | READ_CONTROL;
  CPlainFolder child;
  if (!create) {
    child.m_handle =
        OpenChild(name, access, FILE_OPEN, FILE_DIRECTORY_FILE, nullptr, &child.m_finalPath);
  } else if (const CAdministratorsOnlyDescriptor administratorsOnly; administratorsOnly.Get()) {
    child.m_handle = OpenChild(name, access, FILE_OPEN_IF, FILE_DIRECTORY_FILE,
                               administratorsOnly.Get(), &child.m_finalPath);
  }
  // A folder an ordinary user made there first is theirs to read, change or hold: not used.
  if (child.IsOpen() &&
      !IsTrustedFolderOwner(OwnerOf(child.m_handle.Get()), OwnerOf(m_handle.Get())))
    return CPlainFolder();
  return child;
}

CScopedHandle CPlainFolder::OpenFileForAppend(const std::wstring& name) const {
  return OpenChild(name, FILE_APPEND_DATA | FILE_READ_DATA, FILE_OPEN_IF, FILE_NON_DIRECTORY_FILE,
                   nullptr, nullptr);
}

bool CPlainFolder::RenameFile(const std::wstring& name, const std::wstring& newName) const {
  const CScopedHandle file =
      OpenChild(name, DELETE, FILE_OPEN, FILE_NON_DIRECTORY_FILE, nullptr, nullptr);
  if (!file.IsValid()) return false;
  // The new name is relative to this folder's handle, not looked up again by its path.
  const DWORD nameBytes = static_cast<DWORD>(newName.size() * sizeof(wchar_t));
  std::vector<BYTE> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
  auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  rename->ReplaceIfExists = TRUE;
  rename->RootDirectory = m_handle.Get();
  rename->FileNameLength = nameBytes;
  std::memcpy(rename->FileName, newName.data(), nameBytes);
  IO_STATUS_BLOCK status = {};
  return NT_SUCCESS(
      ::NtSetInformationFile(file.Get(), &status, rename, static_cast<ULONG>(buffer.size()),
                             static_cast<FILE_INFORMATION_CLASS>(FileRenameInformation)));
}

// Opened relative to this folder's handle, so that the folder cannot be swapped meanwhile; the
// child itself is opened, never what it points to, and is refused unless it is plain and lies
// exactly where its name says (under Wine a symbolic link is followed, and only its place
// gives it away).
CScopedHandle CPlainFolder::OpenChild(const std::wstring& name, ACCESS_MASK access,
                                      unsigned long disposition, unsigned long options,
                                      void* securityDescriptor, std::wstring* finalPath) const {
  if (!IsOpen() || name.empty()) return CScopedHandle();
  const USHORT nameBytes = static_cast<USHORT>(name.size() * sizeof(wchar_t));
  UNICODE_STRING childName = {nameBytes, nameBytes, const_cast<PWSTR>(name.c_str())};
  OBJECT_ATTRIBUTES attributes;
  InitializeObjectAttributes(&attributes, &childName, OBJ_CASE_INSENSITIVE, m_handle.Get(),
                             securityDescriptor);
  IO_STATUS_BLOCK status = {};
  HANDLE opened = nullptr;
  if (!NT_SUCCESS(::NtCreateFile(
          &opened, access | FILE_READ_ATTRIBUTES | SYNCHRONIZE, &attributes, &status, nullptr,
          FILE_ATTRIBUTE_NORMAL, SHARE_READ_WRITE, disposition,
          options | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0))) {
    return CScopedHandle();
  }
  CScopedHandle child(opened);
  BY_HANDLE_FILE_INFORMATION information = {};
  if (!::GetFileInformationByHandle(opened, &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return CScopedHandle();
  }
  // A folder's link count says nothing; a file with a second name could be any file.
  if ((options & FILE_NON_DIRECTORY_FILE) != 0 && information.nNumberOfLinks != 1)
    return CScopedHandle();
  const std::wstring actual = FinalPathOf(opened);
  if (actual.empty() || !SamePath(actual, ChildPath(m_finalPath, name))) return CScopedHandle();
  if (finalPath) *finalPath = actual;
  return child;
}
