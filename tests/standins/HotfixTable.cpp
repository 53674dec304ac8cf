#include "tests/standins/HotfixTable.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string To936(const std::wstring& text) {
  const int length = WideCharToMultiByte(936, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(length - 1, '\0');
  WideCharToMultiByte(936, 0, text.c_str(), -1, &bytes[0], length, nullptr, nullptr);
  return bytes;
}

const wchar_t kHeader[] =
    L"\r\n"
    L"Source        Description      HotFixID      InstalledBy          InstalledOn\r\n"
    L"------        -----------      --------      -----------          -----------\r\n";

std::wstring Row(const wchar_t* description, const wchar_t* id, int day) {
  wchar_t row[256];
  std::swprintf(row, 256, L"DESKTOP-K2N8Q %-*ls %-13ls NT AUTHORITY\\SYSTEM  2021/%d/%d 0:00:00\r\n",
                // Chinese characters take two columns on the console.
                16 - static_cast<int>(wcslen(description)), description, id, 1 + day % 12,
                1 + day % 28);
  return row;
}

const wchar_t* Description(int i) {
  static const wchar_t* const kDescriptions[] = {L"安全更新", L"更新", L"Update",
                                                 L"Security Update", L"累积更新"};
  return kDescriptions[i % 5];
}

std::wstring GeneratedRow(int i) {
  wchar_t id[16];
  std::swprintf(id, 16, L"KB%d", 4560000 + i * 1013);
  return Row(Description(i), id, i);
}

}  // namespace

std::string HotfixTable() {
  std::wstring table = kHeader;
  for (int i = 0; i < 30; ++i) table += GeneratedRow(i);
  table += Row(L"更新", L"KB5001330", 3);
  table += Row(L"安全更新", L"KB4512578", 5);
  table += Row(L"更新", L"kb5009999", 7);
  table += Row(L"包含KB4600000", L"KB4601000", 9);
  table += L"\r\n\r\n";
  return To936(table);
}

std::string LongHotfixTable() {
  std::string bytes = To936(kHeader);
  // Each boundary gets a row whose first Chinese character is moved onto it by padding the
  // previous line's end with blanks, as PowerShell pads its columns.
  for (std::size_t boundary : {std::size_t{4094}, std::size_t{8189}}) {
    for (int i = 0; bytes.size() < boundary - 200; ++i) bytes += To936(GeneratedRow(i));
    const std::string row = To936(Row(L"安全更新", L"KB4999999", 1));
    const std::size_t leadInRow = row.find('\xB0');  // lead byte of 安 in code page 936
    bytes.insert(bytes.size() - 2, boundary - bytes.size() - leadInRow, ' ');
    bytes += row;
  }
  for (int i = 0; i < 40; ++i) bytes += To936(GeneratedRow(i));
  return bytes;
}

std::string HotfixTableOfSize(std::size_t size) {
  std::string bytes = To936(kHeader);
  for (int i = 0; bytes.size() < size; ++i) bytes += To936(GeneratedRow(i));
  return bytes;
}

std::string HotfixError() {
  return To936(
      L"get-hotfix : 无法连接到远程服务器。\r\n"
      L"    + CategoryInfo          : NotSpecified: (:) [Get-HotFix], COMException\r\n");
}
