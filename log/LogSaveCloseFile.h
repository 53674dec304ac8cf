#pragma once
#include "log/LogBase.h"

#include <mutex>

// Opens the file for each record and closes it again, so that no log file stays locked between
// records. One lock serialises every write, to every file, including the move to the backup.
class CLogSaveCloseFile : public CLogBase {
public:
  using CLogBase::CLogBase;

  void SavePacket(const CPacketLog& record) override;

private:
  std::mutex m_lock;
};
