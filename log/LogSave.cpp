#include "log/LogSave.h"

#include "base/PlainFolder.h"
#include "log/LogRecord.h"
#include "log/LogSaveCloseFile.h"

#include <windows.h>
#include <shlobj.h>

#include <new>

namespace {

std::wstring CommonAppDataRoot() {
  wchar_t folder[1024] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                              folder))) {
    return std::wstring();  // paths become relative to the current directory
  }
  return std::wstring(folder) + L"\\";
}

}  // namespace

CLogSave* CLogSave::GetInstance() {
  static CLogSave logger(CommonAppDataRoot());
  return &logger;
}

CLogSave::CLogSave(const std::wstring& root) : m_logFolder(root + L"ToolLog") {
  // For administrators only: ordinary users may create things in the common folder, not in
  // ours. A failure only means dropped records.
  CPlainFolder::OpenOrCreate(m_logFolder);
  m_logFolder += L"\\";

  // A bare file name would make the INI reader look in the Windows folder instead.
  const std::wstring config = (root.empty() ? std::wstring(L".\\") : root) + L"logCfg.ini";
  wchar_t print[100] = {};
  GetPrivateProfileStringW(L"Log", L"print", L"-1", print, 100, config.c_str());
  m_print = IsPrintEnabled(print);

  m_sink.reset(new (std::nothrow) CLogSaveCloseFile(m_logFolder));
}

CLogSave::~CLogSave() = default;

void CLogSave::WriteLog(std::string message, std::string fileName, bool force) {
  if (m_sink && (force || m_print)) m_sink->SaveText(std::move(message), std::move(fileName));
}
