#include <QCoreApplication>
#include <QThread>

#include "winuser.h"

namespace {

void exitNextLoop(int exitCode);

void exitCurrentLoop(int exitCode) {
  QThread* thread = QThread::currentThread();
  if (thread->loopLevel() == 0) return exitNextLoop(exitCode);
  QCoreApplication* application = QCoreApplication::instance();
  if (application && application->thread() == thread)
    QCoreApplication::exit(exitCode);
  else
    thread->exit(exitCode);
}

// A queued call runs as soon as this thread's next event loop handles events.
void exitNextLoop(int exitCode) {
  QObject* trigger = new QObject;
  QMetaObject::invokeMethod(
      trigger,
      [trigger, exitCode] {
        trigger->deleteLater();
        exitCurrentLoop(exitCode);
      },
      Qt::QueuedConnection);
}

}  // namespace

void PostQuitMessage(int exitCode) { exitCurrentLoop(exitCode); }
