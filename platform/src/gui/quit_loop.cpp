#include "quit_loop.h"

#include <QCoreApplication>
#include <QThread>

namespace platform::ui {
namespace {

// A queued call runs as soon as this thread's next event loop handles events.
void quitNextLoop(int exitCode) {
  QObject* trigger = new QObject;
  QMetaObject::invokeMethod(
      trigger,
      [trigger, exitCode] {
        trigger->deleteLater();
        QuitLoop(exitCode);
      },
      Qt::QueuedConnection);
}

}  // namespace

void QuitLoop(int exitCode) {
  QThread* thread = QThread::currentThread();
  if (thread->loopLevel() == 0) return quitNextLoop(exitCode);
  QCoreApplication* application = QCoreApplication::instance();
  if (application && application->thread() == thread)
    QCoreApplication::exit(exitCode);
  else
    thread->exit(exitCode);
}

}  // namespace platform::ui
