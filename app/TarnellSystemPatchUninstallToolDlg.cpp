#include "app/TarnellSystemPatchUninstallToolDlg.h"

#include "app/AboutDlg.h"
#include "app/SystemPatchUninstallToolDlg.h"
#include "app/ToolFolderRules.h"
#include "base/DesktopUser.h"
#include "base/ProgramFolder.h"
#include "base/WorkerThread.h"
#include "engine/ProcessRunner.h"
#include "framework/GdiObjects.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "ui/dialogs/ProblemSolvingFeedbackDlg.h"

#include <shlobj.h>

#include <optional>
#include <vector>

namespace {

constexpr UINT IDM_ABOUTBOX = 0x10;

// Explorer answers the folder removal's start from its own thread; a hung one must not keep the
// tool from ending, which then keeps its folder.
constexpr DWORD FOLDER_REMOVAL_START_LIMIT_MS = 10000;

// Folders of the system and of the user's profile: the tool's folder must be none of them and
// hold none of them.
bool HoldsAKnownFolder(const std::wstring& folder) {
  static const KNOWNFOLDERID* const known[] = {
      &FOLDERID_Windows,        &FOLDERID_System,          &FOLDERID_SystemX86,
      &FOLDERID_ProgramFiles,   &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramData,
      &FOLDERID_UserProfiles,   &FOLDERID_Profile,         &FOLDERID_Desktop,
      &FOLDERID_Documents,      &FOLDERID_Downloads,       &FOLDERID_LocalAppData,
      &FOLDERID_RoamingAppData, &FOLDERID_Public,          &FOLDERID_PublicDesktop};
  for (const KNOWNFOLDERID* id : known) {
    PWSTR path = nullptr;
    const bool found = SUCCEEDED(::SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &path));
    const bool holds = found && ContainsOrIsFolder(folder, path);
    ::CoTaskMemFree(path);
    if (holds) return true;
  }
  return false;
}

// Nothing when the folder cannot be listed whole.
std::optional<std::vector<FolderEntry>> FolderEntries(const std::wstring& folder) {
  std::vector<FolderEntry> entries;
  WIN32_FIND_DATAW found = {};
  const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (::FindNextFileW(search, &found));
  const bool whole = ::GetLastError() == ERROR_NO_MORE_FILES;
  ::FindClose(search);
  if (!whole) return std::nullopt;
  return entries;
}

}  // namespace

CTarnellSystemPatchUninstallToolDlg::CTarnellSystemPatchUninstallToolDlg(CWnd* parent)
    : CSkinFrameDlg(MainPairValues(), parent),
      m_icon(::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

std::unique_ptr<CSkinChildDlg> CTarnellSystemPatchUninstallToolDlg::NewControlsDialog() {
  return std::make_unique<CSystemPatchUninstallToolDlg>();
}

CSystemPatchUninstallToolDlg* CTarnellSystemPatchUninstallToolDlg::MainDialog() const {
  return static_cast<CSystemPatchUninstallToolDlg*>(ControlsDialog());
}

BOOL CTarnellSystemPatchUninstallToolDlg::OnInitDialog() {
  if (const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
    wchar_t about[128] = {};
    if (::LoadStringW(AfxGetResourceHandle(), IDS_ABOUTBOX, about, 128) > 0) {
      ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
    }
  }
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  SetWindowText(L"Dov10arevarez");  // the taskbar button's text
  m_scale = ScreenScaleFactor();
  // The picture, and the controls dialog with the start-up checks, which may end the process.
  CSkinFrameDlg::OnInitDialog();
  m_ran = MainDialog() != nullptr;
  return TRUE;
}

bool CTarnellSystemPatchUninstallToolDlg::OnSysCommand(WPARAM command) {
  if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
  CAboutDlg about;
  about.DoModal();
  return true;
}

// A minimised dialog draws its icon itself.
void CTarnellSystemPatchUninstallToolDlg::OnPaint() {
  const ScopedPaintDC paint(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()), 0);
  RECT client;
  GetClientRect(&client);
  const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(paint, x, y, m_icon);
}

// Closing always asks first whether the tool solved the problem.
void CTarnellSystemPatchUninstallToolDlg::OnClose() {
  CSystemPatchUninstallToolDlg* main = MainDialog();
  if (!main) return;
  CProblemSolvingFeedbackDlg feedback;
  feedback.SetFeedbackLibrary(main->FeedbackLibrary());
  feedback.SetDeviceType(main->DeviceType());
  feedback.DoModal();
}

int CTarnellSystemPatchUninstallToolDlg::RemoveToolFolder() {
  const std::wstring program = ModulePath(nullptr);
  const std::wstring folder = FolderOfPath(program);
  const std::wstring programName = program.substr(folder.size() + 1);
  if (IsRootFolder(folder) || HoldsAKnownFolder(folder) ||
      !HoldsOnlyToolFiles(FolderEntries(folder), programName)) {
    return 1;
  }
  const std::optional<std::wstring> command = FolderRemovalCommand(folder, programName);
  if (!command) return 1;
  // With the desktop user's rights, never more: in the three seconds the folder's owner can put
  // anything in place of these names. The interpreter gets a console of its own, hidden, which
  // timeout needs, and works outside the folder, which it could not remove while it was its
  // current directory. Where it cannot be started so, the folder is kept.
  const std::wstring system = SystemFolder();
  if (system.empty()) return 1;
  RunWorkerTask(
      [system, parameters = InterpreterParameters(*command)] {
        ShellExecuteForDesktopUser(system + L"\\cmd.exe", parameters, system, SW_HIDE);
      },
      FOLDER_REMOVAL_START_LIMIT_MS);
  return 1;
}

bool CTarnellSystemPatchUninstallToolDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                    LRESULT& result) {
  switch (message) {
    case WM_SYSCOMMAND:
      if (!OnSysCommand(wParam)) break;
      result = 0;
      return true;
    case WM_PAINT:
      if (!::IsIconic(m_hWnd)) break;
      OnPaint();
      result = 0;
      return true;
    case WM_QUERYDRAGICON: result = reinterpret_cast<LRESULT>(m_icon); return true;
    case WM_CLOSE: OnClose(); break;  // then the dialog's own close: the modal run ends
    case WM_DESTROY:
      CSkinFrameDlg::OnMessage(message, wParam, lParam, result);
      // Only after the ordinary run of the tool: a failed start leaves everything in place.
      if (m_ran) RemoveToolFolder();
      return true;
  }
  return CSkinFrameDlg::OnMessage(message, wParam, lParam, result);
}
