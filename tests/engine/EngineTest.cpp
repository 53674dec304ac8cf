// The engine under Wine: the real cmd.exe, a real pipe, the stand-in powershell and wusa (in the
// prefix's system folder, where the interpreter works), and a real window receiving the
// workers' messages.
#include "engine/PatchRules.h"
#include "engine/ProcessRunner.h"
#include "engine/SystemPatchEngine.h"
#include "tests/engine/EngineTestWindow.h"
#include "tests/standins/HotfixTable.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

const DWORD kWorkerTimeoutMs = 60000;

std::wstring From936(const std::string& bytes) {
  const int length =
      MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], length);
  return wide;
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes;
}

std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

// Sets the stand-ins' instructions for the duration of a test; children inherit them.
class ScopedEnvironment {
public:
  ScopedEnvironment(const wchar_t* name, const wchar_t* value) : m_name(name) {
    SetEnvironmentVariableW(name, value);
  }
  ~ScopedEnvironment() { SetEnvironmentVariableW(m_name, nullptr); }

private:
  const wchar_t* m_name;
};

// Which redirection calls a runner made, through the seam that stands for 64-bit Windows.
struct RedirectionRecord {
  bool disableSucceeds = true;
  int disables = 0;
  int reverts = 0;
  PVOID revertedValue = nullptr;
};
RedirectionRecord g_redirection;
PVOID const kOldRedirectionValue = reinterpret_cast<PVOID>(0x5A5A);

bool PretendWow64() { return true; }
BOOL WINAPI RecordDisable(PVOID* oldValue) {
  ++g_redirection.disables;
  *oldValue = kOldRedirectionValue;
  return g_redirection.disableSucceeds ? TRUE : FALSE;
}
BOOL WINAPI RecordRevert(PVOID oldValue) {
  ++g_redirection.reverts;
  g_redirection.revertedValue = oldValue;
  return TRUE;
}

class PretendWow64Process {
public:
  explicit PretendWow64Process(bool disableSucceeds) {
    g_redirection = RedirectionRecord();
    g_redirection.disableSucceeds = disableSucceeds;
    SetRedirectionCalls({PretendWow64, RecordDisable, RecordRevert});
  }
  ~PretendWow64Process() { SetRedirectionCalls(SystemRedirectionCalls()); }
};

class EngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(936u, GetACP()) << "the tests run with LC_ALL=zh_CN.UTF-8";
    ASSERT_NE(nullptr, window.Handle());
    ASSERT_TRUE(engine.SetOwner(window.Handle()));
  }

  // Runs the query on its worker thread and answers with the result it reported.
  WPARAM Query(const std::wstring& number) {
    engine.SetPatchNumber(number);
    EXPECT_TRUE(engine.StartQuery());
    EXPECT_TRUE(window.WaitFor(WM_QUERY_PATCH_RESULT, kWorkerTimeoutMs));
    ExpectCloseThenResult(WM_QUERY_PATCH_RESULT);
    return window.Received().back().wParam;
  }

  WPARAM Uninstall(const std::wstring& number) {
    engine.SetPatchNumber(number);
    EXPECT_TRUE(engine.StartUninstall());
    EXPECT_TRUE(window.WaitFor(WM_UNINSTALL_PATCH_RESULT, kWorkerTimeoutMs));
    ExpectCloseThenResult(WM_UNINSTALL_PATCH_RESULT);
    return window.Received().back().wParam;
  }

  // The wait dialog is closed first, then the result follows; both are sent from the worker.
  void ExpectCloseThenResult(UINT resultMessage) {
    const auto& received = window.Received();
    ASSERT_EQ(2u, received.size());
    EXPECT_EQ(static_cast<UINT>(WM_EXECUTE_PROMPT_CLOSE), received[0].message);
    EXPECT_EQ(0u, received[0].wParam);
    EXPECT_EQ(resultMessage, received[1].message);
    for (const ReceivedMessage& message : received) {
      EXPECT_TRUE(message.sentFromAnotherThread);
      EXPECT_EQ(0, message.lParam);
    }
  }

  CEngineTestWindow window;
  CSystemPatchEngine engine;
};

TEST(MessageValues, AreThePrivateMessagesTheDialogsExpect) {
  EXPECT_EQ(0x5F5u, WM_EXECUTE_PROMPT_CLOSE);
  EXPECT_EQ(0x5F6u, WM_QUERY_PATCH_RESULT);
  EXPECT_EQ(0x5F7u, WM_UNINSTALL_PATCH_RESULT);
}

TEST(SetOwner, RefusesANullWindow) {
  CSystemPatchEngine engine;
  EXPECT_FALSE(engine.SetOwner(nullptr));
  EXPECT_EQ(nullptr, engine.Owner());
}

TEST_F(EngineTest, QueryFindsAnInstalledNumber) { EXPECT_EQ(QUERY_FOUND, Query(L"4512578")); }

TEST_F(EngineTest, QueryDoesNotFindAMissingNumber) {
  EXPECT_EQ(QUERY_NOT_FOUND, Query(L"4512579"));
}

TEST_F(EngineTest, QueryDoesNotFindASixDigitNumberInsideASevenDigitOne) {
  EXPECT_EQ(QUERY_NOT_FOUND, Query(L"500133"));  // only KB5001330 is installed
}

TEST_F(EngineTest, QueryIgnoresLowerCaseKb) { EXPECT_EQ(QUERY_NOT_FOUND, Query(L"5009999")); }

TEST_F(EngineTest, QueryFindsTheNumberAnywhereInTheText) {
  EXPECT_EQ(QUERY_FOUND, Query(L"4600000"));  // only inside a description
}

TEST_F(EngineTest, QuerySearchesANumberWithABlankAsTyped) {
  EXPECT_EQ(QUERY_NOT_FOUND, Query(L" 4512578"));  // "KB 4512578" is not in the table
}

TEST_F(EngineTest, QueryOfEmptyOutputFindsNothing) {
  ScopedEnvironment empty(L"STANDIN_HOTFIX", L"empty");
  EXPECT_EQ(QUERY_NOT_FOUND, Query(L"4512578"));
}

TEST_F(EngineTest, QuerySearchesStandardErrorToo) {
  ScopedEnvironment error(L"STANDIN_HOTFIX", L"error");
  EXPECT_EQ(QUERY_NOT_FOUND, Query(L"4512578"));
}

// Everything the query started is ended with it: were the stand-in powershell left running, the
// pipe would never break and the query never report.
TEST_F(EngineTest, QueryThatNeverEndsIsEndedAtItsLimitAndWhatItPrintedIsSearched) {
  ScopedEnvironment hang(L"STANDIN_HOTFIX", L"hang");
  engine.SetQueryTimeLimit(2000);
  EXPECT_EQ(QUERY_FOUND, Query(L"4512578"));
}

TEST_F(EngineTest, QueryThatCannotStartFailsAndWritesTheForcedRecord) {
  wchar_t folder[1024];
  ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder));
  const std::wstring logFile = std::wstring(folder) + L"\\ToolLog\\ruvozoza.txt";
  DeleteFileW(logFile.c_str());

  PretendWow64Process redirectionFails(false);
  EXPECT_EQ(QUERY_FAILED, Query(L"4512578"));

  // The record follows the result message; give the worker a moment to write it.
  std::string log;
  for (int i = 0; i < 100 && log.empty(); ++i, Sleep(50)) log = ReadFileBytes(logFile);
  const std::wstring text = From936(log);
  ASSERT_GE(text.size(), 30u);
  EXPECT_EQ(L'[', text[0]);
  EXPECT_EQ(L"]   执行查询系统补丁命令失败\r\n", text.substr(26));
}

TEST_F(EngineTest, RemovalPassesTheNumberToWusaExactly) {
  const std::wstring record = TempPath(L"wusa-exact.txt");
  DeleteFileW(record.c_str());
  ScopedEnvironment log(L"STANDIN_WUSA_LOG", record.c_str());

  EXPECT_EQ(UNINSTALL_DONE, Uninstall(L"4512578"));
  // What cmd handed on: the program name and exactly the two arguments meant, nothing more.
  const std::string received = ReadFileBytes(record);
  ASSERT_FALSE(received.empty());
  int argc = 0;
  const std::wstring line = From936(received.substr(0, received.find('\n')));
  LPWSTR* argv = CommandLineToArgvW(line.c_str(), &argc);
  ASSERT_EQ(3, argc) << received;
  EXPECT_STREQ(L"/uninstall", argv[1]);
  EXPECT_STREQ(L"/kb:4512578", argv[2]);
  LocalFree(argv);
  EXPECT_EQ(1, std::count(received.begin(), received.end(), '\n')) << "wusa ran again";
}

TEST_F(EngineTest, RemovalWithLettersAndBlankPassesThemUnchanged) {
  const std::wstring record = TempPath(L"wusa-letters.txt");
  DeleteFileW(record.c_str());
  ScopedEnvironment log(L"STANDIN_WUSA_LOG", record.c_str());

  EXPECT_EQ(UNINSTALL_DONE, Uninstall(L"KB12 3456"));
  const std::string received = ReadFileBytes(record);
  EXPECT_NE(std::string::npos, received.find("/uninstall /kb:KB12 3456\n")) << received;
}

TEST_F(EngineTest, RemovalThatTheInstallerSaysDidNothingFails) {
  ScopedEnvironment exitCode(L"STANDIN_WUSA_EXIT", L"2359303");  // "update not installed"
  EXPECT_EQ(UNINSTALL_FAILED, Uninstall(L"4512578"));
  EXPECT_EQ(L"这台电脑没有安装此补丁。", engine.FailureReason());
}

TEST_F(EngineTest, RemovalWaitsForTheInstallerWithoutTimeOut) {
  ScopedEnvironment delay(L"STANDIN_WUSA_DELAY_MS", L"3000");
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(UNINSTALL_DONE, Uninstall(L"4512578"));
  EXPECT_GE(GetTickCount64() - start, 3000u);
}

TEST_F(EngineTest, RemovalThatCannotStartFails) {
  const std::wstring record = TempPath(L"wusa-nostart.txt");
  DeleteFileW(record.c_str());
  ScopedEnvironment log(L"STANDIN_WUSA_LOG", record.c_str());
  PretendWow64Process redirectionFails(false);

  EXPECT_EQ(UNINSTALL_FAILED, Uninstall(L"4512578"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(record.c_str())) << "wusa was started";
}

TEST_F(EngineTest, RemovalOfAnUnsafeNumberStartsNothing) {
  const std::wstring record = TempPath(L"wusa-unsafe.txt");
  ScopedEnvironment log(L"STANDIN_WUSA_LOG", record.c_str());
  for (const wchar_t* unsafe : {L"1&wusa", L"123456|wusa", L"123456&&wusa", L"1234\"&wusa",
                                L"123456\r\nwusa", L"123456>x.txt"}) {
    DeleteFileW(record.c_str());
    CEngineTestWindow ownWindow;
    ASSERT_TRUE(engine.SetOwner(ownWindow.Handle()));
    engine.SetPatchNumber(unsafe);
    ASSERT_TRUE(engine.StartUninstall());
    ASSERT_TRUE(ownWindow.WaitFor(WM_UNINSTALL_PATCH_RESULT, kWorkerTimeoutMs));
    EXPECT_EQ(static_cast<WPARAM>(UNINSTALL_FAILED), ownWindow.Received().back().wParam);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(record.c_str())) << "ran: " << unsafe;
  }
}

TEST(ProcessRunner, CapturesLongOutputWithoutSplittingCharacters) {
  ScopedEnvironment longTable(L"STANDIN_HOTFIX", L"long");
  const std::string expected = LongHotfixTable();
  ASSERT_GT(expected.size(), 8190u);
  ASSERT_TRUE(IsDBCSLeadByteEx(936, static_cast<BYTE>(expected[4094])));
  ASSERT_TRUE(IsDBCSLeadByteEx(936, static_cast<BYTE>(expected[8189])));

  std::wstring output;
  ASSERT_TRUE(RunCommandWithOutput(QUERY_COMMAND, output));
  EXPECT_EQ(From936(expected), output);
}

TEST(ProcessRunner, AppendsToWhatTheCallerHas) {
  std::wstring output = L"before|";
  ASSERT_TRUE(RunCommandWithOutput(L"echo 你好", output));
  EXPECT_EQ(L"before|你好\r\n", output);
}

TEST(ProcessRunner, RunsALongCommandWhole) {
  // Far beyond the 260 characters of a fixed buffer: the echo must come back complete.
  const std::wstring word(3000, L'x');
  std::wstring output;
  ASSERT_TRUE(RunCommandWithOutput(L"echo " + word, output));
  EXPECT_EQ(word + L"\r\n", output);

  const std::wstring marker = TempPath(L"long-command.txt");
  DeleteFileW(marker.c_str());
  ASSERT_TRUE(RunCommand(L"echo " + word + L" > \"" + marker + L"\"", false));
  EXPECT_EQ(std::string(3000, 'x') + " \r\n", ReadFileBytes(marker));
}

TEST(ProcessRunner, RestoresRedirectionOnEveryReturn) {
  {
    PretendWow64Process wow64(true);
    std::wstring output;
    EXPECT_TRUE(RunCommandWithOutput(L"echo hi", output));
    EXPECT_EQ(1, g_redirection.disables);
    EXPECT_EQ(1, g_redirection.reverts);
    EXPECT_EQ(kOldRedirectionValue, g_redirection.revertedValue);
  }
  {
    PretendWow64Process wow64(true);
    EXPECT_TRUE(RunCommand(L"rem", false));
    EXPECT_EQ(1, g_redirection.disables);
    EXPECT_EQ(1, g_redirection.reverts);
    EXPECT_EQ(kOldRedirectionValue, g_redirection.revertedValue);
  }
}

TEST(ProcessRunner, StartsNothingWhenRedirectionCannotBeSwitchedOff) {
  const std::wstring marker = TempPath(L"redirection-marker.txt");
  DeleteFileW(marker.c_str());
  PretendWow64Process wow64(false);
  std::wstring output;
  EXPECT_FALSE(RunCommandWithOutput(L"echo x > \"" + marker + L"\"", output));
  EXPECT_FALSE(RunCommand(L"echo x > \"" + marker + L"\"", false));
  EXPECT_EQ(0, g_redirection.reverts);  // nothing was switched off, so nothing is restored
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(marker.c_str()));
}

TEST(ProcessRunner, A64BitProcessIsNotWow64) {
  EXPECT_FALSE(IsWow64());
}

}  // namespace
