#pragma once
// The tool started as a user starts it: from a copy of its folder whose path holds a blank and
// "&", with a feedback library beside it, in the test's Wine prefix; found and driven through
// its windows from this process. What it did is read from the feedback library's journal, the
// stand-in wusa's record of its command lines and the tool's log.
#include "tests/driver/StartedProcess.h"
#include "tests/driver/WindowDriver.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

enum class Library {
  Real,             // the feedback library, with a journal
  StandIn,          // the stand-in: answers from STANDIN_FEEDBACK_INIT / _VERSION
  MissingFunction,  // the real library without its last name
  None,
};

// Where the tool is started: its current directory.
enum class StartedIn {
  TestFolder,  // the test program's own
  ToolFolder,  // the tool's folder, as a double click in Explorer starts it
  Planted,     // a folder of its own holding programs and scripts named like the system's
};

struct ToolStart {
  std::wstring program = L"TarnellSystemPatchUninstallTool.exe";  // or main_window_host.exe
  std::wstring arguments;
  Library library = Library::Real;
  // The real library's newest version of the tool; empty: the tool's own (no update notice).
  std::wstring newestVersion;
  std::vector<std::pair<std::wstring, std::wstring>> environment;
  bool foreignFile = false;  // a file of the user's beside the program
  // Planted also puts the programs, scripts and libraries beside the program.
  StartedIn startedIn = StartedIn::TestFolder;
};

// What a prompt shows: its text and its type (1 to 4; 5 for the one button lettered 是 at the
// left, the type outside the four).
struct PromptSeen {
  HWND controls = nullptr;
  std::wstring text;
  int type = 0;
};

class ToolUnderTest {
public:
  explicit ToolUnderTest(const std::wstring& name);
  ~ToolUnderTest();
  ToolUnderTest(const ToolUnderTest&) = delete;
  ToolUnderTest& operator=(const ToolUnderTest&) = delete;

  // Copies the program and the library, writes the library's settings, starts the program.
  bool Start(const ToolStart& start);
  // The main window's frame and controls dialog, once shown, in front and painted.
  bool WaitForMainWindow(DWORD timeoutMs = 15000);
  HWND Frame() const { return m_frame; }
  HWND Main() const { return m_main; }
  HWND Control(int id) const { return ::GetDlgItem(m_main, id); }

  // The controls dialog of a visible prompt of the tool, shown and painted.
  bool WaitForPrompt(PromptSeen* prompt, DWORD timeoutMs = 10000);
  // A controls dialog of the tool that holds control `id` (1000: the wait dialog, 1002: the
  // feedback dialog), visible; nullptr when none is.
  HWND FindDialogWith(int id) const;
  // Clicks a button of a prompt (1006 OK, 1007 cancel, 1004 close), or presses Alt+F4 (0), and
  // waits until it is gone: a prompt found afterwards is a new one.
  bool Answer(const PromptSeen& prompt, int buttonId);
  // Waits until the tool has handled the input it was sent and has nothing more to do.
  bool Idle(DWORD timeoutMs = 5000) const;
  // Types the text into the patch-number box (replacing what it holds) and clicks Uninstall.
  void RequestRemoval(const std::wstring& number);

  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode) const;
  // Closes the main window, answers the feedback question with "other" and waits until the
  // process has ended with code 0.
  bool CloseAnsweringOther(bool altF4 = false);
  // Takes the planted files out of the tool's folder, which is the tool's own alone again.
  void RemovePlantsBesideTheTool();
  // The marks that planted programs, scripts and libraries leave when they run.
  std::vector<std::wstring> PlantMarks() const;
  HANDLE Process() const { return m_process.handle(); }
  DWORD ProcessId() const { return m_process.id(); }
  const std::filesystem::path& Folder() const { return m_folder; }

  std::vector<std::string> JournalLines() const;        // the real library's, and the stand-in's
  std::vector<std::string> WusaCommandLines() const;    // UTF-8
  std::wstring LogText(const wchar_t* fileName) const;  // from the tool's log folder

private:
  std::filesystem::path m_work;    // the test's own folder
  std::filesystem::path m_folder;  // the copy of the tool's folder
  std::filesystem::path m_current;  // the planted current directory
  std::uintmax_t m_journalStart = 0;  // the feedback journal's length when the tool started
  StartedProcess m_process;
  HWND m_frame = nullptr;
  HWND m_main = nullptr;
};

// The tool's log folder under the common application-data folder, ending in a backslash.
std::wstring ToolLogFolder();
