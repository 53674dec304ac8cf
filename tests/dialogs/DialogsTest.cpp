// The tool's three dialogs on a real screen, at 96 and at 120 dots per inch: the prompt's
// buttons, places, lettering, answers, line breaks and dragging; the wait dialog's text, dots,
// places and its end whenever its worker closes it; the feedback question's places and reports
// through the real library (read back from its journal), its wait dialog and its failures; and
// keys that end no dialog.
#include "tests/dialogs/SkinTestKit.h"

#include "base/TextConversion.h"
#include "base/WorkerThread.h"
#include "engine/SystemPatchEngine.h"
#include "host/FeedbackBridge.h"
#include "res/resource.h"
#include "tests/feedback/FeedbackFiles.h"
#include "ui/dialogs/ExecutePromptDlg.h"
#include "ui/dialogs/ProblemSolvingFeedbackDlg.h"
#include "ui/dialogs/PromptDlg.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <regex>
#include <sstream>
#include <thread>
#include <utility>

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

// Places in the controls dialog's client area, and sizes, at each scale.
struct Expected {
  float scale;
  SIZE promptFrame, promptCreated, promptControls;
  SkinRect close, ok, cancel, okCentred, message;
  SIZE waitFrame, waitControls;
  SkinRect waitText;
  SIZE feedbackFrame, feedbackControls;
  SkinRect solved, unsolved, other;
};

// clang-format off
const Expected EXPECTED[] = {
    {1.0f, {336, 156}, {326, 146}, {326, 146}, {300, 8, 312, 20}, {96, 107, 151, 131},
     {175, 107, 230, 131}, {135, 107, 190, 131}, {10, 35, 316, 106},
     {232, 132}, {204, 104}, {10, 42, 194, 82},
     {410, 479}, {400, 468}, {67, 154, 333, 214}, {67, 234, 333, 294}, {67, 314, 333, 374}},
    // The 32-bit factor makes 10·s a little more than 12, so some sizes come out a pixel less;
    // the feedback buttons' left edges are truncated once (solved) or twice (the others).
    {1.2f, {403, 187}, {390, 174}, {391, 176}, {360, 9, 374, 23}, {114, 128, 180, 156},
     {209, 128, 275, 156}, {161, 128, 227, 156}, {12, 42, 379, 128},
     {278, 158}, {246, 125}, {12, 49, 233, 97},
     {492, 574}, {480, 562}, {80, 184, 399, 256}, {81, 280, 400, 352}, {81, 376, 400, 448}},
};
// clang-format on

const UINT YES[4] = {IDP_YES_NORMAL, IDP_YES_HOVER, IDP_YES_PRESSED, IDP_YES_PRESSED};
const UINT NO[4] = {IDP_NO_NORMAL, IDP_NO_HOVER, IDP_NO_PRESSED, IDP_NO_PRESSED};
const UINT CONFIRM[4] = {IDP_CONFIRM_NORMAL, IDP_CONFIRM_HOVER, IDP_CONFIRM_PRESSED,
                         IDP_CONFIRM_PRESSED};
const UINT CANCEL[4] = {IDP_CANCEL_NORMAL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED,
                        IDP_CANCEL_PRESSED};

// Report workers' threads: held at a gate until the test opens it (the last one kept to wait
// on), run to their end before the creator returns, or never created.
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

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool EndsByItself(HWND window) {
  return WaitUntil([&] { return !::IsWindow(window); }, 5000);
}

// Dark pixel rows of a screen rectangle, as runs of rows [first, last].
std::vector<std::pair<int, int>> InkRows(const RECT& area) {
  const ScreenPixels shot = CaptureScreen(area);
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < area.bottom - area.top; ++y) {
    bool ink = false;
    for (int x = area.left; x < area.right; ++x)
      ink = ink || GetGValue(shot.At(x, area.top + y)) < 128;
    if (ink && !runs.empty() && runs.back().second == y - 1) runs.back().second = y;
    if (ink && (runs.empty() || runs.back().second != y)) runs.push_back({y, y});
  }
  return runs;
}

// Width of the white text in a window.
int WhiteWidth(HWND window) {
  const RECT r = WindowRectOf(window);
  const ScreenPixels shot = CaptureScreen(r);
  int left = r.right;
  int right = r.left - 1;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) {
      if (GetRValue(shot.At(x, y)) > 200 && GetBValue(shot.At(x, y)) > 200 &&
          GetGValue(shot.At(x, y)) > 200) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
    }
  }
  return std::max(0, right - left + 1);
}

class DialogsTest : public ::testing::Test {
protected:
  void SetUp() override {
    const auto e = std::find_if(std::begin(EXPECTED), std::end(EXPECTED),
                                [&](const Expected& x) { return x.scale == m_scale; });
    ASSERT_NE(std::end(EXPECTED), e) << "no expectations for scale " << m_scale;
    m_expected = *e;
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    m_settings = fs::path(program).parent_path() / L"HalvexFeedbackInformation.ini";
    m_work =
        fs::temp_directory_path() / (L"dialogs_test_" + std::to_wstring(::GetCurrentProcessId()));
    fs::create_directories(m_work);
    // The feedback page gets a query appended and then names no file: no browser starts.
    const struct {
      const wchar_t* section;
      const wchar_t* key;
      fs::path value;
    } settings[] = {{L"Pages", L"Feedback", m_work / L"feedback.cmd"},
                    {L"Journal", L"Enabled", L"1"}};
    for (const auto& s : settings) {
      ::WritePrivateProfileStringW(s.section, s.key, s.value.c_str(), m_settings.c_str());
    }
    ASSERT_TRUE(m_library.Load());
    ASSERT_TRUE(LoadPngResource(m_promptPicture, IDP_PROMPT_CHILD));
    ASSERT_TRUE(LoadPngResource(m_feedbackPicture, IDP_FEEDBACK_CHILD));
    g_gate = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }

  void TearDown() override {
    SetThreadCreator(nullptr);
    ::SetEvent(g_gate);  // no worker waits for good
    ::CloseHandle(g_gate);
    if (g_gatedWorker) ::CloseHandle(std::exchange(g_gatedWorker, nullptr));
    fs::remove(m_settings);
    std::error_code ignored;
    fs::remove_all(m_work, ignored);
  }

  // The feedback library's calls so far, without their time stamps.
  std::vector<std::string> Calls() const {
    std::vector<std::string> calls;
    for (const std::string& line : JournalLinesOf(::GetCurrentProcessId(), m_journalStart))
      calls.push_back(line.substr(line.find("] ") + 2));
    return calls;
  }

  // Runs a dialog; `drive` gets its frame and controls dialog once both are on screen. What the
  // driver leaves open is ended afterwards: a wait dialog by its close message, then the rest.
  INT_PTR Run(CSkinFrameDlg& dialog, const std::function<void(HWND frame, HWND controls)>& drive) {
    return RunModalWithDriver(
        dialog,
        [&] {
          ASSERT_TRUE(WaitUntilShown(dialog));
          drive(dialog.m_hWnd, ControlsWindowOf(dialog.m_hWnd));
        },
        [&] {
          const HWND frame = dialog.m_hWnd;
          for (HWND wait : {ControlsWindowOf(ControlsWindowOf(frame)), frame}) {
            if (wait) ::PostMessageW(wait, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
          }
          if (frame) ::PostMessageW(frame, WM_CLOSE, 0, 0);
        });
  }

  INT_PTR RunPrompt(int type, const std::wstring& text,
                    const std::function<void(HWND, HWND)>& drive) {
    CPromptDlg prompt;
    prompt.m_scale = m_scale;
    prompt.SetPromptText(text);
    prompt.SetPromptType(type);
    return Run(prompt, drive);
  }

  INT_PTR RunFeedback(int deviceType, const std::function<void(HWND, HWND)>& drive) {
    CProblemSolvingFeedbackDlg feedback;
    feedback.SetFeedbackLibrary(&m_library);
    feedback.SetDeviceType(deviceType);
    return Run(feedback, drive);
  }

  void Screenshot(const std::wstring& name, HWND frame) const {
    RECT r = WindowRectOf(frame);
    ::InflateRect(&r, 12, 12);
    SaveScreenshot(name + (m_scale > 1.0f ? L"_120dpi" : L""), r);
  }

  CGdiplusSession m_gdiplus;
  float m_scale = ScreenScaleFactor();
  Expected m_expected = {};
  PngImage m_promptPicture;  // the controls dialogs' pictures, sliced under their buttons
  PngImage m_feedbackPicture;
  CFeedbackBridge m_library;
  fs::path m_settings;
  fs::path m_work;
  std::uintmax_t m_journalStart = LengthOf(FeedbackJournal());
};

SkinRect PlaceOf(HWND controls, int id) {
  driver::ControlInfo info;
  return driver::FindControl(controls, id, &info) ? ToSkinRect(info.client) : SkinRect{};
}

bool HasSize(HWND window, SIZE size) {
  const RECT r = WindowRectOf(window);
  return r.right - r.left == size.cx && r.bottom - r.top == size.cy;
}

}  // namespace

TEST_F(DialogsTest, PromptShowsTheButtonsOfItsTypeInPlace) {
  const struct {
    int type;
    const UINT (&ok)[4];
    const UINT (&cancel)[4];
    const UINT (&otherOk)[4];  // the other lettering, which must not fit
    bool cancelShown;
    bool okCentred;
  } cases[] = {{PROMPT_YES, YES, NO, CONFIRM, false, true},
               {PROMPT_YES_NO, YES, NO, CONFIRM, true, false},
               {PROMPT_CONFIRM, CONFIRM, CANCEL, YES, false, true},
               {PROMPT_CONFIRM_CANCEL, CONFIRM, CANCEL, YES, true, false},
               {7, YES, NO, CONFIRM, false, false}};  // 是 alone, where it stands beside 否
  const Expected& e = m_expected;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    WindowLog log;
    HWND controlsSeen = nullptr;
    RunPrompt(c.type, L"确定要卸载补丁 KB4516058 吗？", [&](HWND frame, HWND controls) {
      controlsSeen = controls;
      MovePointer(0, 0);
      EXPECT_TRUE(HasSize(frame, e.promptFrame));
      const HWND ok = ::GetDlgItem(controls, IDC_PROMPT_OK);
      const HWND cancel = ::GetDlgItem(controls, IDC_PROMPT_CANCEL);
      EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(controls, IDC_BTN_CLOSE)) &&
                  ::IsWindowVisible(ok));
      EXPECT_EQ(c.cancelShown, ::IsWindowVisible(cancel) != FALSE);
      EXPECT_EQ(e.close, PlaceOf(controls, IDC_BTN_CLOSE));
      EXPECT_EQ(c.okCentred ? e.okCentred : e.ok, PlaceOf(controls, IDC_PROMPT_OK));
      EXPECT_EQ(e.cancel, PlaceOf(controls, IDC_PROMPT_CANCEL));
      EXPECT_EQ(e.message, PlaceOf(controls, IDC_PROMPT_TEXT));
      EXPECT_TRUE(
          ButtonLook(m_promptPicture.get(), {106, 107, 161, 131}, c.ok, false, 1).Shows(ok, 1));
      EXPECT_EQ(0, ButtonLook(m_promptPicture.get(), {106, 107, 161, 131}, c.otherOk, false, 1)
                       .ShownState(ok));
      if (c.cancelShown) {
        EXPECT_TRUE(ButtonLook(m_promptPicture.get(), {185, 107, 240, 131}, c.cancel, false, 1)
                        .Shows(cancel, 1));
      }
      Screenshot(c.type <= 4 ? L"prompt_type" + std::to_wstring(c.type) : L"prompt_type_other",
                 frame);
    });
    const std::vector<SIZE> sizes = log.SizesOf(controlsSeen);
    auto is = [](SIZE expected) {
      return [expected](SIZE s) { return s.cx == expected.cx && s.cy == expected.cy; };
    };
    EXPECT_TRUE(std::any_of(sizes.begin(), sizes.end(), is(e.promptCreated)));  // frame placed it
    EXPECT_TRUE(!sizes.empty() && is(e.promptControls)(sizes.back()));          // then carried it
  }
}

TEST_F(DialogsTest, PromptAnswersRealClicks) {
  const struct {
    int type;
    int button;
    INT_PTR result;
  } clicks[] = {{PROMPT_CONFIRM_CANCEL, IDC_PROMPT_OK, IDOK},
                {PROMPT_CONFIRM_CANCEL, IDC_PROMPT_CANCEL, IDCANCEL},
                {PROMPT_YES_NO, IDC_PROMPT_CANCEL, IDCANCEL},
                {PROMPT_YES, IDC_PROMPT_OK, IDOK},
                {PROMPT_CONFIRM, IDC_BTN_CLOSE, IDCANCEL}};
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.button);
    EXPECT_EQ(c.result, RunPrompt(c.type, L"操作完成。", [&](HWND, HWND controls) {
                ClickAt(CentreOf(::GetDlgItem(controls, c.button)));
                EXPECT_TRUE(EndsByItself(controls));  // by the click, not by the test
              }));
  }
}

TEST_F(DialogsTest, PromptShowsAnEmptyLineForTwoLineBreaks) {
  std::vector<std::pair<int, int>> runs[2];
  int i = 0;
  for (const wchar_t* text : {L"第一行文字\r\n第二行文字", L"第一行文字\r\n\r\n第三行文字"}) {
    RunPrompt(PROMPT_CONFIRM, text, [&](HWND frame, HWND controls) {
      // The screen may show the painted text a moment later.
      WaitUntil([&] {
        runs[i] = InkRows(WindowRectOf(::GetDlgItem(controls, IDC_PROMPT_TEXT)));
        return runs[i].size() == 2;
      }, 2000);
      if (i == 1) Screenshot(L"prompt_empty_line", frame);
    });
    ASSERT_EQ(2u, runs[i++].size());
  }
  const int lineHeight = runs[0][1].first - runs[0][0].first;
  EXPECT_GE(runs[1][1].first - runs[1][0].second - 1, lineHeight);  // an empty line between
}

TEST_F(DialogsTest, PromptDragsByItsTitleBandOnly) {
  const struct {
    POINT at;  // in the controls dialog at scale 1.0
    bool moves;
  } drags[] = {{{8, 120}, false}, {{150, 60}, false}, {{40, 12}, true}};
  for (const auto& d : drags) {
    RunPrompt(PROMPT_CONFIRM, L"拖动", [&](HWND frame, HWND controls) {
      const RECT frame0 = WindowRectOf(frame);
      const RECT controls0 = WindowRectOf(controls);
      const POINT p =
          ScreenPoint(controls, ScaledTrunc(d.at.x, m_scale), ScaledTrunc(d.at.y, m_scale));
      EXPECT_TRUE(Drag(controls, p.x, p.y, 60, 40));
      const int dx = d.moves ? 60 : 0;
      const int dy = d.moves ? 40 : 0;
      EXPECT_EQ(frame0.left + dx, WindowRectOf(frame).left);
      EXPECT_EQ(frame0.top + dy, WindowRectOf(frame).top);
      EXPECT_EQ(controls0.left + dx, WindowRectOf(controls).left);
      EXPECT_EQ(controls0.top + dy, WindowRectOf(controls).top);
    });
  }
}

TEST_F(DialogsTest, WaitShowsItsTextOrTheRepairTextInPlace) {
  const struct {
    const wchar_t* text;
    const wchar_t* shown;
  } texts[] = {{L"", L"正在修复，请稍等"},
               {L"等", L"正在修复，请稍等"},
               {L"请稍", L"请稍"},
               {L"正在清理临时文件，请稍等", L"正在清理临时文件，请稍等"}};
  for (const auto& t : texts) {
    CExecutePromptDlg wait;
    wait.m_scale = m_scale;
    wait.SetExecuteText(t.text);
    Run(wait, [&](HWND frame, HWND controls) {
      const HWND status = ::GetDlgItem(controls, IDC_STATE_INFO);
      EXPECT_EQ(t.shown, driver::GetText(status));
      EXPECT_TRUE(HasSize(frame, m_expected.waitFrame) &&
                  HasSize(controls, m_expected.waitControls));
      EXPECT_EQ(ScaledTrunc(14, m_scale), WindowRectOf(controls).left - WindowRectOf(frame).left);
      EXPECT_EQ(ScaledTrunc(12, m_scale), WindowRectOf(controls).top - WindowRectOf(frame).top);
      EXPECT_EQ(m_expected.waitText, PlaceOf(controls, IDC_STATE_INFO));
      Screenshot(L"wait", frame);
    });
  }
}

TEST_F(DialogsTest, WaitDotsStepOnceASecond) {
  CExecutePromptDlg wait;
  std::vector<std::pair<ULONGLONG, int>> steps;  // when the text's width changed, and to what
  Run(wait, [&](HWND, HWND controls) {
    const ULONGLONG start = ::GetTickCount64();
    while (::GetTickCount64() - start < 4700) {
      const int width = WhiteWidth(::GetDlgItem(controls, IDC_STATE_INFO));
      if (width > 0 && (steps.empty() || steps.back().second != width))  // 0: not on screen yet
        steps.push_back({::GetTickCount64(), width});
      ::Sleep(50);  // sampling period
    }
  });
  // Any four steps in a row: a dot more three times, and once back to the bare text.
  ASSERT_GE(steps.size(), 5u);
  int longer = 0;
  for (size_t i = 1; i < 5; ++i) {
    longer += steps[i].second > steps[i - 1].second;
    const double step = static_cast<double>(steps[i].first - steps[i - 1].first);
    EXPECT_TRUE(i == 1 || (step > 700 && step < 1300)) << step;
  }
  EXPECT_EQ(3, longer);
}

TEST_F(DialogsTest, WaitCannotBeDragged) {
  CExecutePromptDlg wait;
  wait.m_scale = m_scale;
  Run(wait, [&](HWND frame, HWND controls) {
    const RECT f = WindowRectOf(frame);
    const RECT c = WindowRectOf(controls);
    for (POINT p :
         {POINT{c.left + 20, c.top + 5}, CentreOf(controls), POINT{f.left + 4, f.top + 60}}) {
      EXPECT_TRUE(Drag(controls, p.x, p.y, 50, 30));
      EXPECT_EQ(ToSkinRect(f), ToSkinRect(WindowRectOf(frame)));
      EXPECT_EQ(ToSkinRect(c), ToSkinRect(WindowRectOf(controls)));
    }
  });
}

TEST_F(DialogsTest, WaitEndsWithOkWheneverItsWorkerClosesIt) {
  // Rounds: a worker done before DoModal; workers racing DoModal by up to 7 ms; a Close() and
  // the close message once the dialog is shown. A watchdog ends a dialog whose close was lost.
  int beforeTheWindow = 0;
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    CExecutePromptDlg wait;
    WindowLog log;
    if (round == 0) std::thread([&] { wait.Close(); }).join();
    std::thread worker([&] {
      if (round > 0 && round < 38) {
        for (const ULONGLONG until = ::GetTickCount64() + round % 8; ::GetTickCount64() < until;) {
        }
        beforeTheWindow += log.DialogsMade() == 0;
        wait.Close();
      } else if (round >= 38 && WaitUntilShown(wait)) {
        if (round == 38) wait.Close();
        if (round == 39) ::SendMessageW(wait.m_hWnd, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
      }
    });
    std::atomic<bool> ended{false};
    bool rescued = false;
    std::thread watchdog([&] {
      if (WaitUntil([&] { return ended.load(); }, 10000)) return;
      rescued = true;
      while (!ended) {
        ::PostMessageW(wait.m_hWnd, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
        driver::PumpMessages(100);
      }
    });
    EXPECT_EQ(IDOK, wait.DoModal());
    ended = true;
    worker.join();
    watchdog.join();
    EXPECT_FALSE(rescued) << "the close was lost";
  }
  std::printf("%d racing workers closed before the window existed\n", beforeTheWindow);
}

TEST_F(DialogsTest, WaitIgnoresACloseAfterItsEnd) {
  CExecutePromptDlg first;
  HWND gone = nullptr;
  Run(first, [&](HWND frame, HWND) {
    gone = frame;
    first.Close();
  });
  CExecutePromptDlg second;
  bool stayed = false;
  Run(second, [&](HWND frame, HWND controls) {
    first.Close();
    ::SendMessageW(gone, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
    stayed = frame != gone && WaitUntilInputHandled(controls) && ::IsWindowVisible(frame);
  });
  EXPECT_TRUE(stayed);
}

// A prompt's Alt+F4 answers it as its close box does (the tool's own test shows it).
TEST_F(DialogsTest, KeysAndWindowClosingEndNoControlsDialog) {
  CExecutePromptDlg wait;
  CProblemSolvingFeedbackDlg feedback;
  for (CSkinFrameDlg* dialog : std::initializer_list<CSkinFrameDlg*>{&wait, &feedback}) {
    bool stayed = false;
    Run(*dialog, [&](HWND frame, HWND controls) {
      stayed = KeysLeavePairShown(frame, controls, ScreenPoint(controls, 5, 60));
      // Nothing but its worker ends the wait: not closing its window, nor OK or cancel.
      const std::pair<UINT, WPARAM> closings[] = {
          {WM_CLOSE, 0}, {WM_SYSCOMMAND, SC_CLOSE}, {WM_COMMAND, IDOK}, {WM_COMMAND, IDCANCEL}};
      for (const auto& c : closings) {
        if (dialog == &wait) ::PostMessageW(frame, c.first, c.second, 0);
      }
      stayed = stayed && WaitUntilInputHandled(controls) && ::IsWindowVisible(frame);
    });
    EXPECT_TRUE(stayed);
  }
  EXPECT_TRUE(Calls().empty());
}

TEST_F(DialogsTest, FeedbackButtonsStandInPlace) {
  const Expected& e = m_expected;
  RunFeedback(0, [&](HWND frame, HWND controls) {
    MovePointer(0, 0);
    EXPECT_EQ(L"Dov10arevarez", driver::GetText(frame));
    EXPECT_TRUE(HasSize(frame, e.feedbackFrame) && HasSize(controls, e.feedbackControls));
    const struct {
      int id;
      SkinRect place;
      UINT images;
    } buttons[] = {{IDC_FEEDBACK_SOLVED, e.solved, IDP_SOLVED_NORMAL},
                   {IDC_FEEDBACK_UNSOLVED, e.unsolved, IDP_UNSOLVED_NORMAL},
                   {IDC_FEEDBACK_OTHER, e.other, IDP_OTHER_NORMAL}};
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(buttons[i].place, PlaceOf(controls, buttons[i].id));
      const ButtonLook look(m_feedbackPicture.get(), {67, 154 + 80 * i, 333, 214 + 80 * i},
                            buttons[i].images, false, 1);
      EXPECT_TRUE(look.Shows(::GetDlgItem(controls, buttons[i].id), 1)) << buttons[i].id;
    }
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(controls, IDC_FEEDBACK_CLOSE)));
    Screenshot(L"feedback", frame);
  });
}

TEST_F(DialogsTest, FeedbackAnswersAreReportedWithTheirCodes) {
  const struct {
    int button;
    int deviceType;
    int code;
    bool question;
    bool waitDialog;
  } answers[] = {{IDC_FEEDBACK_SOLVED, 0, 1, false, true},
                 {IDC_FEEDBACK_UNSOLVED, 2, 2, true, true},
                 {IDC_FEEDBACK_OTHER, 1, 3, true, false}};
  const std::regex report(
      R"re(CustomerFeedbackEx\("10069", "1\.9\.22\.1021", (\d), "(\d+)", "(\d+)"\) = 1)re");
  for (const auto& a : answers) {
    SCOPED_TRACE(a.button);
    m_journalStart = LengthOf(FeedbackJournal());
    WindowLog log;
    const long long before = std::time(nullptr);
    EXPECT_EQ(IDCANCEL, RunFeedback(a.deviceType, [&](HWND, HWND controls) {
                ClickAt(CentreOf(::GetDlgItem(controls, a.button)));
                EXPECT_TRUE(EndsByItself(controls));
              }));
    EXPECT_EQ(a.waitDialog ? 4 : 2, log.DialogsMade());  // the wait pair besides the feedback pair
    const std::vector<std::string> calls = Calls();
    std::smatch m;
    ASSERT_EQ(a.question ? 2u : 1u, calls.size());
    ASSERT_TRUE(std::regex_match(calls[0], m, report)) << calls[0];
    EXPECT_EQ(a.code, std::stoi(m[1]));
    EXPECT_TRUE(std::stoll(m[2]) >= before && std::stoll(m[2]) <= std::time(nullptr)) << m[2];
    EXPECT_EQ(a.deviceType + 1, std::stoi(m[3]));
    EXPECT_TRUE(!a.question ||
                calls[1].find("FeedbackQuestion(\"10069\", \"1.9.22.1021\") = ") == 0);
  }
}

TEST_F(DialogsTest, FeedbackWaitDialogStandsAboveAWorkerThatMayOutliveBoth) {
  SetThreadCreator(GatedThread);
  RunFeedback(0, [&](HWND frame, HWND controls) {
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_UNSOLVED)));
    HWND wait = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return ControlsWindowOf(wait = ControlsWindowOf(controls)) != nullptr; }, 5000));
    const HWND waitControls = ControlsWindowOf(wait);
    ASSERT_TRUE(driver::WaitUntilPainted(waitControls, 5000));
    EXPECT_EQ(L"正在清理临时文件，请稍等",
              driver::GetText(::GetDlgItem(waitControls, IDC_STATE_INFO)));
    EXPECT_FALSE(::IsWindowEnabled(controls));
    Screenshot(L"feedback_wait", frame);
    // Both dialogs end before the worker has begun.
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    ::PostMessageW(wait, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
    EXPECT_TRUE(EndsByItself(controls));
  });
  ::SetEvent(g_gate);
  ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(g_gatedWorker, 5000));
  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeThread(g_gatedWorker, &exitCode) && exitCode == 1);  // ran to its end
  EXPECT_EQ(2u, Calls().size());
}

TEST_F(DialogsTest, FeedbackWorkerDoneBeforeTheWaitDialogExistsStillEndsIt) {
  SetThreadCreator(FinishedBeforeReturning);
  RunFeedback(0, [&](HWND, HWND controls) {
    ClickAt(CentreOf(::GetDlgItem(controls, IDC_FEEDBACK_SOLVED)));
    EXPECT_TRUE(EndsByItself(controls)) << "a wait dialog was left open";
  });
  EXPECT_EQ(1u, Calls().size());
}

TEST_F(DialogsTest, FeedbackClicksOnAButtonsShadowMarginAreNoAnswer) {
  WindowLog log;
  RunFeedback(0, [&](HWND frame, HWND controls) {
    for (int id : {IDC_FEEDBACK_SOLVED, IDC_FEEDBACK_UNSOLVED}) {
      const RECT r = WindowRectOf(::GetDlgItem(controls, id));
      ClickAt({r.left + 5, (r.top + r.bottom) / 2});
      ClickAt({(r.left + r.right) / 2, r.bottom - 4});
    }
    EXPECT_TRUE(WaitUntilInputHandled(controls) && ::IsWindowVisible(frame));
  });
  EXPECT_EQ(2, log.DialogsMade());
  EXPECT_TRUE(Calls().empty());
}

TEST_F(DialogsTest, FeedbackWorkerThatCannotStartIsLoggedAndTheDialogStays) {
  SetThreadCreator(NoThread);
  wchar_t common[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
  const fs::path logFile = fs::path(common) / L"ToolLog" / L"zeRidedid10irozoruvudov.txt";
  const struct {
    int button;
    const wchar_t* record;
  } failures[] = {{IDC_FEEDBACK_SOLVED, L"创建反馈解决线程失败"},
                  {IDC_FEEDBACK_UNSOLVED, L"创建反馈未解决线程失败"},
                  {IDC_FEEDBACK_CLOSE, L"创建反馈关闭线程失败"}};  // hidden: its notification only
  for (const auto& f : failures) {
    SCOPED_TRACE(f.button);
    const size_t logged = ReadFile(logFile).size();
    WindowLog log;
    bool stayed = false;
    RunFeedback(0, [&](HWND frame, HWND controls) {
      const HWND button = ::GetDlgItem(controls, f.button);
      if (::IsWindowVisible(button))
        ClickAt(CentreOf(button));
      else
        ::PostMessageW(controls, WM_COMMAND, MAKEWPARAM(f.button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
      stayed = WaitUntilInputHandled(controls) && ::IsWindowVisible(frame) &&
               ::IsWindowVisible(controls);
    });
    EXPECT_TRUE(stayed);
    EXPECT_EQ(2, log.DialogsMade());  // no wait dialog
    EXPECT_TRUE(Calls().empty());
    const std::string added = ReadFile(logFile).substr(logged);  // one record, ANSI code page
    EXPECT_EQ(1, std::count(added.begin(), added.end(), '\n'));
    EXPECT_NE(std::string::npos, added.find("]   " + CodePageFromWide(f.record, CP_ACP))) << added;
  }
}
