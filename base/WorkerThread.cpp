#include "base/WorkerThread.h"

#include "base/ScopedHandle.h"

#include <atomic>
#include <memory>

namespace {

HANDLE CreateSystemThread(LPTHREAD_START_ROUTINE proc, void* argument) {
  return ::CreateThread(nullptr, 0, proc, argument, 0, nullptr);
}

std::atomic<ThreadCreator> g_creator{CreateSystemThread};

DWORD WINAPI RunTask(LPVOID argument) {
  const std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(argument));
  (*task)();
  return 1;
}

// The thread of a new task, which owns the task from here on; not valid when none was created.
CScopedHandle StartOwnedTask(std::function<void()> task) {
  auto owned = std::make_unique<std::function<void()>>(std::move(task));
  CScopedHandle thread(g_creator.load()(RunTask, owned.get()));
  if (thread.IsValid()) owned.release();  // the thread's now
  return thread;
}

}  // namespace

bool StartWorkerThread(LPTHREAD_START_ROUTINE proc, void* argument) {
  const CScopedHandle thread(g_creator.load()(proc, argument));
  return thread.IsValid();
}

bool StartWorkerTask(std::function<void()> task) {
  return StartOwnedTask(std::move(task)).IsValid();
}

bool RunWorkerTask(std::function<void()> task, DWORD limitMs) {
  const CScopedHandle thread = StartOwnedTask(std::move(task));
  return thread.IsValid() && ::WaitForSingleObject(thread.Get(), limitMs) == WAIT_OBJECT_0;
}

ThreadCreator SetThreadCreator(ThreadCreator creator) {
  return g_creator.exchange(creator ? creator : CreateSystemThread);
}
