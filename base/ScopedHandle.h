#pragma once
// Owns one kernel handle (process, thread, pipe end, file) and closes it exactly once.
#include <windows.h>

class CScopedHandle {
public:
  CScopedHandle() = default;
  explicit CScopedHandle(HANDLE handle) : m_handle(handle) {}
  ~CScopedHandle() { Close(); }
  CScopedHandle(const CScopedHandle&) = delete;
  CScopedHandle& operator=(const CScopedHandle&) = delete;
  CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.m_handle) {
    other.m_handle = nullptr;
  }
  CScopedHandle& operator=(CScopedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      m_handle = other.m_handle;
      other.m_handle = nullptr;
    }
    return *this;
  }

  HANDLE Get() const { return m_handle; }
  HANDLE* Receive() { Close(); return &m_handle; }
  // Invalid both as null (threads, processes) and as INVALID_HANDLE_VALUE (files).
  bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
  void Close() {
    if (IsValid()) CloseHandle(m_handle);
    m_handle = nullptr;
  }

private:
  HANDLE m_handle = nullptr;
};
