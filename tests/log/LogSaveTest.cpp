// The logger on a real file system under Wine, with code page 936 as the ANSI code page.
#include "log/LogSave.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

const std::size_t kPrefixLength = 30;  // "[2021-03-05 09:07:02 045ms]   "

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Records(const std::string& bytes) {
  std::vector<std::string> records;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    records.push_back(bytes.substr(start, end + 2 - start));
  }
  EXPECT_EQ(bytes.size(), start) << "text after the last line end";
  return records;
}

// Checks the "[yyyy-mm-dd hh:mm:ss mmmms]   " shape and returns the message after it.
std::string MessageOf(const std::string& record) {
  EXPECT_GE(record.size(), kPrefixLength + 2);
  const std::string shape = "[dddd-dd-dd dd:dd:dd dddms]   ";
  for (std::size_t i = 0; i < shape.size() && i < record.size(); ++i) {
    if (shape[i] == 'd') {
      EXPECT_TRUE(record[i] >= '0' && record[i] <= '9') << record;
    } else {
      EXPECT_EQ(shape[i], record[i]) << record;
    }
  }
  return record.substr(kPrefixLength, record.size() - kPrefixLength - 2);
}

// A fresh root folder per test, removed afterwards with everything in it.
class LogSaveTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(936u, GetACP());
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    root = std::wstring(temp) + L"logtest-" + std::wstring(name.begin(), name.end()) + L"\\";
    RemoveAll();
    ASSERT_TRUE(CreateDirectoryW(root.c_str(), nullptr));
  }
  void TearDown() override { RemoveAll(); }

  void RemoveAll() {
    std::wstring from = root + L'\0';  // SHFileOperation wants a double terminator
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NO_UI;
    SHFileOperationW(&operation);
  }

  std::wstring LogPath(const wchar_t* name) const { return root + L"ToolLog\\" + name; }

  std::wstring root;
};

TEST_F(LogSaveTest, MakesItsFolderUnderTheRoot) {
  CLogSave logger(root);
  EXPECT_EQ(root + L"ToolLog\\", logger.LogFolder());
  EXPECT_TRUE(GetFileAttributesW((root + L"ToolLog").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(LogSaveTest, WithoutConfigurationOnlyForcedRecordsAreWritten) {
  CLogSave logger(root);
  EXPECT_FALSE(logger.PrintEnabled());
  logger.WriteLog("ordinary", "a.txt", false);
  EXPECT_FALSE(Exists(LogPath(L"a.txt")));
  logger.WriteLog("forced", "a.txt", true);
  const auto records = Records(ReadBytes(LogPath(L"a.txt")));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("forced", MessageOf(records[0]));
}

TEST_F(LogSaveTest, PrintOneWithBlanksEnablesOrdinaryRecords) {
  WritePrivateProfileStringW(L"Log", L"print", L"  1  ", (root + L"logCfg.ini").c_str());
  CLogSave logger(root);
  EXPECT_TRUE(logger.PrintEnabled());
  logger.WriteLog("ordinary", "a.txt", false);
  EXPECT_EQ(1u, Records(ReadBytes(LogPath(L"a.txt"))).size());
}

TEST_F(LogSaveTest, PrintTwoKeepsOrdinaryRecordsOut) {
  WritePrivateProfileStringW(L"Log", L"print", L"2", (root + L"logCfg.ini").c_str());
  CLogSave logger(root);
  logger.WriteLog("ordinary", "a.txt", false);
  EXPECT_FALSE(Exists(LogPath(L"a.txt")));
}

TEST_F(LogSaveTest, RecordIsCodePage936ByteForByte) {
  CLogSave logger(root);
  // "执行查询系统补丁命令失败" as the ANSI code page (936) gives it.
  const std::string message =
      "\xD6\xB4\xD0\xD0\xB2\xE9\xD1\xAF\xCF\xB5\xCD\xB3\xB2\xB9\xB6\xA1\xC3\xFC\xC1\xEE\xCA\xA7"
      "\xB0\xDC";
  SYSTEMTIME before;
  GetLocalTime(&before);
  logger.WriteLog(message, "ruvozoza.txt", true);
  logger.WriteLog("", "ruvozoza.txt", true);

  const std::string bytes = ReadBytes(LogPath(L"ruvozoza.txt"));
  const auto records = Records(bytes);
  ASSERT_EQ(2u, records.size());
  EXPECT_EQ(message, MessageOf(records[0]));
  EXPECT_EQ(kPrefixLength + message.size() + 2, records[0].size());
  EXPECT_EQ("", MessageOf(records[1]));
  EXPECT_EQ(kPrefixLength + 2, records[1].size());
  EXPECT_NE(0xEF, static_cast<unsigned char>(bytes[0])) << "no byte-order mark";
  char year[8];
  snprintf(year, sizeof year, "[%04d-", before.wYear);
  EXPECT_EQ(0u, records[0].find(year));
}

TEST_F(LogSaveTest, RecordReachingTheLimitExactlyStays) {
  CLogSave logger(root);
  const std::string message = "exact";
  const std::size_t record = kPrefixLength + message.size() + 2;
  WriteBytes(LogPath(L"x.txt"), std::string(6020000 - record, 'o'));
  logger.WriteLog(message, "x.txt", true);
  EXPECT_EQ(6020000u, ReadBytes(LogPath(L"x.txt")).size());
  EXPECT_FALSE(Exists(LogPath(L"x.txtbak")));
}

TEST_F(LogSaveTest, RecordPassingTheLimitMovesTheFileToItsBackup) {
  CLogSave logger(root);
  WriteBytes(LogPath(L"x.txtbak"), "an older backup");
  WriteBytes(LogPath(L"x.txt"), std::string(6019990, 'o'));
  logger.WriteLog(std::string(18, 'm'), "x.txt", true);  // 6,019,990 + 50 = 6,020,040

  EXPECT_FALSE(Exists(LogPath(L"x.txt")));
  const std::string backup = ReadBytes(LogPath(L"x.txtbak"));
  EXPECT_EQ(6020040u, backup.size());
  EXPECT_EQ(std::string(18, 'm') + "\r\n", backup.substr(backup.size() - 20));

  logger.WriteLog("next", "x.txt", true);
  const auto records = Records(ReadBytes(LogPath(L"x.txt")));
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ("next", MessageOf(records[0]));
}

TEST_F(LogSaveTest, TwoFileNamesAreIndependent) {
  CLogSave logger(root);
  WriteBytes(LogPath(L"big.txt"), std::string(6020000, 'o'));
  logger.WriteLog("to small", "small.txt", true);
  EXPECT_TRUE(Exists(LogPath(L"big.txt")));
  EXPECT_FALSE(Exists(LogPath(L"small.txtbak")));
  logger.WriteLog("to big", "big.txt", true);
  EXPECT_TRUE(Exists(LogPath(L"big.txtbak")));
  EXPECT_FALSE(Exists(LogPath(L"big.txt")));
  EXPECT_EQ(1u, Records(ReadBytes(LogPath(L"small.txt"))).size());
}

TEST_F(LogSaveTest, FolderThatCannotBeCreatedDropsEveryRecord) {
  // Its parent is a file, so neither the folder nor any log file can exist.
  const std::wstring blocked = root + L"blocked";
  WriteBytes(blocked, "a file, not a folder");
  CLogSave logger(blocked + L"\\");
  logger.WriteLog("dropped", "a.txt", true);
  logger.WriteLog("dropped", "a.txt", false);
  EXPECT_FALSE(Exists(blocked + L"\\ToolLog"));
  EXPECT_FALSE(Exists(blocked + L"\\ToolLog\\a.txt"));
  EXPECT_EQ("a file, not a folder", ReadBytes(blocked));
}

// Wine shows a Unix symbolic link as a link planted in place of a folder or a file.
void LinkUnixWay(const std::wstring& target, const std::wstring& link) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  ASSERT_NE(nullptr, unixName);
  char* from = unixName(target.c_str());
  char* to = unixName(link.c_str());
  std::string command = std::string("/bin/ln -s '") + from + "' '" + to + "'";
  HeapFree(GetProcessHeap(), 0, from);
  HeapFree(GetProcessHeap(), 0, to);
  std::wstring wide(command.begin(), command.end());
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  ASSERT_TRUE(CreateProcessW(L"Z:\\bin\\ln", &wide[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &process));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int i = 0; i < 500 && !Exists(link); ++i) Sleep(10);  // Wine cannot wait for a Unix program
}

TEST_F(LogSaveTest, NothingIsWrittenThroughALinkInPlaceOfTheFolderOrAFile) {
  const std::wstring elsewhere = root + L"elsewhere";
  ASSERT_TRUE(CreateDirectoryW(elsewhere.c_str(), nullptr));
  LinkUnixWay(elsewhere, root + L"ToolLog");
  CLogSave(root).WriteLog("through the folder", "a.txt", true);
  EXPECT_FALSE(Exists(elsewhere + L"\\a.txt"));

  DeleteFileW((root + L"ToolLog").c_str());
  RemoveDirectoryW((root + L"ToolLog").c_str());
  CLogSave logger(root);
  WriteBytes(elsewhere + L"\\b.txt", "");
  LinkUnixWay(elsewhere + L"\\b.txt", LogPath(L"b.txt"));
  logger.WriteLog("through the file", "b.txt", true);
  EXPECT_EQ("", ReadBytes(elsewhere + L"\\b.txt"));
  logger.WriteLog("beside it", "c.txt", true);
  EXPECT_TRUE(Exists(LogPath(L"c.txt")));
}

TEST_F(LogSaveTest, ConcurrentWritersLoseAndInterleaveNothing) {
  CLogSave logger(root);
  const int kThreads = 8, kRecords = 200;
  std::vector<std::thread> writers;
  for (int t = 0; t < kThreads; ++t) {
    writers.emplace_back([&logger, t] {
      for (int k = 0; k < kRecords; ++k) {
        // Two files at once, and a Chinese text, so that conversions run side by side.
        const std::string message = "\xD0\xB4\xC8\xEB thread " + std::to_string(t) + " record " +
                                    std::to_string(k) + std::string(k % 50, '.');
        logger.WriteLog(message, k % 2 ? "odd.txt" : "even.txt", true);
      }
    });
  }
  for (std::thread& writer : writers) writer.join();

  std::set<std::string> seen;
  for (const wchar_t* name : {L"odd.txt", L"even.txt"}) {
    for (const std::string& record : Records(ReadBytes(LogPath(name)))) {
      const std::string message = MessageOf(record);
      ASSERT_EQ(0u, message.find("\xD0\xB4\xC8\xEB thread ")) << record;
      seen.insert(message);
    }
  }
  EXPECT_EQ(static_cast<std::size_t>(kThreads * kRecords), seen.size());
}

TEST(LogSaveInstance, IsMadeOnceWhicheverThreadComesFirst) {
  std::vector<CLogSave*> instances(8, nullptr);
  std::vector<std::thread> callers;
  for (int i = 0; i < 8; ++i) {
    callers.emplace_back([&instances, i] { instances[i] = CLogSave::GetInstance(); });
  }
  for (std::thread& caller : callers) caller.join();
  EXPECT_NE(nullptr, instances[0]);
  EXPECT_EQ(1u, std::set<CLogSave*>(instances.begin(), instances.end()).size());
  // Under the common application-data folder.
  EXPECT_NE(std::wstring::npos, instances[0]->LogFolder().find(L"\\ToolLog\\"));
}

}  // namespace
