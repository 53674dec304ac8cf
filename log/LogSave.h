#pragma once
#include "log/LogBase.h"

#include <memory>
#include <string>

// The process's logger: records go to "ToolLog" under the common application-data folder.
// Ordinary records are written only when logCfg.ini enables them; forced ones always.
class CLogSave {
public:
  // The single logger, made on first use (safely, whichever thread comes first).
  static CLogSave* GetInstance();

  // root: the folder that holds logCfg.ini and ToolLog, ending in a backslash, or empty for
  // the current directory.
  explicit CLogSave(const std::wstring& root);
  virtual ~CLogSave();
  CLogSave(const CLogSave&) = delete;
  CLogSave& operator=(const CLogSave&) = delete;

  // message and fileName are in the ANSI code page; fileName is a bare name without folder.
  void WriteLog(std::string message, std::string fileName, bool force);

  bool PrintEnabled() const { return m_print; }
  const std::wstring& LogFolder() const { return m_logFolder; }

private:
  bool m_print = false;
  std::wstring m_logFolder;
  std::unique_ptr<CLogBase> m_sink;
};
