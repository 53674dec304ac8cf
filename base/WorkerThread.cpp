#include "base/WorkerThread.h"

#include "base/ScopedHandle.h"

#include <atomic>

namespace {

HANDLE CreateSystemThread(LPTHREAD_START_ROUTINE proc, void* argument) {
  return ::CreateThread(nullptr, 0, proc, argument, 0, nullptr);
}

std::atomic<ThreadCreator> g_creator{CreateSystemThread};

}  // namespace

bool StartWorkerThread(LPTHREAD_START_ROUTINE proc, void* argument) {
  const CScopedHandle thread(g_creator.load()(proc, argument));
  return thread.IsValid();
}

ThreadCreator SetThreadCreator(ThreadCreator creator) {
  return g_creator.exchange(creator ? creator : CreateSystemThread);
}
