#include "ui/dialogs/ProblemSolvingFeedbackDlg.h"

#include "ui/dialogs/ProblemSolvingFeedbackChildDlg.h"

CProblemSolvingFeedbackDlg::CProblemSolvingFeedbackDlg(CWnd* parent)
    : CSkinFrameDlg(FeedbackPairValues(), parent) {}

void CProblemSolvingFeedbackDlg::SetFeedbackLibrary(const CFeedbackLibrary* library) {
  m_library = library;
}

void CProblemSolvingFeedbackDlg::SetDeviceType(int deviceType) { m_deviceType = deviceType; }

std::unique_ptr<CSkinChildDlg> CProblemSolvingFeedbackDlg::NewControlsDialog() {
  auto controls = std::make_unique<CProblemSolvingFeedbackChildDlg>();
  controls->SetFeedbackLibrary(m_library);
  controls->SetDeviceType(m_deviceType);
  return controls;
}

BOOL CProblemSolvingFeedbackDlg::OnInitDialog() {
  SetWindowText(L"Dov10arevarez");
  m_scale = ScreenScaleFactor();
  return CSkinFrameDlg::OnInitDialog();
}
