#include "feedback/FeedbackRecord.h"
#include "host/FeedbackBridge.h"
#include "tests/feedback/FeedbackFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const EXPORTED_NAMES[] = {
    "InitFreedbackDll",   "FeedbackQuestion",        "OpenUrl",         "GetInterNetState",
    "CustomerFeedback",   "CustomerFeedbackEx",      "WriteCustomerFeedbackInfoFile",
    "GetToolIsNewVersion", "GetToolIsNewVersionDown", "OpenToolDownUrl", "OpenUseAgreementUrl",
};

fs::path ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  std::string bytes(text.size() * 4, '\0');
  bytes.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                       &bytes[0], static_cast<int>(bytes.size()), nullptr, nullptr)));
  return bytes;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                      &wide[0], static_cast<int>(wide.size()))));
  return wide;
}

// The journal line without its time stamp.
std::string Call(const std::string& line) {
  const size_t end = line.find("] ");
  return end == std::string::npos ? line : line.substr(end + 2);
}

// Every test gets a fresh settings file beside the library, which switches the journal on and
// names places of its own for the records and the journal that must never be written.
class FeedbackLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    static int s_test = 0;
    m_work = fs::temp_directory_path() /
             (L"feedback_test_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++s_test));
    fs::create_directories(m_work);
    m_settings = ProgramFolder() / L"HalvexFeedbackInformation.ini";
    fs::remove(m_settings);
    // The feedback page gets a query appended; as a file name it then names nothing, so that
    // no browser is started.
    Set(L"Pages", L"Feedback", (m_work / L"feedback.cmd").wstring());
    Set(L"Pages", L"UseAgreement", (m_work / L"agreement.cmd").wstring());
    Set(L"Pages", L"ToolDownload", (m_work / L"download.cmd").wstring());
    Set(L"Pages", L"MoreTools", L"https://tools.invalid/more");
    Set(L"Records", L"Folder", (m_work / L"records").wstring());
    Set(L"Journal", L"File", Journal().wstring());
    Set(L"Journal", L"Enabled", L"1");
    Set(L"NewestVersion", TOOL_ID, L"1.10.0.0");
    ASSERT_TRUE(m_bridge.Load());
  }
  void TearDown() override {
    fs::remove(m_settings);
    std::error_code ignored;
    fs::remove_all(m_work, ignored);
  }

  void Set(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value.c_str(), m_settings.c_str()));
  }
  void Remove(const wchar_t* section, const wchar_t* key) {
    WritePrivateProfileStringW(section, key, nullptr, m_settings.c_str());
  }
  fs::path Journal() const { return m_work / L"journal.txt"; }
  std::vector<std::string> JournalLines() const { return JournalLinesOf(GetCurrentProcessId(), m_journalStart); }
  fs::path Records() const { return FeedbackFolder() / L"FeedbackRecords.txt"; }
  // The records written since the test began.
  std::vector<FeedbackRecord> NewRecords() const {
    const std::string all = ReadFile(Records());
    std::vector<FeedbackRecord> records;
    for (const std::string& line : Lines(all.substr(std::min<size_t>(m_recordsStart, all.size())))) {
      FeedbackRecord record;
      EXPECT_TRUE(ParseFeedbackRecord(line, record)) << line;
      records.push_back(record);
    }
    return records;
  }
  // A page that shows it was opened by writing a marker file.
  fs::path PageWithMarker(const wchar_t* name) const {
    const fs::path marker = m_work / (std::wstring(name) + L".opened");
    std::ofstream page(m_work / (std::wstring(name) + L".cmd"), std::ios::binary);
    page << "@echo opened> \"" << marker.string() << "\"\r\n";
    return marker;
  }

  fs::path m_work;
  fs::path m_settings;
  std::uintmax_t m_journalStart = LengthOf(FeedbackJournal());
  std::uintmax_t m_recordsStart = LengthOf(Records());
  CFeedbackBridge m_bridge;
};

TEST_F(FeedbackLibrary, LoadResolvesTheElevenNamesFromTheProgramsFolder) {
  const HMODULE module = GetModuleHandleW(FEEDBACK_LIBRARY_NAME);
  ASSERT_NE(nullptr, module);
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(module, path, MAX_PATH);
  EXPECT_EQ(ProgramFolder() / FEEDBACK_LIBRARY_NAME, fs::path(path));

  // The export table holds exactly the eleven names, undecorated.
  const auto* base = reinterpret_cast<const BYTE*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
  std::vector<std::string> exported;
  for (DWORD i = 0; i < exports->NumberOfNames; ++i) exported.emplace_back(reinterpret_cast<const char*>(base + names[i]));
  std::vector<std::string> expected(std::begin(EXPORTED_NAMES), std::end(EXPORTED_NAMES));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, exported);
}

TEST_F(FeedbackLibrary, LoadFailsOnAMissingNameOrLibrary) {
  CFeedbackBridge partial;
  EXPECT_FALSE(partial.LoadFrom((ProgramFolder() / L"FeedbackMissingExport.dll").wstring()));
  EXPECT_EQ(nullptr, GetModuleHandleW(L"FeedbackMissingExport.dll"));  // released again
  EXPECT_EQ(0, partial.InitFreedbackDll());
  EXPECT_EQ(0, partial.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));
  EXPECT_STREQ(L"", partial.LibraryString(FEEDBACK_SLOT_MORE_TOOLS_PAGE));

  CFeedbackBridge missing;
  EXPECT_FALSE(missing.LoadFrom((m_work / FEEDBACK_LIBRARY_NAME).wstring()));
  EXPECT_EQ(0, missing.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 1, L"1", L"1"));
  EXPECT_TRUE(NewRecords().empty());
}

TEST_F(FeedbackLibrary, InitialisationFillsTheSixStrings) {
  EXPECT_STREQ(L"", m_bridge.LibraryString(FEEDBACK_SLOT_MORE_TOOLS_PAGE));
  EXPECT_NE(0, m_bridge.InitFreedbackDll());
  EXPECT_EQ((m_work / L"feedback.cmd").wstring(), m_bridge.LibraryString(FEEDBACK_SLOT_FEEDBACK_PAGE));
  EXPECT_EQ((m_work / L"agreement.cmd").wstring(), m_bridge.LibraryString(FEEDBACK_SLOT_USE_AGREEMENT_PAGE));
  EXPECT_EQ((m_work / L"download.cmd").wstring(), m_bridge.LibraryString(FEEDBACK_SLOT_TOOL_DOWNLOAD_PAGE));
  EXPECT_STREQ(L"https://tools.invalid/more", m_bridge.LibraryString(FEEDBACK_SLOT_MORE_TOOLS_PAGE));
  EXPECT_STREQ(L"1.0.0.0", m_bridge.LibraryString(FEEDBACK_SLOT_LIBRARY_VERSION));
  EXPECT_STREQ(L"", m_bridge.LibraryString(-1));
  EXPECT_STREQ(L"", m_bridge.LibraryString(FEEDBACK_STRING_COUNT));

  // Without settings the built-in addresses and the common application-data folder serve.
  fs::remove(m_settings);
  EXPECT_NE(0, m_bridge.InitFreedbackDll());
  EXPECT_STREQ(L"https://www.halvex.com/support/tools", m_bridge.LibraryString(FEEDBACK_SLOT_MORE_TOOLS_PAGE));
  wchar_t common[MAX_PATH] = {};
  ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common));
  EXPECT_EQ(std::wstring(common) + L"\\Halvex\\Feedback", m_bridge.LibraryString(FEEDBACK_SLOT_RECORD_FOLDER));
}

TEST_F(FeedbackLibrary, RecordsReadBackIntact) {
  const std::wstring now = FeedbackTimeText(static_cast<long long>(time(nullptr)));
  EXPECT_EQ(1, m_bridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 1, now.c_str(), FeedbackDeviceText(0).c_str()));
  EXPECT_EQ(1, m_bridge.CustomerFeedbackEx(L"工具编号", L"版本一", 2, L"时间文本", L"设备\t类型\r\n二"));
  EXPECT_EQ(1, m_bridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 3, L"", L""));
  EXPECT_EQ(0, m_bridge.CustomerFeedbackEx(nullptr, TOOL_VERSION, 3, L"", L""));

  const std::vector<FeedbackRecord> records = NewRecords();
  ASSERT_EQ(3u, records.size());
  EXPECT_EQ(L"10069", Wide(records[0].toolId));
  EXPECT_EQ(L"1.9.22.1021", Wide(records[0].toolVersion));
  EXPECT_EQ(1, records[0].code);
  EXPECT_EQ(now, Wide(records[0].timeText));
  EXPECT_EQ(L"1", Wide(records[0].deviceText));
  EXPECT_EQ(20u, records[0].writtenAt.size());
  EXPECT_EQ(L"工具编号", Wide(records[1].toolId));
  EXPECT_EQ(L"版本一", Wide(records[1].toolVersion));
  EXPECT_EQ(2, records[1].code);
  EXPECT_EQ(L"时间文本", Wide(records[1].timeText));
  EXPECT_EQ(L"设备\t类型\r\n二", Wide(records[1].deviceText));
  EXPECT_EQ(3, records[2].code);
  EXPECT_EQ("", records[2].deviceText);
}

TEST_F(FeedbackLibrary, EarlierRecordsSurviveConcurrentWriters) {
  fs::create_directories(Records().parent_path());
  const std::string earlier = "10069\t1.0\t1\t5\t1\t2020-01-01T00:00:00Z\r\n";
  std::ofstream(Records(), std::ios::binary | std::ios::app) << earlier;

  constexpr int THREADS = 8;
  constexpr int EACH = 25;
  std::vector<std::thread> writers;
  for (int t = 0; t < THREADS; ++t) {
    writers.emplace_back([this, t] {
      for (int i = 0; i < EACH; ++i) {
        const std::wstring time = std::to_wstring(t * 1000 + i);
        m_bridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 1 + i % 3, time.c_str(), L"中文设备");
      }
    });
  }
  for (std::thread& writer : writers) writer.join();

  const std::vector<FeedbackRecord> records = NewRecords();
  ASSERT_EQ(1u + THREADS * EACH, records.size());
  EXPECT_EQ("5", records[0].timeText);
  std::vector<int> seen(THREADS * 1000, 0);
  for (size_t i = 1; i < records.size(); ++i) {
    EXPECT_EQ(L"中文设备", Wide(records[i].deviceText));
    ++seen.at(static_cast<size_t>(std::stoi(records[i].timeText)));
  }
  for (int t = 0; t < THREADS; ++t) {
    for (int i = 0; i < EACH; ++i) EXPECT_EQ(1, seen[static_cast<size_t>(t * 1000 + i)]) << t << " " << i;
  }
}

// The settings file lies in a folder the tool's user controls: it never says where to write.
TEST_F(FeedbackLibrary, RecordsAndJournalGoOnlyToTheRecordsFolder) {
  EXPECT_EQ(1, m_bridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 2, L"only here", L"3"));
  ASSERT_EQ(1u, NewRecords().size());
  EXPECT_EQ(1u, JournalLines().size());
  EXPECT_FALSE(fs::exists(m_work / L"records"));
  EXPECT_FALSE(fs::exists(Journal()));
}

TEST_F(FeedbackLibrary, VersionCheckComparesNumerically) {
  const struct {
    const wchar_t* newest;
    int answer;
  } cases[] = {
      {L"1.10.0.0", NEW_VERSION_AVAILABLE}, {L"1.9.22.1022", NEW_VERSION_AVAILABLE}, {L"2", NEW_VERSION_AVAILABLE},
      {L"1.9.22.1021", VERSION_IS_NEWEST},  {L"1.9.22.999", VERSION_IS_NEWEST},      {L"1.9.22", VERSION_IS_NEWEST},
      {L"1.9.x", VERSION_CHECK_FAILED},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.newest);
    Set(L"NewestVersion", TOOL_ID, c.newest);
    EXPECT_EQ(c.answer, m_bridge.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));
  }
  EXPECT_EQ(VERSION_CHECK_FAILED, m_bridge.GetToolIsNewVersion(L"99999", TOOL_VERSION));
  EXPECT_EQ(VERSION_CHECK_FAILED, m_bridge.GetToolIsNewVersion(TOOL_ID, L"new"));
  EXPECT_EQ(VERSION_CHECK_FAILED, m_bridge.GetToolIsNewVersion(nullptr, TOOL_VERSION));
  // The built-in table knows this tool at its current version.
  Remove(L"NewestVersion", TOOL_ID);
  EXPECT_EQ(VERSION_IS_NEWEST, m_bridge.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION));
  EXPECT_EQ(NEW_VERSION_AVAILABLE, m_bridge.GetToolIsNewVersion(TOOL_ID, L"1.9.21.5000"));
}

TEST_F(FeedbackLibrary, JournalShowsEveryCallWithItsArguments) {
  m_bridge.InitFreedbackDll();
  m_bridge.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION);
  m_bridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 1, L"1765157025", L"3");
  m_bridge.CustomerFeedbackEx(L"工具", L"版本", 2, L"时\"间", L"");
  m_bridge.OpenUrl(L"C:\\windows\\system32\\notepad.exe");
  m_bridge.OpenUrl(nullptr);
  m_bridge.FeedbackQuestion(TOOL_ID, TOOL_VERSION);

  const std::vector<std::string> lines = JournalLines();
  const std::vector<std::string> expected = {
      "InitFreedbackDll(strings) = 1",
      "GetToolIsNewVersion(\"10069\", \"1.9.22.1021\") = 3",
      "CustomerFeedbackEx(\"10069\", \"1.9.22.1021\", 1, \"1765157025\", \"3\") = 1",
      std::string("CustomerFeedbackEx(") + u8"\"工具\", \"版本\", 2, \"时\\\"间\", \"\") = 1",
      "OpenUrl(\"C:\\\\windows\\\\system32\\\\notepad.exe\") = 0",
      "OpenUrl(null) = 0",
  };
  ASSERT_EQ(expected.size() + 1, lines.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(expected[i], Call(lines[i]));
    EXPECT_EQ('[', lines[i][0]);
  }
  EXPECT_EQ(0u, Call(lines.back()).find("FeedbackQuestion(\"10069\", \"1.9.22.1021\") = "));
  const std::string page = Utf8((m_work / L"feedback.cmd").wstring()) + "?toolid=10069&version=1.9.22.1021";
  EXPECT_NE(std::string::npos, lines.back().find(" page " + JournalText(page.c_str())));

  // Without the journal switched on nothing is written.
  Remove(L"Journal", L"Enabled");
  m_journalStart = LengthOf(FeedbackJournal());
  m_bridge.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION);
  EXPECT_TRUE(JournalLines().empty());
}

// A page from the settings file that is not a web address would run with the tool's rights.
TEST_F(FeedbackLibrary, OnlyWebPagesReachTheShell) {
  const fs::path agreement = PageWithMarker(L"agreement");
  const fs::path download = PageWithMarker(L"download");
  EXPECT_EQ(0, m_bridge.OpenUseAgreementUrl());
  EXPECT_EQ(0, m_bridge.OpenToolDownUrl());
  Sleep(2000);  // a script handed to the shell would have written its marker by now
  EXPECT_FALSE(fs::exists(agreement));
  EXPECT_FALSE(fs::exists(download));
  const std::vector<std::string> lines = JournalLines();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("OpenUseAgreementUrl() = 0 refused page " +
                JournalText(Utf8((m_work / L"agreement.cmd").wstring()).c_str()),
            Call(lines[0]));
  EXPECT_EQ("OpenToolDownUrl() = 0 refused page " +
                JournalText(Utf8((m_work / L"download.cmd").wstring()).c_str()),
            Call(lines[1]));
}

// The four names the program never calls.
TEST_F(FeedbackLibrary, TheOtherNamesAnswerSensibly) {
  const HMODULE module = GetModuleHandleW(FEEDBACK_LIBRARY_NAME);
  ASSERT_NE(nullptr, module);
  const auto internetState = reinterpret_cast<GetInterNetStateProc>(
      reinterpret_cast<void*>(GetProcAddress(module, "GetInterNetState")));
  const auto customerFeedback = reinterpret_cast<CustomerFeedbackProc>(
      reinterpret_cast<void*>(GetProcAddress(module, "CustomerFeedback")));
  const auto writeInfo = reinterpret_cast<WriteCustomerFeedbackInfoFileProc>(
      reinterpret_cast<void*>(GetProcAddress(module, "WriteCustomerFeedbackInfoFile")));
  const auto newVersionDown = reinterpret_cast<GetToolIsNewVersionDownProc>(
      reinterpret_cast<void*>(GetProcAddress(module, "GetToolIsNewVersionDown")));
  ASSERT_TRUE(internetState && customerFeedback && writeInfo && newVersionDown);

  const int state = internetState();
  EXPECT_TRUE(state == 0 || state == 1);

  const fs::path copy = m_work / L"copy.txt";
  fs::remove(Records());
  m_recordsStart = 0;
  EXPECT_EQ(1, writeInfo(copy.c_str()));  // no record yet: an empty copy
  EXPECT_EQ("", ReadFile(copy));
  EXPECT_EQ(1, customerFeedback(TOOL_ID, TOOL_VERSION, 3));
  const std::vector<FeedbackRecord> records = NewRecords();
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ(3, records[0].code);
  EXPECT_EQ("", records[0].deviceText);
  EXPECT_FALSE(records[0].timeText.empty());
  EXPECT_EQ(1, writeInfo(copy.c_str()));
  EXPECT_EQ(ReadFile(Records()), ReadFile(copy));
  EXPECT_EQ(0, writeInfo(nullptr));

  Set(L"NewestVersion", TOOL_ID, TOOL_VERSION);
  EXPECT_EQ(VERSION_IS_NEWEST, newVersionDown(TOOL_ID, TOOL_VERSION));
  Set(L"NewestVersion", TOOL_ID, L"1.10");
  EXPECT_EQ(NEW_VERSION_AVAILABLE, newVersionDown(TOOL_ID, TOOL_VERSION));
  EXPECT_NE(std::string::npos, Call(JournalLines().back()).find("download.cmd"));
}

TEST(FeedbackTexts, TimeAndDeviceType) {
  EXPECT_EQ(L"1765157025", FeedbackTimeText(1765157025));
  EXPECT_EQ(L"5", FeedbackTimeText(0x100000005LL));
  EXPECT_EQ(L"-2147483648", FeedbackTimeText(0x80000000LL));
  EXPECT_EQ(L"1", FeedbackDeviceText(0));
  EXPECT_EQ(L"2", FeedbackDeviceText(1));
  EXPECT_EQ(L"3", FeedbackDeviceText(2));
  EXPECT_EQ(L"2147483648", FeedbackDeviceText(INT_MAX));
}

}  // namespace
