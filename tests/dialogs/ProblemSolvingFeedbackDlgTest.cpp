// The feedback question on a real screen, with the real feedback library beside the program
// and its journal of calls: geometry at the screen's scale, the code each answer reports, the
// wait dialog while the worker reports (also when the worker is done before it exists), clicks
// on a button's shadow margin, and a worker thread that cannot be created.
#include "tests/dialogs/SkinTestKit.h"

#include "base/TextConversion.h"
#include "base/WorkerThread.h"
#include "engine/SystemPatchEngine.h"
#include "host/FeedbackBridge.h"
#include "res/resource.h"
#include "ui/dialogs/ProblemSolvingFeedbackDlg.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

// Freed memory is overwritten, so that a worker still reading a dialog object that has gone
// fails at once instead of finding the old values.
void* operator new(size_t size) {
  if (void* block = ::HeapAlloc(::GetProcessHeap(), 0, size ? size : 1)) return block;
  throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
  if (!block) return;
  std::memset(block, 0xDD, ::HeapSize(::GetProcessHeap(), 0, block));
  ::HeapFree(::GetProcessHeap(), 0, block);
}
void operator delete(void* block, size_t) noexcept { operator delete(block); }

namespace {

constexpr wchar_t REPORT_WAIT_TEXT[] = L"正在清理临时文件，请稍等";

fs::path ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

fs::path FeedbackLogFile() {
  wchar_t common[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
  return fs::path(common) / L"ToolLog" / L"zeRidedid10irozoruvudov.txt";
}

// Thread creators for the workers: the system's, one whose threads wait for a gate before they
// run (the last one kept for the test to wait on), one that runs the worker to its end before
// it returns, and one that always fails.
HANDLE g_gate = nullptr;
HANDLE g_gatedWorker = nullptr;

struct Gated {
  LPTHREAD_START_ROUTINE proc;
  void* argument;
};

DWORD WINAPI RunAfterGate(LPVOID gated) {
  const std::unique_ptr<Gated> work(static_cast<Gated*>(gated));
  ::WaitForSingleObject(g_gate, INFINITE);
  return work->proc(work->argument);
}

HANDLE GatedThread(LPTHREAD_START_ROUTINE proc, void* argument) {
  const HANDLE thread =
      ::CreateThread(nullptr, 0, RunAfterGate, new Gated{proc, argument}, 0, nullptr);
  ::DuplicateHandle(::GetCurrentProcess(), thread, ::GetCurrentProcess(), &g_gatedWorker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return thread;
}

HANDLE FinishedBeforeReturning(LPTHREAD_START_ROUTINE proc, void* argument) {
  proc(argument);
  HANDLE self = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &self, 0,
                    FALSE, DUPLICATE_SAME_ACCESS);
  return self;
}

HANDLE NoThread(LPTHREAD_START_ROUTINE, void*) { return nullptr; }

struct FeedbackGeometry {
  float scale;
  SIZE frame;
  SIZE controls;
  SkinRect solved;
  SkinRect unsolved;
  SkinRect other;
};

const FeedbackGeometry GEOMETRY[] = {
    {1.0f, {410, 479}, {400, 468}, {67, 154, 333, 214}, {67, 234, 333, 294}, {67, 314, 333, 374}},
    // The solved button's left edge is truncated once, the others' twice.
    {1.2f, {492, 574}, {480, 562}, {80, 184, 399, 256}, {81, 280, 400, 352}, {81, 376, 400, 448}},
};

class FeedbackDlgTest : public ::testing::Test {
protected:
  void SetUp() override {
    static int s_test = 0;
    m_work = fs::temp_directory_path() /
             (L"feedback_dialog_test_" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
              std::to_wstring(++s_test));
    fs::create_directories(m_work);
    m_settings = ProgramFolder() / L"HalvexFeedbackInformation.ini";
    // The feedback page gets a query appended and then names no file: no browser starts.
    Set(L"Pages", L"Feedback", (m_work / L"feedback.cmd").wstring());
    Set(L"Records", L"Folder", (m_work / L"records").wstring());
    Set(L"Journal", L"File", (m_work / L"journal.txt").wstring());
    ASSERT_TRUE(m_library.Load());
    g_gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }

  void TearDown() override {
    SetThreadCreator(nullptr);
    ::SetEvent(g_gate);  // no worker waits for good
    ::CloseHandle(g_gate);
    if (g_gatedWorker) ::CloseHandle(g_gatedWorker);
    g_gatedWorker = nullptr;
    fs::remove(m_settings);
    std::error_code ignored;
    fs::remove_all(m_work, ignored);
  }

  void Set(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    ASSERT_TRUE(::WritePrivateProfileStringW(section, key, value.c_str(), m_settings.c_str()));
  }

  // The library's calls, without their time stamps.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    std::istringstream text(ReadFile(m_work / L"journal.txt"));
    for (std::string line; std::getline(text, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const size_t end = line.find("] ");
      calls.push_back(end == std::string::npos ? line : line.substr(end + 2));
    }
    return calls;
  }

  // Runs the dialog; `drive` gets its frame and controls dialog once both are shown. Whatever
  // the driver leaves open is closed afterwards: a wait dialog above it, then the frame.
  INT_PTR Run(int deviceType, const std::function<void(HWND frame, HWND controls)>& drive) {
    CProblemSolvingFeedbackDlg feedback;
    feedback.SetFeedbackLibrary(&m_library);
    feedback.SetDeviceType(deviceType);
    return RunModalWithDriver(
        feedback,
        [&] {
          ASSERT_TRUE(WaitUntilShown(feedback));
          drive(feedback.m_hWnd, ControlsWindowOf(feedback.m_hWnd));
        },
        [&] {
          const HWND frame = feedback.m_hWnd;
          const HWND wait = ControlsWindowOf(ControlsWindowOf(frame));
          if (wait) ::PostMessageW(wait, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
          if (frame) ::PostMessageW(frame, WM_CLOSE, 0, 0);
        });
  }

  CGdiplusSession m_gdiplus;
  CFeedbackBridge m_library;
  fs::path m_work;
  fs::path m_settings;
};

bool EndsByItself(HWND window) {
  return WaitUntil([&] { return !::IsWindow(window); }, 5000);
}

}  // namespace

TEST_F(FeedbackDlgTest, GeometryFollowsTheScreensScale) {
  const float scale = ScreenScaleFactor();
  const auto g = std::find_if(std::begin(GEOMETRY), std::end(GEOMETRY),
                              [&](const FeedbackGeometry& e) { return e.scale == scale; });
  ASSERT_NE(std::end(GEOMETRY), g) << "no expectations for scale " << scale;
  PngImage background;
  ASSERT_TRUE(LoadPngResource(background, IDP_FEEDBACK_CHILD));
  Run(0, [&](HWND frame, HWND controls) {
    MovePointer(0, 0);  // the pointer moves only once a window of ours is up
    const RECT f = WindowRectOf(frame);
    const RECT c = WindowRectOf(controls);
    EXPECT_EQ(L"Dov10arevarez", driver::GetText(frame));
    EXPECT_EQ(g->frame.cx, f.right - f.left);
    EXPECT_EQ(g->frame.cy, f.bottom - f.top);
    EXPECT_EQ(g->controls.cx, c.right - c.left);
    EXPECT_EQ(g->controls.cy, c.bottom - c.top);
    const struct {
      int id;
      SkinRect place;
      RECT slice;  // of the background picture, under the button
      UINT images;
    } buttons[] = {{IDC_FEEDBACK_SOLVED, g->solved, {67, 154, 333, 214}, IDP_SOLVED_NORMAL},
                   {IDC_FEEDBACK_UNSOLVED, g->unsolved, {67, 234, 333, 294}, IDP_UNSOLVED_NORMAL},
                   {IDC_FEEDBACK_OTHER, g->other, {67, 314, 333, 374}, IDP_OTHER_NORMAL}};
    for (const auto& b : buttons) {
      driver::ControlInfo info;
      ASSERT_TRUE(driver::FindControl(controls, b.id, &info));
      EXPECT_TRUE(info.visible);
      EXPECT_EQ(b.place, ToSkinRect(info.client)) << b.id;
      // Its own lettering, not hovered.
      const ButtonLook look(background.get(), b.slice, b.images, false, scale);
      EXPECT_TRUE(look.Shows(info.hwnd, 1)) << b.id;
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(controls, IDC_FEEDBACK_CLOSE)));
    RECT shot = f;
    ::InflateRect(&shot, 12, 12);
    SaveScreenshot(scale > 1.0f ? L"feedback_120dpi" : L"feedback", shot);
  });
}

TEST_F(FeedbackDlgTest, EachAnswerReportsItsCodeAndClosesTheDialog) {
  const struct {
    int button;
    int deviceType;
    int code;
    bool question;
    bool waitDialog;
  } answers[] = {
      {IDC_FEEDBACK_SOLVED, 0, 1, false, true},
      {IDC_FEEDBACK_UNSOLVED, 2, 2, true, true},
      {IDC_FEEDBACK_OTHER, 1, 3, true, false},
  };
  const std::regex report(
      R"re(CustomerFeedbackEx\("10069", "1\.9\.22\.1021", (\d+), "(-?\d+)", "(-?\d+)"\) = 1)re");
  for (const auto& a : answers) {
    SCOPED_TRACE(a.button);
    fs::remove(m_work / L"journal.txt");
    DialogCreationCount created;
    const long long before = static_cast<long long>(std::time(nullptr));
    const INT_PTR result = Run(a.deviceType, [&](HWND, HWND controls) {
      ClickAt(CentreOf(::GetDlgItem(controls, a.button)));
      EXPECT_TRUE(EndsByItself(controls));
    });
    const long long after = static_cast<long long>(std::time(nullptr));
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(a.waitDialog ? 4 : 2, created.Count());  // the wait pair, beside the feedback pair

    const std::vector<std::string> calls = Calls();
    ASSERT_EQ(a.question ? 2u : 1u, calls.size());
    std::smatch match;
    ASSERT_TRUE(std::regex_match(calls[0], match, report)) << calls[0];
    EXPECT_EQ(a.code, std::stoi(match[1]));
    const long long reported = std::stoll(match[2]);
    EXPECT_LE(before, reported);
    EXPECT_GE(after, reported);
    EXPECT_EQ(a.deviceType + 1, std::stoi(match[3]));
    if (a.question) {
      EXPECT_EQ(0u, calls[1].find("FeedbackQuestion(\"10069\", \"1.9.22.1021\") = "));
    }
  }
}

TEST_F(FeedbackDlgTest, TheWaitDialogStandsAboveWhileTheWorkerReports) {
  SetThreadCreator(GatedThread);
  Run(0, [&](HWND, HWND controls) {
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_UNSOLVED)));
    HWND waitFrame = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (waitFrame = ControlsWindowOf(controls)) != nullptr; }, 5000));
    HWND waitControls = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (waitControls = ControlsWindowOf(waitFrame)) != nullptr; }, 5000));
    ASSERT_TRUE(driver::WaitUntilPainted(waitControls, 5000));
    EXPECT_EQ(REPORT_WAIT_TEXT, driver::GetText(::GetDlgItem(waitControls, IDC_STATE_INFO)));
    EXPECT_FALSE(::IsWindowEnabled(controls));  // the wait is modal
    EXPECT_TRUE(Calls().empty());
    RECT shot = WindowRectOf(::GetWindow(controls, GW_OWNER));
    ::InflateRect(&shot, 12, 12);
    SaveScreenshot(L"feedback_wait", shot);

    ::SetEvent(g_gate);
    EXPECT_TRUE(EndsByItself(waitFrame));
    EXPECT_TRUE(EndsByItself(controls));
  });
  EXPECT_EQ(2u, Calls().size());
}

TEST_F(FeedbackDlgTest, AWorkerOutlivingItsDialogsEndsWithoutThem) {
  SetThreadCreator(GatedThread);
  Run(0, [&](HWND frame, HWND controls) {
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_SOLVED)));
    HWND wait = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (wait = ControlsWindowOf(controls)) != nullptr; }, 5000));
    // Both dialogs end while the worker has not even begun.
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ::PostMessageW(wait, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
    EXPECT_TRUE(EndsByItself(controls));
  });
  ASSERT_NE(nullptr, g_gatedWorker);
  ::SetEvent(g_gate);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_gatedWorker, 5000));
  DWORD exitCode = 0;
  ::GetExitCodeThread(g_gatedWorker, &exitCode);
  EXPECT_EQ(1u, exitCode);  // the report's worker ran to its end
  EXPECT_EQ(1u, Calls().size());
}

TEST_F(FeedbackDlgTest, AWorkerDoneBeforeTheWaitDialogExistsStillEndsIt) {
  SetThreadCreator(FinishedBeforeReturning);
  DialogCreationCount created;
  Run(0, [&](HWND, HWND controls) {
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_SOLVED)));
    EXPECT_TRUE(EndsByItself(controls)) << "a wait dialog was left open";
  });
  EXPECT_EQ(4, created.Count());
  EXPECT_EQ(1u, Calls().size());
}

TEST_F(FeedbackDlgTest, AClickOnAButtonsShadowMarginIsNoAnswer) {
  DialogCreationCount created;
  Run(0, [&](HWND frame, HWND controls) {
    for (int id : {IDC_FEEDBACK_SOLVED, IDC_FEEDBACK_UNSOLVED}) {
      const RECT r = WindowRectOf(::GetDlgItem(controls, id));
      ClickAt({r.left + 5, (r.top + r.bottom) / 2});
      ClickAt({(r.left + r.right) / 2, r.bottom - 4});
    }
    ASSERT_TRUE(WaitUntilInputHandled(controls));
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_TRUE(::IsWindowVisible(controls));
  });
  EXPECT_EQ(2, created.Count());
  EXPECT_TRUE(Calls().empty());
}

TEST_F(FeedbackDlgTest, KeysNeverEndOrHideIt) {
  bool stayed = false;
  Run(0, [&](HWND frame, HWND controls) {
    stayed = KeysLeavePairShown(frame, controls, ScreenPoint(controls, 20, 100));
  });
  EXPECT_TRUE(stayed);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(FeedbackDlgTest, AWorkerThatCannotStartIsLoggedAndTheDialogStays) {
  SetThreadCreator(NoThread);
  const struct {
    int button;
    const wchar_t* record;
  } failures[] = {
      {IDC_FEEDBACK_SOLVED, L"创建反馈解决线程失败"},
      {IDC_FEEDBACK_UNSOLVED, L"创建反馈未解决线程失败"},
      {IDC_FEEDBACK_CLOSE, L"创建反馈关闭线程失败"},  // hidden: its notification only
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.button);
    const size_t logged = ReadFile(FeedbackLogFile()).size();
    DialogCreationCount created;
    bool stayed = false;
    Run(0, [&](HWND frame, HWND controls) {
      const HWND button = ::GetDlgItem(controls, f.button);
      if (::IsWindowVisible(button)) {
        ClickAt(CentreOf(button));
      } else {
        ::PostMessageW(controls, WM_COMMAND, MAKEWPARAM(f.button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
      }
      ASSERT_TRUE(WaitUntilInputHandled(controls));
      stayed = ::IsWindowVisible(frame) && ::IsWindowVisible(controls);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(2, created.Count());  // no wait dialog
    EXPECT_TRUE(Calls().empty());
    // One record, in the ANSI code page, at the end of the log.
    const std::string added = ReadFile(FeedbackLogFile()).substr(logged);
    const std::string message = CodePageFromWide(f.record, CP_ACP);
    EXPECT_EQ('[', added.front());
    EXPECT_EQ(1, std::count(added.begin(), added.end(), '\n'));
    EXPECT_NE(std::string::npos, added.find("]   " + message)) << added;
  }
}
