#include "engine/ProtectedPatchTable.h"

CProtectedPatchTable::CProtectedPatchTable() {
  static const wchar_t* const kProtected[] = {
      L"5005565", L"5007186", L"5005033", L"5006670", L"5000808", L"5003637",
      L"5003173", L"5000802", L"4601050", L"4578968", L"4601319", L"50000908",
      L"4592449", L"4577671", L"4574727", L"4565351", L"4512578",
  };
  for (const wchar_t* number : kProtected) m_entries.emplace(number, number);
}

bool CProtectedPatchTable::IsProtectedPatch(const std::wstring& number) const {
  return m_entries.find(number) != m_entries.end();
}
