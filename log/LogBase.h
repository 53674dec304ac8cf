#pragma once
#include "log/PacketLog.h"

#include <string>

// A place that records go to. The folder always ends in a backslash.
class CLogBase {
public:
  explicit CLogBase(std::wstring folder) : m_folder(std::move(folder)) {}
  virtual ~CLogBase() = default;
  CLogBase(const CLogBase&) = delete;
  CLogBase& operator=(const CLogBase&) = delete;

  virtual void SavePacket(const CPacketLog& record) = 0;
  virtual void SaveText(std::string message, std::string fileName) {
    SavePacket(CPacketLog(std::move(fileName), std::move(message)));
  }

protected:
  const std::wstring m_folder;
};
