// HalvexFeedbackInformation.dll: the maker's feedback library. Its settings come from
// HalvexFeedbackInformation.ini beside it; feedback records go to FeedbackRecords.txt in the
// records folder, Halvex\Feedback under the common application-data folder; when the settings
// switch the journal on, every call is written to FeedbackJournal.txt there with its arguments
// and answer, for the maker's support staff and for tests. The settings file lies in a folder
// the tool's user controls, so it never says where anything is written.
//
// HalvexFeedbackInformation.ini (every key optional):
//   [Pages]          Feedback, UseAgreement, ToolDownload, MoreTools: web addresses handed to the
//                    shell; anything but an http or https address is refused
//   [NewestVersion]  <tool id>=<dotted version>: the version check's newest version per tool
//   [Journal]        Enabled: 1 switches the journal on
#include "feedback/FeedbackApi.h"

#include "base/DesktopUser.h"
#include "base/PlainFolder.h"
#include "base/ProgramFolder.h"
#include "base/ScopedHandle.h"
#include "base/TextConversion.h"
#include "base/ToolIdentity.h"
#include "feedback/FeedbackRecord.h"

#include <oleauto.h>
#include <shlobj.h>
#include <wininet.h>

#include <cstdint>
#include <ctime>
#include <string>
#include <type_traits>

extern "C" {
int FEEDBACK_CALL InitFreedbackDll(FeedbackString* strings);
int FEEDBACK_CALL FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion);
int FEEDBACK_CALL OpenUrl(BSTR url);
int FEEDBACK_CALL GetInterNetState();
int FEEDBACK_CALL CustomerFeedback(const wchar_t* toolId, const wchar_t* toolVersion, int code);
int FEEDBACK_CALL CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int code,
                                     const wchar_t* timeText, const wchar_t* deviceText);
int FEEDBACK_CALL WriteCustomerFeedbackInfoFile(const wchar_t* path);
int FEEDBACK_CALL GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion);
int FEEDBACK_CALL GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* toolVersion);
int FEEDBACK_CALL OpenToolDownUrl();
int FEEDBACK_CALL OpenUseAgreementUrl();
}

// The exports must keep the types the program calls them through.
static_assert(std::is_same_v<decltype(&InitFreedbackDll), InitFreedbackDllProc>);
static_assert(std::is_same_v<decltype(&FeedbackQuestion), FeedbackQuestionProc>);
static_assert(std::is_same_v<decltype(&OpenUrl), OpenUrlProc>);
static_assert(std::is_same_v<decltype(&GetInterNetState), GetInterNetStateProc>);
static_assert(std::is_same_v<decltype(&CustomerFeedback), CustomerFeedbackProc>);
static_assert(std::is_same_v<decltype(&CustomerFeedbackEx), CustomerFeedbackExProc>);
static_assert(
    std::is_same_v<decltype(&WriteCustomerFeedbackInfoFile), WriteCustomerFeedbackInfoFileProc>);
static_assert(std::is_same_v<decltype(&GetToolIsNewVersion), GetToolIsNewVersionProc>);
static_assert(std::is_same_v<decltype(&GetToolIsNewVersionDown), GetToolIsNewVersionDownProc>);
static_assert(std::is_same_v<decltype(&OpenToolDownUrl), OpenToolDownUrlProc>);
static_assert(std::is_same_v<decltype(&OpenUseAgreementUrl), OpenUseAgreementUrlProc>);

namespace {

HMODULE g_module = nullptr;
// Records and journal lines are appended under this lock, one whole line per write.
SRWLOCK g_fileLock = SRWLOCK_INIT;

const wchar_t LIBRARY_VERSION[] = L"1.0.0.0";
const wchar_t SETTINGS_FILE_NAME[] = L"HalvexFeedbackInformation.ini";
const wchar_t RECORD_FOLDER_OWNER[] = L"Halvex";
const wchar_t RECORD_FOLDER_NAME[] = L"Feedback";
const wchar_t RECORD_FILE_NAME[] = L"FeedbackRecords.txt";
const wchar_t JOURNAL_FILE_NAME[] = L"FeedbackJournal.txt";

struct PageSetting {
  const wchar_t* key;
  const wchar_t* address;
};
// In slot order: the first four of the six strings.
const PageSetting PAGES[] = {
    {L"Feedback", L"https://www.halvex.com/support/feedback"},
    {L"UseAgreement", L"https://www.halvex.com/support/tool-agreement"},
    {L"ToolDownload", L"https://www.halvex.com/support/tools/download"},
    {L"MoreTools", L"https://www.halvex.com/support/tools"},
};

// The tools this library knows, with their newest versions; the settings may name others.
const PageSetting NEWEST_VERSIONS[] = {
    {TOOL_ID, TOOL_VERSION},
};

class CLock {
public:
  CLock() { AcquireSRWLockExclusive(&g_fileLock); }
  ~CLock() { ReleaseSRWLockExclusive(&g_fileLock); }
  CLock(const CLock&) = delete;
  CLock& operator=(const CLock&) = delete;
};

// Null arguments count as empty texts.
std::string Utf8(const wchar_t* text) {
  return text ? CodePageFromWide(text, CP_UTF8) : std::string();
}

// The settings are read at every call, so that a changed file takes effect at once.
std::wstring Setting(const wchar_t* section, const wchar_t* key, const wchar_t* fallback) {
  const std::wstring file = ModuleFolder(g_module) + L"\\" + SETTINGS_FILE_NAME;
  wchar_t value[FEEDBACK_STRING_SIZE] = {};
  const DWORD length =
      GetPrivateProfileStringW(section, key, L"", value, FEEDBACK_STRING_SIZE, file.c_str());
  return length > 0 ? std::wstring(value, length) : std::wstring(fallback);
}

std::wstring CommonAppDataFolder() {
  wchar_t common[MAX_PATH] = {};
  if (FAILED(
          SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common))) {
    return std::wstring();
  }
  return common;
}

std::wstring RecordFolder() {
  const std::wstring common = CommonAppDataFolder();
  return common.empty() ? std::wstring()
                        : common + L"\\" + RECORD_FOLDER_OWNER + L"\\" + RECORD_FOLDER_NAME;
}

std::wstring RecordFile() {
  const std::wstring folder = RecordFolder();
  return folder.empty() ? std::wstring() : folder + L"\\" + RECORD_FILE_NAME;
}

// The records' folder, made when missing. It lies in the common application-data folder, where
// ordinary users can create things too: its two levels are made for administrators only, and
// neither is ever taken through a link planted in its place, nor when an ordinary user made it.
CPlainFolder OpenRecordFolder() {
  const std::wstring common = CommonAppDataFolder();
  if (common.empty()) return CPlainFolder();
  return CPlainFolder::OpenOrCreate(common + L"\\" + RECORD_FOLDER_OWNER)
      .OpenOrCreateFolder(RECORD_FOLDER_NAME);
}

// Appends one line with a single write to a file opened for appending only, so that an
// earlier line is never overwritten, also by another process. The caller holds the lock.
bool AppendLine(const CScopedHandle& file, const std::string& line) {
  if (!file.IsValid()) return false;
  const std::string text = line + "\r\n";
  DWORD written = 0;
  return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

std::string Arg(const wchar_t* text) { return text ? JournalText(Utf8(text).c_str()) : "null"; }
std::string Arg(int value) { return std::to_string(value); }

// Only web addresses go to the shell: any other text would let it start a program or a script
// with the tool's administrator rights.
bool IsOpenablePage(const std::wstring& address) {
  return address.find(L'\0') == std::wstring::npos && IsWebAddress(Utf8(address.c_str()));
}

// Writes "[local time process-id] Name(arguments) = answer", and the page handed to the shell,
// or refused, if any.
int Journal(const std::string& call, int answer, const std::wstring& page = std::wstring(),
            bool refused = false) {
  if (Setting(L"Journal", L"Enabled", L"") != L"1") return answer;
  SYSTEMTIME now = {};
  GetLocalTime(&now);
  char stamp[64];
  wsprintfA(stamp, "[%04u-%02u-%02u %02u:%02u:%02u.%03u pid %lu] ", now.wYear, now.wMonth, now.wDay,
            now.wHour, now.wMinute, now.wSecond, now.wMilliseconds, GetCurrentProcessId());
  std::string line = stamp + call + " = " + std::to_string(answer);
  if (!page.empty()) {
    line += refused ? " refused page " : " page ";
    line += JournalText(Utf8(page.c_str()).c_str());
  }
  const CLock lock;
  AppendLine(OpenRecordFolder().OpenFileForAppend(JOURNAL_FILE_NAME), line);
  return answer;
}

struct PageOpening {
  int opened;    // 1 when the shell took it
  bool refused;  // not a web address, or not to be opened with the desktop user's rights
};

// Pages open with the rights of the desktop's user: the browser, and whatever handler their own
// registry names for the address, must not run with the tool's.
PageOpening OpenPage(const std::wstring& address) {
  if (!IsOpenablePage(address)) return {0, true};
  const DesktopUserStart start = ShellExecuteForDesktopUser(address, L"", L"", SW_SHOWNORMAL);
  return {start == DesktopUserStart::Started ? 1 : 0, start == DesktopUserStart::Refused};
}

int OpenAndJournal(const std::string& call, const std::wstring& page) {
  const PageOpening opening = OpenPage(page);
  return Journal(call, opening.opened, page, opening.refused);
}

std::wstring Page(FeedbackStringSlot slot) {
  return Setting(L"Pages", PAGES[slot].key, PAGES[slot].address);
}

std::string UtcNow() {
  SYSTEMTIME now = {};
  GetSystemTime(&now);
  char text[32];
  wsprintfA(text, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
            now.wMinute, now.wSecond);
  return text;
}

int WriteRecord(const wchar_t* toolId, const wchar_t* toolVersion, int code,
                const wchar_t* timeText, const wchar_t* deviceText) {
  if (!toolId || !toolVersion) return 0;
  FeedbackRecord record;
  record.toolId = Utf8(toolId);
  record.toolVersion = Utf8(toolVersion);
  record.code = code;
  record.timeText = Utf8(timeText);
  record.deviceText = Utf8(deviceText);
  record.writtenAt = UtcNow();
  const CLock lock;
  const CScopedHandle file = OpenRecordFolder().OpenFileForAppend(RECORD_FILE_NAME);
  return AppendLine(file, FormatFeedbackRecord(record)) ? 1 : 0;
}

int CheckVersion(const wchar_t* toolId, const wchar_t* toolVersion) {
  if (!toolId || !*toolId || !toolVersion) return VERSION_CHECK_FAILED;
  const wchar_t* builtIn = L"";
  for (const PageSetting& known : NEWEST_VERSIONS) {
    if (lstrcmpW(known.key, toolId) == 0) builtIn = known.address;
  }
  const std::wstring newest = Setting(L"NewestVersion", toolId, builtIn);
  int order = 0;
  if (newest.empty() || !CompareVersions(Utf8(newest.c_str()), Utf8(toolVersion), order))
    return VERSION_CHECK_FAILED;
  return order > 0 ? NEW_VERSION_AVAILABLE : VERSION_IS_NEWEST;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

int FEEDBACK_CALL InitFreedbackDll(FeedbackString* strings) {
  if (!strings) return Journal("InitFreedbackDll(null)", 0);
  for (int slot = FEEDBACK_SLOT_FEEDBACK_PAGE; slot <= FEEDBACK_SLOT_MORE_TOOLS_PAGE; ++slot) {
    lstrcpynW(strings[slot], Page(static_cast<FeedbackStringSlot>(slot)).c_str(),
              FEEDBACK_STRING_SIZE);
  }
  lstrcpynW(strings[FEEDBACK_SLOT_LIBRARY_VERSION], LIBRARY_VERSION, FEEDBACK_STRING_SIZE);
  lstrcpynW(strings[FEEDBACK_SLOT_RECORD_FOLDER], RecordFolder().c_str(), FEEDBACK_STRING_SIZE);
  return Journal("InitFreedbackDll(strings)", 1);
}

int FEEDBACK_CALL FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) {
  const std::string call = "FeedbackQuestion(" + Arg(toolId) + ", " + Arg(toolVersion) + ")";
  if (!toolId || !toolVersion) return Journal(call, 0);
  std::string address = Utf8(Page(FEEDBACK_SLOT_FEEDBACK_PAGE).c_str());
  address = AppendQueryParameter(AppendQueryParameter(address, "toolid", Utf8(toolId)), "version",
                                 Utf8(toolVersion));
  return OpenAndJournal(call, WideFromCodePage(address, CP_UTF8));
}

int FEEDBACK_CALL OpenUrl(BSTR url) {
  const std::string call = "OpenUrl(" + Arg(url) + ")";
  const std::wstring address = url ? std::wstring(url, SysStringLen(url)) : std::wstring();
  if (!IsOpenablePage(address)) return Journal(call, 0);
  return OpenAndJournal(call, address);
}

int FEEDBACK_CALL GetInterNetState() {
  // WinINet is loaded only when asked for, and from the system folder only: a copy beside the
  // library would otherwise be taken first.
  static const auto connectedState = [] {
    const HMODULE wininet = LoadLibraryExW(L"wininet.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return wininet ? reinterpret_cast<decltype(&InternetGetConnectedState)>(reinterpret_cast<void*>(
                         GetProcAddress(wininet, "InternetGetConnectedState")))
                   : nullptr;
  }();
  DWORD flags = 0;
  return Journal("GetInterNetState()", connectedState && connectedState(&flags, 0) ? 1 : 0);
}

int FEEDBACK_CALL CustomerFeedback(const wchar_t* toolId, const wchar_t* toolVersion, int code) {
  // The time text as the program writes it: the low 32 bits of the seconds since 1970.
  const std::wstring timeText =
      std::to_wstring(static_cast<int32_t>(static_cast<uint32_t>(std::time(nullptr))));
  const std::string call =
      "CustomerFeedback(" + Arg(toolId) + ", " + Arg(toolVersion) + ", " + Arg(code) + ")";
  return Journal(call, WriteRecord(toolId, toolVersion, code, timeText.c_str(), L""));
}

int FEEDBACK_CALL CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int code,
                                     const wchar_t* timeText, const wchar_t* deviceText) {
  const std::string call = "CustomerFeedbackEx(" + Arg(toolId) + ", " + Arg(toolVersion) + ", " +
                           Arg(code) + ", " + Arg(timeText) + ", " + Arg(deviceText) + ")";
  return Journal(call, WriteRecord(toolId, toolVersion, code, timeText, deviceText));
}

int FEEDBACK_CALL WriteCustomerFeedbackInfoFile(const wchar_t* path) {
  const std::string call = "WriteCustomerFeedbackInfoFile(" + Arg(path) + ")";
  const std::wstring records = RecordFile();
  if (!path || !*path || records.empty()) return Journal(call, 0);
  int answer = 0;
  {
    const CLock lock;
    if (GetFileAttributesW(records.c_str()) == INVALID_FILE_ATTRIBUTES) {
      // No record yet: an empty copy.
      const CScopedHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
      answer = file.IsValid() ? 1 : 0;
    } else {
      answer = CopyFileW(records.c_str(), path, FALSE) ? 1 : 0;
    }
  }
  return Journal(call, answer);
}

int FEEDBACK_CALL GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) {
  return Journal("GetToolIsNewVersion(" + Arg(toolId) + ", " + Arg(toolVersion) + ")",
                 CheckVersion(toolId, toolVersion));
}

int FEEDBACK_CALL GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* toolVersion) {
  const std::string call = "GetToolIsNewVersionDown(" + Arg(toolId) + ", " + Arg(toolVersion) + ")";
  const int answer = CheckVersion(toolId, toolVersion);
  if (answer != NEW_VERSION_AVAILABLE) return Journal(call, answer);
  const std::wstring page = Page(FEEDBACK_SLOT_TOOL_DOWNLOAD_PAGE);
  return Journal(call, answer, page, OpenPage(page).refused);
}

int FEEDBACK_CALL OpenToolDownUrl() {
  return OpenAndJournal("OpenToolDownUrl()", Page(FEEDBACK_SLOT_TOOL_DOWNLOAD_PAGE));
}

int FEEDBACK_CALL OpenUseAgreementUrl() {
  return OpenAndJournal("OpenUseAgreementUrl()", Page(FEEDBACK_SLOT_USE_AGREEMENT_PAGE));
}
