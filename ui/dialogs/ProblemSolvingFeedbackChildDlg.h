#pragma once
// The feedback question's three answers. Solved and unsolved report on a worker thread behind
// the wait dialog; "other" reports at once. Each report then closes the feedback frame.
#include "ui/controls/ImageButton.h"
#include "ui/controls/PngButton.h"
#include "ui/dialogs/SkinChildDlg.h"

#include <memory>

class CExecutePromptDlg;
class CFeedbackBridge;

// The answer codes the feedback library receives.
enum FeedbackResult { FEEDBACK_SOLVED = 1, FEEDBACK_UNSOLVED = 2, FEEDBACK_OTHER = 3 };

class CProblemSolvingFeedbackChildDlg : public CSkinChildDlg {
public:
  CProblemSolvingFeedbackChildDlg();
  ~CProblemSolvingFeedbackChildDlg() override;

  void SetFeedbackLibrary(CFeedbackBridge* library);
  void SetDeviceType(int deviceType);

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnChoiceClicked(int id);
  void ReportOnWorker(int code, const wchar_t* threadFailure);

  CPngButton m_close;  // never shown
  CImageButton m_solved;
  CImageButton m_unsolved;
  CImageButton m_other;
  CFeedbackBridge* m_library = nullptr;  // not owned: the main working dialog's
  // Shared with the report's worker, which closes it and may finish after this dialog has gone.
  std::shared_ptr<CExecutePromptDlg> m_waitDlg;
  int m_deviceType = 0;
};
