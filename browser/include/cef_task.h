// Work queued onto the runtime's UI thread: the Qt GUI thread, whose event loop (the
// application's, or a modal dialog's) runs the tasks in the order they were posted.
#pragma once

#include <functional>

#include "cef_base.h"

enum CefThreadId { TID_UI };

class CefTask : public virtual CefBaseRefCounted {
 public:
  virtual void Execute() = 0;
};

// A task that runs `work`.
CefRefPtr<CefTask> CefCreateClosureTask(std::function<void()> work);

// Queues the task from any thread; false when there is no Qt application to run it.
bool CefPostTask(CefThreadId thread, CefRefPtr<CefTask> task);
// Whether the calling thread is `thread` (false without a Qt application).
bool CefCurrentlyOn(CefThreadId thread);
