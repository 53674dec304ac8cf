#pragma once
// The tool's short-lived worker threads: one task each, started at once, their handles closed at
// once or after a bounded wait for them; they report back only by messages.
#include <windows.h>

#include <functional>

// Starts `proc(argument)` on a new thread with the default stack; false when the thread cannot
// be created.
bool StartWorkerThread(LPTHREAD_START_ROUTINE proc, void* argument);

// Runs `task` on a new thread, which owns everything the task holds; false, and the task is
// dropped, when the thread cannot be created.
bool StartWorkerTask(std::function<void()> task);

// As StartWorkerTask, and waits at most `limitMs` for the task to end; true when it ended in
// time. A task that outlives the wait goes on, owning what it holds.
bool RunWorkerTask(std::function<void()> task, DWORD limitMs);

// How threads are created: CreateThread, or a test's own to make creation fail. Returns the
// one it replaces.
using ThreadCreator = HANDLE (*)(LPTHREAD_START_ROUTINE proc, void* argument);
ThreadCreator SetThreadCreator(ThreadCreator creator);
