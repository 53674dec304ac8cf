#pragma once
// The updates the tool refuses to remove: Windows would be left without an update it depends on.
#include <map>
#include <string>

class CProtectedPatchTable {
public:
  CProtectedPatchTable();

  // Exact, case-sensitive comparison of the whole text: " 4512578" or "KB4512578" is not protected.
  bool IsProtectedPatch(const std::wstring& number) const;

private:
  std::map<std::wstring, std::wstring> m_entries;  // each value repeats its key
};
