#include "log/LogRecord.h"

#include <cstdio>
#include <cwctype>

std::string FormatLogRecord(const LogTimestamp& t, const std::string& message) {
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "[%04d-%02d-%02d %02d:%02d:%02d %03dms]   ", t.year, t.month,
                t.day, t.hour, t.minute, t.second, t.milliseconds);
  return prefix + message + "\r\n";
}

bool IsPrintEnabled(const std::wstring& value) {
  std::size_t i = 0;
  while (i < value.size() && std::iswspace(value[i])) ++i;
  bool negative = false;
  if (i < value.size() && (value[i] == L'+' || value[i] == L'-')) {
    negative = value[i] == L'-';
    ++i;
  }
  // Only whether the number is exactly 1 matters, so stop counting once it is past 1.
  long number = 0;
  for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i) {
    number = number * 10 + (value[i] - L'0');
    if (number > 1) return false;
  }
  return !negative && number == 1;
}

bool NeedsBackup(std::uint64_t fileLength) { return fileLength > LOG_BACKUP_SIZE; }
