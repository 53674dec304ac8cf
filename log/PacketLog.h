#pragma once
#include "log/ObjectBase.h"

#include <string>

// One log record in transit: the bare file name it goes to and its message, both in the
// system's ANSI code page.
class CPacketLog : public CObjectBase {
public:
  CPacketLog(std::string fileName, std::string message)
      : m_fileName(std::move(fileName)), m_message(std::move(message)) {}

  const std::string& FileName() const { return m_fileName; }
  const std::string& Message() const { return m_message; }

private:
  std::string m_fileName;
  std::string m_message;
};
