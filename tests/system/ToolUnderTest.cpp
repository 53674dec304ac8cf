#include "tests/system/ToolUnderTest.h"

#include "base/TextConversion.h"
#include "res/resource.h"
#include "tests/dialogs/SkinTestKit.h"
#include "tests/feedback/FeedbackFiles.h"
#include "ui/controls/ControlGeometry.h"

#include <shlobj.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

fs::path TestProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

void WriteText(const fs::path& path, const std::wstring& text) {
  std::ofstream file(path, std::ios::binary);
  file << CodePageFromWide(text, CP_UTF8);
}

// Does the button show this image (normal or hover, stretched as a CPngButton stretches it)?
double Likeness(HWND button, UINT firstImage) {
  const RECT r = WindowRectOf(button);
  const ScreenPixels shot = CaptureScreen(r);
  double best = 1e9;
  for (UINT id : {firstImage, firstImage + 1}) {
    PngImage image;
    if (!LoadPngResource(image, id)) continue;
    const int width = static_cast<int>(image->GetWidth());
    const int height = static_cast<int>(image->GetHeight());
    const float scale = static_cast<float>(r.right - r.left) / width;
    const SkinRect source = ButtonImageSource(width, height, scale);
    best = std::min(
        best, MeanDifference(shot.pixels, RenderLikeButton(nullptr, {}, image.get(), ToRect(source),
                                                           r.right - r.left, r.bottom - r.top)));
  }
  return best;
}

// Named like the system's programs and libraries; each leaves a mark when it runs.
const wchar_t* const PLANTED_PROGRAMS[] = {L"cmd.exe"};
const wchar_t* const PLANTED_LIBRARIES[] = {L"wininet.dll", L"version.dll"};
const wchar_t* const PLANTED_SCRIPTS[] = {L"cmd.bat", L"powershell.bat", L"wusa.cmd",
                                          L"timeout.bat"};

void Plant(const fs::path& folder) {
  const fs::path here = TestProgramFolder();
  for (const wchar_t* name : PLANTED_PROGRAMS)
    fs::copy_file(here / L"planted_program.exe", folder / name);
  for (const wchar_t* name : PLANTED_LIBRARIES)
    fs::copy_file(here / L"planted_library.dll", folder / name);
  for (const wchar_t* name : PLANTED_SCRIPTS)
    WriteText(folder / name, L"@echo ran> \"%~f0.ran\"\r\n");
}

}  // namespace

std::wstring ToolLogFolder() {
  wchar_t common[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
  return std::wstring(common) + L"\\ToolLog\\";
}

ToolUnderTest::ToolUnderTest(const std::wstring& name)
    : m_work(TestProgramFolder() / L"runs" / name), m_folder(m_work / L"补丁 & 卸载工具") {
  std::error_code ignored;
  fs::remove_all(m_work, ignored);
  fs::create_directories(m_folder);
}

ToolUnderTest::~ToolUnderTest() {
  if (m_process) m_process.Terminate();
}

bool ToolUnderTest::Start(const ToolStart& start) {
  const fs::path here = TestProgramFolder();
  fs::copy_file(here / start.program, m_folder / start.program);
  const wchar_t* library = nullptr;
  switch (start.library) {
    case Library::Real: library = L"HalvexFeedbackInformation.dll"; break;
    case Library::StandIn: library = L"standin_feedback.dll"; break;
    case Library::MissingFunction: library = L"FeedbackMissingExport.dll"; break;
    case Library::None: break;
  }
  if (library) fs::copy_file(here / library, m_folder / L"HalvexFeedbackInformation.dll");
  if (start.foreignFile) WriteText(m_folder / L"我的笔记.txt", L"not the tool's");
  std::wstring currentFolder;
  if (start.startedIn == StartedIn::ToolFolder) currentFolder = m_folder.wstring();
  if (start.startedIn == StartedIn::Planted) {
    m_current = m_work / L"current";
    fs::create_directories(m_current);
    Plant(m_current);
    Plant(m_folder);
    currentFolder = m_current.wstring();
  }

  // The pages the library would open in a browser do not exist: nothing opens, the journal
  // still shows every call.
  const fs::path page = m_work / L"no-such-page.html";
  std::wstring settings = L"[Journal]\r\nEnabled=1\r\n[Pages]\r\n";
  for (const wchar_t* key : {L"Feedback", L"UseAgreement", L"ToolDownload"})
    settings += std::wstring(key) + L"=" + page.wstring() + L"\r\n";
  // Not a web address either: the library refuses it at once (under Wine the shell takes twenty
  // seconds to give up on a web address without a browser).
  settings += L"MoreTools=more-tools-page\r\n";
  if (!start.newestVersion.empty())
    settings += L"[NewestVersion]\r\n10069=" + start.newestVersion + L"\r\n";
  WriteText(m_folder / L"HalvexFeedbackInformation.ini", settings);

  ::SetEnvironmentVariableW(L"STANDIN_WUSA_LOG", (m_work / L"wusa.txt").c_str());
  ::SetEnvironmentVariableW(L"STANDIN_FEEDBACK_JOURNAL", (m_work / L"journal.txt").c_str());
  std::vector<std::pair<std::wstring, std::wstring>> before;
  for (const auto& variable : start.environment) {
    wchar_t value[4096] = {};
    before.emplace_back(
        variable.first,
        ::GetEnvironmentVariableW(variable.first.c_str(), value, 4096) ? value : L"");
    ::SetEnvironmentVariableW(variable.first.c_str(), variable.second.c_str());
  }
  m_journalStart = LengthOf(FeedbackJournal());
  m_process =
      StartedProcess::Start((m_folder / start.program).wstring(), start.arguments, currentFolder);
  for (const auto& variable : before) {
    ::SetEnvironmentVariableW(variable.first.c_str(),
                              variable.second.empty() ? nullptr : variable.second.c_str());
  }
  return static_cast<bool>(m_process);
}

bool ToolUnderTest::WaitForMainWindow(DWORD timeoutMs) {
  driver::WindowQuery frame;
  frame.title = L"Dov10arevarez";
  frame.className = L"#32770";
  frame.processId = m_process.id();
  m_frame = driver::WaitForWindow(frame, timeoutMs);
  if (!m_frame) return false;
  driver::WindowQuery main;
  main.owner = m_frame;
  main.processId = m_process.id();
  const bool found = driver::WaitUntil(
      [&] {
        m_main = driver::FindTopLevelWindow(main);
        return m_main && ::GetDlgItem(m_main, IDC_UNINSTALL);
      },
      timeoutMs);
  return found && driver::WaitUntilForeground(m_main, timeoutMs) &&
         driver::WaitUntilPainted(m_main, timeoutMs) && Idle();
}

namespace {

struct DialogSearch {
  DWORD process;
  int id;
  HWND found;
};

BOOL CALLBACK FindDialogHolding(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process != search->process || !::IsWindowVisible(hwnd) || !::GetDlgItem(hwnd, search->id))
    return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND ToolUnderTest::FindDialogWith(int id) const {
  DialogSearch search = {m_process.id(), id, nullptr};
  ::EnumWindows(FindDialogHolding, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool ToolUnderTest::WaitForPrompt(PromptSeen* prompt, DWORD timeoutMs) {
  HWND controls = nullptr;
  if (!driver::WaitUntil(
          [&] {
            controls = FindDialogWith(IDC_PROMPT_TEXT);
            return controls && ::IsWindowVisible(::GetDlgItem(controls, IDC_PROMPT_OK)) &&
                   driver::WaitUntilPainted(controls, 0);
          },
          timeoutMs)) {
    return false;
  }
  prompt->controls = controls;
  prompt->text = driver::GetText(::GetDlgItem(controls, IDC_PROMPT_TEXT));
  const HWND ok = ::GetDlgItem(controls, IDC_PROMPT_OK);
  // The lettering, once the screen shows the button (it may a moment after it was painted).
  double yesLikeness = 0, confirmLikeness = 0;
  driver::WaitUntil([&] {
    yesLikeness = Likeness(ok, IDP_YES_NORMAL);
    confirmLikeness = Likeness(ok, IDP_CONFIRM_NORMAL);
    return std::min(yesLikeness, confirmLikeness) < 8.0;
  }, 2000);
  const bool yes = yesLikeness < confirmLikeness;
  if (::IsWindowVisible(::GetDlgItem(controls, IDC_PROMPT_CANCEL))) {
    prompt->type = yes ? 2 : 4;
  } else {
    const RECT client = ClientRectOnScreen(controls);
    const RECT button = WindowRectOf(ok);
    const bool centred = std::abs((button.left + button.right) - (client.left + client.right)) <= 2;
    prompt->type = !centred ? 5 : yes ? 1 : 3;
  }
  return true;
}

bool ToolUnderTest::Answer(const PromptSeen& prompt, int buttonId) {
  buttonId ? driver::ClickCentre(::GetDlgItem(prompt.controls, buttonId))
           : driver::PressKey(VK_F4, {VK_MENU});
  return driver::WaitUntil([&] { return !::IsWindow(prompt.controls); }, 5000);
}

bool ToolUnderTest::Idle(DWORD timeoutMs) const {
  return driver::WaitUntilInputIdle(m_process.handle(), timeoutMs);
}

void ToolUnderTest::RequestRemoval(const std::wstring& number) {
  const HWND edit = Control(IDC_PATCH_EDIT);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(number.c_str()));
  driver::ClickCentre(Control(IDC_UNINSTALL));
}

bool ToolUnderTest::WaitForExit(DWORD timeoutMs, DWORD* exitCode) const {
  return m_process.WaitForExit(timeoutMs, exitCode);
}

bool ToolUnderTest::CloseAnsweringOther(bool altF4) {
  altF4 ? driver::PressKey(VK_F4, {VK_MENU}) : driver::ClickCentre(Control(IDC_BTN_CLOSE));
  HWND feedback = nullptr;
  if (!driver::WaitUntil([&] { return (feedback = FindDialogWith(IDC_FEEDBACK_OTHER)) != nullptr; },
                         5000) ||
      !driver::WaitUntilPainted(feedback, 5000)) {
    return false;
  }
  driver::ClickCentre(::GetDlgItem(feedback, IDC_FEEDBACK_OTHER));
  DWORD exitCode = 1;
  return WaitForExit(10000, &exitCode) && exitCode == 0;
}

void ToolUnderTest::RemovePlantsBesideTheTool() {
  std::error_code ignored;
  for (const wchar_t* name : PLANTED_PROGRAMS) fs::remove(m_folder / name, ignored);
  for (const wchar_t* name : PLANTED_LIBRARIES) fs::remove(m_folder / name, ignored);
  for (const wchar_t* name : PLANTED_SCRIPTS) fs::remove(m_folder / name, ignored);
}

std::vector<std::wstring> ToolUnderTest::PlantMarks() const {
  std::vector<std::wstring> marks;
  for (const fs::path& folder : {m_folder, m_current}) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
      if (entry.path().extension() == L".ran") marks.push_back(entry.path().wstring());
    }
  }
  return marks;
}

std::vector<std::string> ToolUnderTest::JournalLines() const {
  std::vector<std::string> lines = Lines(ReadBytes(m_work / L"journal.txt"));  // the stand-in's
  for (std::string& line : JournalLinesOf(m_process.id(), m_journalStart)) lines.push_back(line);
  return lines;
}

std::vector<std::string> ToolUnderTest::WusaCommandLines() const {
  return Lines(ReadBytes(m_work / L"wusa.txt"));
}

std::wstring ToolUnderTest::LogText(const wchar_t* fileName) const {
  return WideFromCodePage(ReadBytes(ToolLogFolder() + fileName), 936);
}
