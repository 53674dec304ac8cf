#pragma once
// A real top-level window (hidden) that records the engine's messages as the main dialog would
// receive them, and a loop that pumps this thread's messages until the worker has reported.
#include <windows.h>

#include <vector>

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool sentFromAnotherThread;  // SendMessage from a worker, not PostMessage
};

class CEngineTestWindow {
public:
  CEngineTestWindow();
  ~CEngineTestWindow();
  CEngineTestWindow(const CEngineTestWindow&) = delete;
  CEngineTestWindow& operator=(const CEngineTestWindow&) = delete;

  HWND Handle() const { return m_hwnd; }
  // Pumps messages until `message` has arrived or the time is up; true when it arrived.
  bool WaitFor(UINT message, DWORD timeoutMs);
  const std::vector<ReceivedMessage>& Received() const { return m_received; }

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND m_hwnd = nullptr;
  std::vector<ReceivedMessage> m_received;
};
