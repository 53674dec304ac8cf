#pragma once
// The text of a log record and the rules around it, apart from any file or clock.
#include <cstdint>
#include <string>

struct LogTimestamp {
  int year, month, day, hour, minute, second, milliseconds;
};

// A file longer than this (strictly) after a write is moved aside to its backup name.
constexpr std::uint32_t LOG_BACKUP_SIZE = 6020000;

// "[2021-03-05 09:07:02 045ms]   " followed by the message and a line end.
std::string FormatLogRecord(const LogTimestamp& time, const std::string& message);

// The "print" setting: white space trimmed, a leading decimal integer (0 when none); exactly 1
// enables ordinary records.
bool IsPrintEnabled(const std::wstring& value);

// The whole length counts: a file of 4 GiB or more is moved aside too.
bool NeedsBackup(std::uint64_t fileLength);
