// The tool from start to exit, as a user drives it: every outcome of a removal request, the
// agreement box and the links, the start-up checks and the update notice, the window's
// geometry, and the removal of the tool's folder at exit. The program is the real one, except
// where a case needs a seam the real program has not (main_window_host.exe).
#include "tests/dialogs/SkinTestKit.h"
#include "tests/system/ToolUnderTest.h"

#include "app/SystemPatchUninstallToolDlg.h"
#include "base/TextConversion.h"
#include "res/resource.h"
#include "tools/DeviceInfoEncoder.h"
#include "ui/dialogs/SkinGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

const wchar_t LENGTH[] = L"输入的补丁号不正确，请输入6或者7位的补丁号！";
const wchar_t NON_DIGIT[] = L"您输入的补丁号是否正确？";
const wchar_t PROTECTED[] =
    L"此补丁是系统重要更新，不支持卸载，请了解\r\n\r\n不是工具问题，无需反馈";
const wchar_t FAILED[] = L"卸载系统补丁失败！";
const wchar_t QUERY_NOT_RUN[] = L"卸载系统补丁失败！\r\n\r\n无法运行系统的补丁查询，请重新启动电脑后再试。";
const wchar_t NOT_FOUND[] = L"您输入的补丁未查询到，您要继续卸载吗？";
const wchar_t DONE[] = L"操作完成。";
const wchar_t INIT_FAILED[] = L"工具初始化失败";
const std::wstring FOUND_5001330 =
    L"将要卸载5001330补丁，确定卸载吗？请按弹出的提示窗口操作继续卸载。\r\n注意：由于微软的系统限制"
    L"，某些补丁可能无法卸载，是正常现象，无需反馈";

std::string Utf8(const std::wstring& text) { return CodePageFromWide(text, CP_UTF8); }

bool Contains(const std::vector<std::string>& lines, const std::string& text) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.find(text) != std::string::npos; });
}

// One prompt the request shows, in order, and the button that answers it.
struct Step {
  std::wstring text;
  int type;
  int answer;  // IDC_PROMPT_OK, IDC_PROMPT_CANCEL, IDC_BTN_CLOSE, or 0 for Alt+F4
};

struct Outcome {
  const char* name;
  const wchar_t* number;  // nullptr: the box keeps its hint
  std::vector<Step> steps;
  const char* wusa;               // what the stand-in wusa received, or nullptr when it never ran
  bool feedbackRecord;            // CustomerFeedbackEx after "操作完成。"
  const wchar_t* logged;          // the forced log record, or nullptr
  const wchar_t* host = nullptr;  // seams of main_window_host.exe; nullptr: the real program
};

class ToolSystemTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::error_code ignored;
    fs::remove(ToolLogFolder() + L"ruvozoza.txt", ignored);
  }
  CGdiplusSession m_gdiplus;
};

class RemovalOutcomes : public ToolSystemTest, public ::testing::WithParamInterface<Outcome> {};

}  // namespace

TEST_P(RemovalOutcomes, ShowAndRecordWhatTheRequestCameTo) {
  const Outcome& outcome = GetParam();
  ToolUnderTest tool(std::wstring(outcome.name, outcome.name + strlen(outcome.name)));
  ToolStart start;
  if (outcome.host) {
    start.program = L"main_window_host.exe";
    start.arguments = outcome.host;
  }
  ASSERT_TRUE(tool.Start(start));
  ASSERT_TRUE(tool.WaitForMainWindow());
  const std::time_t before = std::time(nullptr);
  if (outcome.number) {
    tool.RequestRemoval(outcome.number);
  } else {
    driver::ClickCentre(tool.Control(IDC_UNINSTALL));
  }
  for (const Step& step : outcome.steps) {
    PromptSeen prompt;
    ASSERT_TRUE(tool.WaitForPrompt(&prompt)) << "no prompt: " << Utf8(step.text);
    EXPECT_EQ(step.text, prompt.text);
    EXPECT_EQ(step.type, prompt.type) << Utf8(step.text);
    EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_STATE_INFO)) << "a wait dialog behind the prompt";
    SaveScreenshot(L"outcome_" + std::wstring(outcome.name, outcome.name + strlen(outcome.name)),
                   WindowRectOf(::GetWindow(prompt.controls, GW_OWNER)));
    ASSERT_TRUE(tool.Answer(prompt, step.answer));
  }
  // Back to the window, usable again: no prompt and no wait dialog left.
  EXPECT_TRUE(WaitUntil(
      [&] { return !tool.FindDialogWith(IDC_STATE_INFO) && ::IsWindowEnabled(tool.Main()); },
      10000));
  ASSERT_TRUE(tool.Idle());
  EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_PROMPT_TEXT));

  const std::vector<std::string> wusa = tool.WusaCommandLines();
  if (outcome.wusa) {
    ASSERT_EQ(1u, wusa.size());
    // Exactly the number, and nothing after it.
    const std::string expected = outcome.wusa;
    EXPECT_EQ(expected, wusa[0].substr(wusa[0].size() - std::min(wusa[0].size(), expected.size())))
        << wusa[0];
  } else {
    EXPECT_TRUE(wusa.empty());
  }
  // The record is written once the prompt has gone, which the window may show first.
  WaitUntil([&] { return Contains(tool.JournalLines(), "CustomerFeedbackEx("); },
            outcome.feedbackRecord ? 5000 : 0);
  const std::vector<std::string> journal = tool.JournalLines();
  const std::string record = "CustomerFeedbackEx(\"10069\", \"1.9.22.1021\", 1, \"";
  EXPECT_EQ(outcome.feedbackRecord, Contains(journal, record));
  if (outcome.feedbackRecord) {
    const auto line = std::find_if(journal.begin(), journal.end(), [&](const std::string& l) {
      return l.find(record) != std::string::npos;
    });
    const long long seconds = std::stoll(line->substr(line->find(record) + record.size()));
    EXPECT_LE(std::llabs(seconds - before), 30);
    EXPECT_NE(std::string::npos, line->find("\", \"1\")"));  // no service client: device text 1
  }
  // The query's worker writes its record after it has reported.
  if (outcome.logged) {
    EXPECT_TRUE(WaitUntil(
        [&] { return tool.LogText(L"ruvozoza.txt").find(outcome.logged) != std::wstring::npos; },
        5000));
  } else {
    EXPECT_EQ(L"", tool.LogText(L"ruvozoza.txt"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, RemovalOutcomes,
    ::testing::Values(
        Outcome{"five_digits", L"12345", {{LENGTH, 3, IDC_PROMPT_OK}}, nullptr, false, nullptr},
        Outcome{"eleven_digits", L"12345678901", {{LENGTH, 3, 0}}, nullptr, false, nullptr},
        Outcome{"untouched_hint", nullptr, {{LENGTH, 3, IDC_PROMPT_OK}}, nullptr, false, nullptr},
        Outcome{"non_digit_declined",
                L"KB123456",
                {{NON_DIGIT, 2, IDC_PROMPT_CANCEL}},
                nullptr,
                false,
                nullptr},
        Outcome{"protected", L"50000908", {{PROTECTED, 3, IDC_PROMPT_OK}}, nullptr, false, nullptr},
        Outcome{"pasted_kb_confirmed",
                L"KB123456",
                {{NON_DIGIT, 2, IDC_PROMPT_OK}, {NOT_FOUND, 4, IDC_PROMPT_CANCEL}},
                nullptr,
                false,
                nullptr},
        Outcome{"protected_with_leading_blank",
                L" 4512578",
                {{NON_DIGIT, 2, IDC_PROMPT_OK}, {NOT_FOUND, 4, IDC_PROMPT_CANCEL}},
                nullptr,
                false,
                nullptr},
        Outcome{"ten_digits_queried",
                L"1234567890",
                {{NOT_FOUND, 4, IDC_PROMPT_CANCEL}},
                nullptr,
                false,
                nullptr},
        Outcome{"found_declined",
                L"5001330",
                {{FOUND_5001330, 4, IDC_PROMPT_CANCEL}},
                nullptr,
                false,
                nullptr},
        Outcome{"removal_refused",
                L"123456&",
                {{NON_DIGIT, 2, IDC_PROMPT_OK},
                 {NOT_FOUND, 4, IDC_PROMPT_OK},
                 {FAILED, 3, IDC_PROMPT_OK}},
                nullptr,
                false,
                nullptr},
        Outcome{"removed_and_confirmed",
                L"5001330",
                {{FOUND_5001330, 4, IDC_PROMPT_OK}, {DONE, 3, IDC_PROMPT_OK}},
                "/uninstall /kb:5001330",
                true,
                nullptr},
        Outcome{"removed_and_closed",
                L"5001330",
                {{FOUND_5001330, 4, IDC_PROMPT_OK}, {DONE, 3, IDC_BTN_CLOSE}},
                "/uninstall /kb:5001330",
                false,
                nullptr},
        Outcome{"query_cannot_run",
                L"5001330",
                {{QUERY_NOT_RUN, 3, IDC_PROMPT_OK}},
                nullptr,
                false,
                L"执行查询系统补丁命令失败",
                L"--query-cannot-run"},
        Outcome{"query_thread_not_created",
                L"5001330",
                {{FAILED, 3, IDC_PROMPT_OK}},
                nullptr,
                false,
                L"创建查询系统补丁线程失败",
                L"--failing-thread=1"},
        Outcome{"removal_thread_not_created",
                L"5001330",
                {{FOUND_5001330, 4, IDC_PROMPT_OK}, {FAILED, 3, IDC_PROMPT_OK}},
                nullptr,
                false,
                L"创建卸载系统补丁线程失败",
                L"--failing-thread=2"}),
    [](const ::testing::TestParamInfo<Outcome>& info) { return std::string(info.param.name); });

TEST_F(ToolSystemTest, UninstallFromTheKeyboardWithThePointerElsewhereDoesNothing) {
  ToolUnderTest tool(L"keyboard");
  ASSERT_TRUE(tool.Start({}));
  ASSERT_TRUE(tool.WaitForMainWindow());
  ::SendMessageW(tool.Control(IDC_PATCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12345"));
  driver::MovePointerTo(tool.Main(), 30, 200);
  ::SendMessageW(tool.Main(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tool.Control(IDC_UNINSTALL)),
                 TRUE);
  driver::PressKey(VK_SPACE);
  ASSERT_TRUE(tool.Idle());
  EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_PROMPT_TEXT));
}

TEST_F(ToolSystemTest, AgreementBoxEnablesUninstallAndLinksAskTheLibrary) {
  ToolUnderTest tool(L"agreement");
  ASSERT_TRUE(tool.Start({}));
  ASSERT_TRUE(tool.WaitForMainWindow());
  const HWND uninstall = tool.Control(IDC_UNINSTALL);
  EXPECT_TRUE(::IsWindowEnabled(uninstall));
  for (bool enabled : {false, true}) {
    const RECT box = WindowRectOf(tool.Control(IDC_AGREE));
    driver::Click(box.left + 8, (box.top + box.bottom) / 2);
    EXPECT_TRUE(WaitUntil([&] { return (::IsWindowEnabled(uninstall) != FALSE) == enabled; }, 3000))
        << enabled;
  }
  // The links are plain statics: the dialog itself takes their clicks.
  const struct {
    int control;
    const char* call;
  } links[] = {{IDC_MORE_TOOLS, "OpenUrl(\"more-tools-page\")"},
               {IDC_FEEDBACK_LINK, "FeedbackQuestion(\"10069\", \"1.9.22.1021\")"},
               {IDC_AGREEMENT_LINK, "OpenUseAgreementUrl()"}};
  EXPECT_TRUE(::IsWindowVisible(tool.Control(IDC_MORE_TOOLS)));
  for (const auto& link : links) {
    driver::ClickCentre(tool.Control(link.control));
    EXPECT_TRUE(WaitUntil([&] { return Contains(tool.JournalLines(), link.call); }, 5000))
        << link.call;
  }
}

TEST_F(ToolSystemTest, StartUpFailuresShowOneNoticeAndEndWithCodeZero) {
  const struct {
    const char* name;
    Library library;
    const wchar_t* init;
  } cases[] = {{"library_missing", Library::None, L"1"},
               {"library_lacking_a_function", Library::MissingFunction, L"1"},
               {"library_refusing_to_start", Library::StandIn, L"0"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ToolUnderTest tool(std::wstring(c.name, c.name + strlen(c.name)));
    ToolStart start;
    start.library = c.library;
    start.environment = {{L"STANDIN_FEEDBACK_INIT", c.init}};
    ASSERT_TRUE(tool.Start(start));
    PromptSeen prompt;
    ASSERT_TRUE(tool.WaitForPrompt(&prompt));
    EXPECT_EQ(INIT_FAILED, prompt.text);
    EXPECT_EQ(3, prompt.type);
    EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_UNINSTALL));  // no main window was shown
    driver::ClickCentre(::GetDlgItem(prompt.controls, IDC_PROMPT_OK));
    DWORD exitCode = 1;
    ASSERT_TRUE(tool.WaitForExit(5000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(fs::exists(tool.Folder()));  // only the ordinary exit removes the folder
  }
}

TEST_F(ToolSystemTest, UpdateNoticeNamesTheServiceClientFoundAndEndsTheTool) {
  const struct {
    const char* name;
    const char* clientFolder;  // on the fake USB drive C:, or nullptr for none
    const char* deviceType;
    const wchar_t* text;
    bool downloadPage;
  } cases[] = {
      {"no_client", nullptr, nullptr, L"检测到当前工具有新的版本，请下载最新版本使用。", true},
      {"ambrel", "AM\\Ambrel", "1", L"检测到当前工具有新的版本，请在Ambrel客户端下载最新版本使用。",
       false},
      {"corvin_value_in_ambrel_folder", "AM\\Ambrel", "2",
       L"检测到当前工具有新的版本，请在Corvin客户端下载最新版本使用。", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code ignored;
    fs::remove_all(L"C:\\AM", ignored);
    if (c.clientFolder) {
      const fs::path folder = fs::path(L"C:\\") / c.clientFolder;
      fs::create_directories(folder);
      std::ofstream(folder / L"AmbrelClient.exe") << "MZ";
      std::ofstream(folder / L"DeviceInfo.ini")
          << DeviceInfoIniText(EncodeDeviceType(c.deviceType));
    }
    ToolUnderTest tool(std::wstring(c.name, c.name + strlen(c.name)));
    ToolStart start;
    start.program = L"main_window_host.exe";
    start.arguments = L"--usb=C";
    start.newestVersion = L"1.9.23.0";
    ASSERT_TRUE(tool.Start(start));
    PromptSeen prompt;
    ASSERT_TRUE(tool.WaitForPrompt(&prompt, 15000));
    EXPECT_EQ(c.text, prompt.text);
    EXPECT_EQ(3, prompt.type);
    SaveScreenshot(L"update_notice_" + std::wstring(c.name, c.name + strlen(c.name)),
                   WindowRectOf(prompt.controls));
    driver::ClickCentre(::GetDlgItem(prompt.controls, IDC_PROMPT_OK));
    DWORD exitCode = 1;
    ASSERT_TRUE(tool.WaitForExit(5000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(c.downloadPage, Contains(tool.JournalLines(), "OpenToolDownUrl()"));
    fs::remove_all(L"C:\\AM", ignored);
  }
}

TEST_F(ToolSystemTest, OtherAnswersOfTheVersionCheckShowNoNotice) {
  for (const wchar_t* answer : {L"1", L"2", L"4"}) {
    ToolUnderTest tool(std::wstring(L"version_answer_") + answer);
    ToolStart start;
    start.library = Library::StandIn;
    start.environment = {{L"STANDIN_FEEDBACK_VERSION", answer}};
    ASSERT_TRUE(tool.Start(start));
    ASSERT_TRUE(tool.WaitForMainWindow());
    ASSERT_TRUE(
        WaitUntil([&] { return Contains(tool.JournalLines(), "GetToolIsNewVersion"); }, 5000));
    ASSERT_TRUE(tool.Idle());
    EXPECT_EQ(nullptr, tool.FindDialogWith(IDC_PROMPT_TEXT)) << answer;
    EXPECT_FALSE(tool.WaitForExit(0, nullptr));
  }
}

TEST_F(ToolSystemTest, MoreToolsIsHiddenWhenAServiceClientWasFound) {
  std::error_code ignored;
  fs::remove_all(L"C:\\AM", ignored);
  fs::create_directories(L"C:\\AM\\Ambrel");
  std::ofstream(L"C:\\AM\\Ambrel\\AmbrelClient.exe") << "MZ";
  std::ofstream(L"C:\\AM\\Ambrel\\DeviceInfo.ini") << DeviceInfoIniText(EncodeDeviceType("1"));
  ToolUnderTest tool(L"service_client");
  ToolStart start;
  start.program = L"main_window_host.exe";
  start.arguments = L"--usb=C";
  ASSERT_TRUE(tool.Start(start));
  ASSERT_TRUE(tool.WaitForMainWindow());
  EXPECT_FALSE(::IsWindowVisible(tool.Control(IDC_MORE_TOOLS)));
  fs::remove_all(L"C:\\AM", ignored);
}

// With the log's "print" setting at 1, a finished removal also leaves wusa's exit code and what
// it means; the prompts do not change.
TEST_F(ToolSystemTest, PrintSettingAddsTheInstallersExitCodeToTheLog) {
  const fs::path settings = fs::path(ToolLogFolder()).parent_path().parent_path() / L"logCfg.ini";
  std::ofstream(settings) << "[Log]\r\nprint=1\r\n";
  ToolUnderTest tool(L"print_setting");
  ToolStart start;
  start.environment = {{L"STANDIN_WUSA_EXIT", L"3010"}};
  ASSERT_TRUE(tool.Start(start));
  ASSERT_TRUE(tool.WaitForMainWindow());
  tool.RequestRemoval(L"5001330");
  for (const wchar_t* text : {FOUND_5001330.c_str(), DONE}) {
    PromptSeen prompt;
    ASSERT_TRUE(tool.WaitForPrompt(&prompt));
    EXPECT_EQ(text, prompt.text);
    ASSERT_TRUE(tool.Answer(prompt, IDC_PROMPT_OK));
  }
  fs::remove(settings);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return tool.LogText(L"ruvozoza.txt")
                   .find(L"wusa 退出码 3010 (0x00000BC2)：补丁已卸载，需要重新启动计算机") !=
               std::wstring::npos;
      },
      5000))
      << Utf8(tool.LogText(L"ruvozoza.txt"));
}

// The tool runs with administrator rights from a folder its user controls. Programs, scripts and
// libraries named like the system's, beside it or in its current directory, never run: the
// request reaches the real programs, and so does the removal of its folder at exit.
TEST_F(ToolSystemTest, PlantedProgramsAndLibrariesNeverRun) {
  ToolUnderTest tool(L"planted");
  ToolStart start;
  start.startedIn = StartedIn::Planted;
  // Wine takes a library beside the program before its own only when told to, as Windows would.
  wchar_t overrides[1024] = {};
  ::GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
  start.environment = {{L"WINEDLLOVERRIDES", std::wstring(overrides) + L";wininet,version=n,b"}};
  ASSERT_TRUE(tool.Start(start));
  ASSERT_TRUE(tool.WaitForMainWindow());
  tool.RequestRemoval(L"5001330");
  for (const wchar_t* text : {FOUND_5001330.c_str(), DONE}) {
    PromptSeen prompt;
    ASSERT_TRUE(tool.WaitForPrompt(&prompt));
    EXPECT_EQ(text, prompt.text);
    ASSERT_TRUE(tool.Answer(prompt, IDC_PROMPT_OK));
  }
  EXPECT_EQ(1u, tool.WusaCommandLines().size());
  tool.RemovePlantsBesideTheTool();
  ASSERT_TRUE(tool.CloseAnsweringOther());
  EXPECT_TRUE(WaitUntil([&] { return !fs::exists(tool.Folder()); }, 15000));
  EXPECT_EQ(std::vector<std::wstring>(), tool.PlantMarks());
}

// Only the tool's own files go: one that appears in the three seconds after the exit stays, and
// the folder with it.
TEST_F(ToolSystemTest, AFileAddedAfterTheExitKeepsTheFolder) {
  ToolUnderTest tool(L"gains_a_file");
  ToolStart start;
  start.startedIn = StartedIn::ToolFolder;
  ASSERT_TRUE(tool.Start(start));
  ASSERT_TRUE(tool.WaitForMainWindow());
  ASSERT_TRUE(tool.CloseAnsweringOther(true));  // by Alt+F4, which does what the button does
  std::ofstream(tool.Folder() / L"新文件.txt") << "added";
  driver::PumpMessages(6000);
  EXPECT_TRUE(fs::exists(tool.Folder() / L"新文件.txt"));
  EXPECT_FALSE(fs::exists(tool.Folder() / L"TarnellSystemPatchUninstallTool.exe"));
}
