#include "cef_task.h"

#include <QCoreApplication>
#include <QThread>

namespace {

class ClosureTask : public CefTask {
 public:
  explicit ClosureTask(std::function<void()> work) : m_work(std::move(work)) {}
  void Execute() override { m_work(); }

 private:
  std::function<void()> m_work;

  IMPLEMENT_REFCOUNTING(ClosureTask);
};

}  // namespace

CefRefPtr<CefTask> CefCreateClosureTask(std::function<void()> work) { return new ClosureTask(std::move(work)); }

bool CefPostTask(CefThreadId, CefRefPtr<CefTask> task) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || !task) return false;
  return QMetaObject::invokeMethod(application, [task] { task->Execute(); }, Qt::QueuedConnection);
}

bool CefCurrentlyOn(CefThreadId) {
  QCoreApplication* application = QCoreApplication::instance();
  return application && QThread::currentThread() == application->thread();
}
