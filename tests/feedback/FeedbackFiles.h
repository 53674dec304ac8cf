#pragma once
// What the feedback library wrote, as tests read it: its records and its journal lie in
// Halvex\Feedback under the common application-data folder, shared by every process of the
// prefix; a journal line names the process that wrote it.
#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline std::filesystem::path FeedbackFolder() {
  wchar_t common[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
  return std::filesystem::path(common) / L"Halvex" / L"Feedback";
}
inline std::filesystem::path FeedbackJournal() { return FeedbackFolder() / L"FeedbackJournal.txt"; }

// A file's length now, 0 when it is missing: what is written later lies beyond it.
inline std::uintmax_t LengthOf(const std::filesystem::path& file) {
  std::error_code missing;
  const std::uintmax_t length = std::filesystem::file_size(file, missing);
  return missing ? 0 : length;
}

// The lines process `processId` wrote to the journal beyond `from`.
inline std::vector<std::string> JournalLinesOf(DWORD processId, std::uintmax_t from) {
  std::ifstream journal(FeedbackJournal(), std::ios::binary);
  journal.seekg(static_cast<std::streamoff>(from));
  const std::string writer = " pid " + std::to_string(processId) + "] ";  // ends the time stamp
  std::vector<std::string> lines;
  for (std::string line; std::getline(journal, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(writer) == line.find("] ") + 2 - writer.size()) lines.push_back(line);
  }
  return lines;
}
