#include "log/LogSaveCloseFile.h"

#include "engine/ScopedHandle.h"
#include "log/LogRecord.h"

#include <windows.h>

namespace {

std::wstring Widen(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

// Log files are always in code page 936, whatever the process's ANSI code page is. Each
// record is converted on its own, so writers on other threads never affect it; characters 936
// cannot hold become its default character.
std::string ToLogCodePage(const std::string& ansi) {
  const std::wstring wide = Widen(ansi, CP_ACP);
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string bytes(length, '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], length,
                      nullptr, nullptr);
  return bytes;
}

LogTimestamp LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
          now.wMilliseconds};
}

}  // namespace

void CLogSaveCloseFile::SavePacket(const CPacketLog& record) {
  const std::string message = ToLogCodePage(record.Message());
  const std::wstring path = m_folder + Widen(record.FileName(), CP_ACP);

  std::lock_guard<std::mutex> hold(m_lock);
  // Appending data only: every write lands at the current end, even with other processes.
  CScopedHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA | GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsValid()) return;  // the record is dropped; the logger never reports failures

  const std::string text = FormatLogRecord(LocalNow(), message);
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);

  LARGE_INTEGER length{};
  if (GetFileSizeEx(file.Get(), &length) && NeedsBackup(length.QuadPart)) {
    file.Close();
    // A failed move (the file held open elsewhere) is tried again after the next record.
    MoveFileExW(path.c_str(), (path + L"bak").c_str(), MOVEFILE_REPLACE_EXISTING);
  }
}
