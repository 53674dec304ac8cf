#pragma once
// The feedback library's text formats: one record per line, journal lines, page addresses, and
// the comparison of dotted version numbers. Texts are UTF-8; no system call here.
#include <string>
#include <vector>

struct FeedbackRecord {
  std::string toolId;
  std::string toolVersion;
  int code = 0;
  std::string timeText;
  std::string deviceText;
  std::string writtenAt;  // UTC, "2026-12-08T01:23:45Z"
};

// Fields are separated by tabs; backslash, tab, carriage return and line feed inside a field
// are written as \\, \t, \r and \n, so that every record stays on one line. No line end.
std::string FormatFeedbackRecord(const FeedbackRecord& record);
bool ParseFeedbackRecord(const std::string& line, FeedbackRecord& record);

// A text argument as the journal shows it: in double quotes, with \" \\ and control characters
// escaped. Null arguments are written as null.
std::string JournalText(const char* utf8);

// Appends name=value to an address as a query parameter, the value percent-encoded.
std::string AppendQueryParameter(const std::string& address, const std::string& name,
                                 const std::string& value);

// True for an http or https address (the scheme in any case) with something after "://": the
// only pages the library hands to the shell, which would start a program or a script as well.
bool IsWebAddress(const std::string& address);

// Compares dotted decimal versions numerically ("1.10" is newer than "1.9"; missing parts count
// as 0; numbers of any length). False when either text is not such a version.
bool CompareVersions(const std::string& left, const std::string& right, int& order);
