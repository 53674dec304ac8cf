#pragma once
// The feedback question's three answers. Each reports on a worker thread, solved and unsolved
// behind the wait dialog, and then closes the feedback frame. The library can take seconds to
// open its feedback page, and the user-interface thread must not wait for it.
#include "ui/controls/ImageButton.h"
#include "ui/controls/PngButton.h"
#include "ui/dialogs/SkinChildDlg.h"

#include <memory>

class CExecutePromptDlg;
class CFeedbackLibrary;

// The answer codes the feedback library receives.
enum FeedbackResult { FEEDBACK_SOLVED = 1, FEEDBACK_UNSOLVED = 2, FEEDBACK_OTHER = 3 };

class CProblemSolvingFeedbackChildDlg : public CSkinChildDlg {
public:
  CProblemSolvingFeedbackChildDlg();
  ~CProblemSolvingFeedbackChildDlg() override;

  void SetFeedbackLibrary(const CFeedbackLibrary* library);
  void SetDeviceType(int deviceType);

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnChoiceClicked(int id);
  void ReportOnWorker(int code, const wchar_t* threadFailure);
  void ReportOtherOnWorker();

  CPngButton m_close;  // never shown
  CImageButton m_solved;
  CImageButton m_unsolved;
  CImageButton m_other;
  const CFeedbackLibrary* m_library = nullptr;  // not owned: the main working dialog's
  bool m_reporting = false;  // an answer is on its way: the others are no longer taken
  // Shared with the report's worker, which closes it and may finish after this dialog has gone.
  std::shared_ptr<CExecutePromptDlg> m_waitDlg;
  int m_deviceType = 0;
};
