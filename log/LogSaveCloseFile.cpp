#include "log/LogSaveCloseFile.h"

#include "base/PlainFolder.h"
#include "base/ScopedHandle.h"
#include "base/TextConversion.h"
#include "log/LogRecord.h"

#include <windows.h>

namespace {

// Log files are always in code page 936, whatever the process's ANSI code page is. Each
// record is converted on its own, so writers on other threads never affect it; characters 936
// cannot hold become its default character.
constexpr UINT LOG_CODE_PAGE = 936;

LogTimestamp LocalNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
          now.wMilliseconds};
}

}  // namespace

void CLogSaveCloseFile::SavePacket(const CPacketLog& record) {
  const std::string message =
      CodePageFromWide(WideFromCodePage(record.Message(), CP_ACP), LOG_CODE_PAGE);
  const std::wstring name = WideFromCodePage(record.FileName(), CP_ACP);

  std::lock_guard<std::mutex> hold(m_lock);
  // Ordinary users can plant a link in place of the folder or the file beforehand; a record
  // that would go through one is dropped, as one for a folder that cannot be written to.
  const CPlainFolder folder = CPlainFolder::Open(m_folder);
  // Appending data only: every write lands at the current end, even with other processes.
  CScopedHandle file = folder.OpenFileForAppend(name);
  if (!file.IsValid()) return;  // the record is dropped; the logger never reports failures

  const std::string text = FormatLogRecord(LocalNow(), message);
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);

  LARGE_INTEGER length{};
  if (GetFileSizeEx(file.Get(), &length) && NeedsBackup(length.QuadPart)) {
    file.Close();
    // A failed move (the file held open elsewhere) is tried again after the next record.
    folder.RenameFile(name, name + L"bak");
  }
}
