#include "ui/dialogs/ProblemSolvingFeedbackChildDlg.h"

#include "base/TextConversion.h"
#include "base/ToolIdentity.h"
#include "base/WorkerThread.h"
#include "host/FeedbackBridge.h"
#include "log/LogSave.h"
#include "res/resource.h"
#include "ui/dialogs/ExecutePromptDlg.h"

#include <ctime>

namespace {

constexpr char FEEDBACK_LOG_FILE[] = "zeRidedid10irozoruvudov.txt";
constexpr wchar_t REPORT_WAIT_TEXT[] = L"正在清理临时文件，请稍等";

// Sends one answer to the library; the unsolved and other answers also open its feedback page.
// Without a library (a default one resolves nothing) it does nothing.
void ReportFeedback(const CFeedbackLibrary& library, int code, int deviceType) {
  const std::wstring timeText = FeedbackTimeText(static_cast<long long>(std::time(nullptr)));
  const std::wstring deviceText = FeedbackDeviceText(deviceType);
  library.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, code, timeText.c_str(), deviceText.c_str());
  if (code == FEEDBACK_UNSOLVED || code == FEEDBACK_OTHER) {
    library.FeedbackQuestion(TOOL_ID, TOOL_VERSION);
  }
}

// Everything a report's worker uses, its own: the dialogs that started it, and the main window
// that held the library, may be gone by the time it ends.
struct FeedbackReport {
  CFeedbackLibrary library;
  int code;
  int deviceType;
  std::shared_ptr<CExecutePromptDlg> wait;  // none for the "other" answer
  HWND frame;                               // not owned
};

void RunReport(const FeedbackReport& report) {
  ReportFeedback(report.library, report.code, report.deviceType);
  // The wait dialog first, so that the frame's close is not handled under a modal wait.
  if (report.wait) report.wait->Close();
  ::SendMessageW(report.frame, WM_CLOSE, 0, 0);
}

DWORD WINAPI ReportFeedbackThread(LPVOID argument) {
  const std::unique_ptr<FeedbackReport> report(static_cast<FeedbackReport*>(argument));
  RunReport(*report);
  return 1;
}

struct WideButtonPlace {
  SkinRect place;   // in the client area
  SkinRect source;  // under it, in the background picture
};

}  // namespace

CProblemSolvingFeedbackChildDlg::CProblemSolvingFeedbackChildDlg()
    : CSkinChildDlg(FeedbackPairValues()) {}

CProblemSolvingFeedbackChildDlg::~CProblemSolvingFeedbackChildDlg() = default;

void CProblemSolvingFeedbackChildDlg::SetFeedbackLibrary(const CFeedbackLibrary* library) {
  m_library = library;
}

void CProblemSolvingFeedbackChildDlg::SetDeviceType(int deviceType) { m_deviceType = deviceType; }

void CProblemSolvingFeedbackChildDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinChildDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_FEEDBACK_CLOSE, m_close);
  DDX_Control(pDX, IDC_FEEDBACK_SOLVED, m_solved);
  DDX_Control(pDX, IDC_FEEDBACK_UNSOLVED, m_unsolved);
  DDX_Control(pDX, IDC_FEEDBACK_OTHER, m_other);
}

void CProblemSolvingFeedbackChildDlg::LayoutControls(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  const int w = client.right;
  const int h = client.bottom;
  const float s = m_scale;
  const double scale = s;

  const int closeLeft = static_cast<int>(w - 18 * scale);
  const int closeTop = ScaledTrunc(6, s);
  const int closeRight = static_cast<int>(closeLeft + 12 * scale);
  const int closeBottom = static_cast<int>(closeTop + 12 * scale);
  if (firstTime) {
    m_close.m_scale = s;
    m_close.SetPngImages(IDP_FEEDBACK_CLOSE_NORMAL, IDP_FEEDBACK_CLOSE_HOVER,
                         IDP_FEEDBACK_CLOSE_PRESSED, IDP_FEEDBACK_CLOSE_DISABLED);
  }
  m_close.MoveWindow(closeLeft, closeTop, closeRight - closeLeft, closeBottom - closeTop, TRUE);
  m_close.ShowWindow(SW_HIDE);

  // Three buttons one above the other, centred, 80 apart from the middle one. At scale 1.0 the
  // client area is the picture, so a button's own rectangle is its slice of the picture.
  WideButtonPlace places[3];
  int hitInset = 9;
  if (w <= 400) {
    const int left = w / 2 - 133;
    const int tops[3] = {h / 2 - 80, h / 2, h / 2 + 80};
    for (int i = 0; i < 3; ++i) {
      places[i].place = {left, tops[i], left + 266, tops[i] + 60};
      places[i].source = places[i].place;
    }
  } else {
    const int width = ScaledTrunc(266, s);
    const int height = ScaledTrunc(60, s);
    const int solvedLeft = static_cast<int>(200 * scale - 133 * scale);
    const int left = ScaledTrunc(200, s) - ScaledTrunc(133, s);
    const int middle = ScaledTrunc(234, s);
    const int step = ScaledTrunc(80, s);
    const int solvedTop = static_cast<int>(234 * scale - step);
    places[0].place = {solvedLeft, solvedTop, solvedLeft + width, solvedTop + height};
    places[1].place = {left, middle, left + width, middle + height};
    places[2].place = {left, middle + step, left + width, middle + step + height};
    places[0].source = {67, 154, 333, 214};
    places[1].source = {67, 234, 333, 294};
    places[2].source = {67, 314, 333, 374};
    hitInset = ScaledTrunc(9, s);
  }

  const struct {
    CImageButton* button;
    UINT images[4];
  } wide[3] = {
      {&m_solved, {IDP_SOLVED_NORMAL, IDP_SOLVED_HOVER, IDP_SOLVED_PRESSED, IDP_SOLVED_DISABLED}},
      {&m_unsolved,
       {IDP_UNSOLVED_NORMAL, IDP_UNSOLVED_HOVER, IDP_UNSOLVED_PRESSED, IDP_UNSOLVED_DISABLED}},
      {&m_other, {IDP_OTHER_NORMAL, IDP_OTHER_HOVER, IDP_OTHER_PRESSED, IDP_OTHER_DISABLED}},
  };
  for (int i = 0; i < 3; ++i) {
    CImageButton& button = *wide[i].button;
    const SkinRect& place = places[i].place;
    if (firstTime) {
      const SkinRect& source = places[i].source;
      button.SetBkImage(BackgroundImage());
      button.SetBkImageRect(source.left, source.top, source.right, source.bottom);
      button.SetHitInsets(hitInset, hitInset, hitInset, hitInset);
      button.SetPngImages(wide[i].images[0], wide[i].images[1], wide[i].images[2],
                          wide[i].images[3]);
    }
    button.MoveWindow(place.left, place.top, place.Width(), place.Height(), TRUE);
  }
}

void CProblemSolvingFeedbackChildDlg::OnDestroy() {
  m_close.FreeImages();
  for (CImageButton* button : {&m_solved, &m_unsolved, &m_other}) button->FreeImages();
  m_waitDlg.reset();
  CSkinChildDlg::OnDestroy();
}

// The wait dialog exists before the worker starts, so that the worker always finds it and its
// close is never lost, however soon the report is done.
void CProblemSolvingFeedbackChildDlg::ReportOnWorker(int code, const wchar_t* threadFailure) {
  m_waitDlg = std::make_shared<CExecutePromptDlg>();  // the previous one goes
  m_waitDlg->SetExecuteText(REPORT_WAIT_TEXT);
  m_waitDlg->m_scale = m_scale;
  auto report = std::make_unique<FeedbackReport>(FeedbackReport{
      m_library ? *m_library : CFeedbackLibrary(), code, m_deviceType, m_waitDlg, GetParent()});
  if (!StartWorkerThread(ReportFeedbackThread, report.get())) {
    m_waitDlg.reset();
    CLogSave::GetInstance()->WriteLog(CodePageFromWide(threadFailure, CP_ACP), FEEDBACK_LOG_FILE,
                                      true);
    return;
  }
  report.release();  // the worker's now
  m_reporting = true;
  // Held here too: the dialog must outlive its own modal run whatever happens to this one.
  const std::shared_ptr<CExecutePromptDlg> wait = m_waitDlg;
  wait->DoModal();
}

// The dialog stays up until the report is done; the window's close comes from the worker.
void CProblemSolvingFeedbackChildDlg::ReportOtherOnWorker() {
  FeedbackReport report{m_library ? *m_library : CFeedbackLibrary(), FEEDBACK_OTHER, m_deviceType,
                        nullptr, GetParent()};
  m_reporting = StartWorkerTask([report] { RunReport(report); });
  if (!m_reporting) RunReport(report);  // no thread: the answer still counts, here and now
}

void CProblemSolvingFeedbackChildDlg::OnChoiceClicked(int id) {
  if (m_reporting) return;
  switch (id) {
    case IDC_FEEDBACK_CLOSE: ReportOnWorker(FEEDBACK_OTHER, L"创建反馈关闭线程失败"); break;
    case IDC_FEEDBACK_SOLVED:
      // A click on the button's transparent shadow margin is no answer.
      if (m_solved.IsCursorInHitArea()) ReportOnWorker(FEEDBACK_SOLVED, L"创建反馈解决线程失败");
      break;
    case IDC_FEEDBACK_UNSOLVED:
      if (m_unsolved.IsCursorInHitArea()) {
        ReportOnWorker(FEEDBACK_UNSOLVED, L"创建反馈未解决线程失败");
      }
      break;
    case IDC_FEEDBACK_OTHER: ReportOtherOnWorker(); break;
    default: break;
  }
}

bool CProblemSolvingFeedbackChildDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                                LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (id == IDC_FEEDBACK_CLOSE || id == IDC_FEEDBACK_SOLVED || id == IDC_FEEDBACK_UNSOLVED ||
        id == IDC_FEEDBACK_OTHER) {
      OnChoiceClicked(id);
      result = 0;
      return true;
    }
  }
  return CSkinChildDlg::OnMessage(message, wParam, lParam, result);
}
