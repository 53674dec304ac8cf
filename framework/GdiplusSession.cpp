#include "framework/GdiplusSession.h"

#include "framework/GdiPlusInclude.h"

CGdiplusSession::CGdiplusSession() {
  const Gdiplus::GdiplusStartupInput input;
  m_started = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
}

CGdiplusSession::~CGdiplusSession() {
  if (m_started) Gdiplus::GdiplusShutdown(m_token);
}
