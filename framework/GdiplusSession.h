#pragma once
// GDI+ for as long as the object lives. Every GDI+ object, images included, must be gone before
// the session ends, so declare them after it. Sessions may nest.
#include <windows.h>

class CGdiplusSession {
public:
  CGdiplusSession();
  ~CGdiplusSession();
  CGdiplusSession(const CGdiplusSession&) = delete;
  CGdiplusSession& operator=(const CGdiplusSession&) = delete;

  bool IsStarted() const { return m_started; }

private:
  ULONG_PTR m_token = 0;
  bool m_started = false;
};
