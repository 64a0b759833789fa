#include <QApplication>
#include <QThread>
#include <cstring>
#include <mutex>
#include <string>

#include "platform_gui.h"
#include "window_platform.h"
#include "winmodule.h"

namespace platform::ui {
namespace {

std::string programPath() {
  char path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  return length > 0 && length < sizeof(path) ? std::string(path, length) : std::string("program");
}

}  // namespace

QApplication* EnsureApplication() {
  static std::mutex creation;
  std::lock_guard<std::mutex> lock(creation);
  if (QCoreApplication* existing = QCoreApplication::instance()) return qobject_cast<QApplication*>(existing);
  if (!CanOpenWindows()) return nullptr;
  // QApplication keeps referring to argc and argv for its whole life, which ends after
  // every exit-time destructor: they are never freed. Qt takes "-platform" out of them.
  static int argc = 3;
  static char** argv = new char* [4] {
    strdup(programPath().c_str()), strdup("-platform"), strdup(WindowPlatform().c_str()), nullptr
  };
  // Lets the embedded browser start later inside this same application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Never deleted: the application outlives every window and every later user.
  return new QApplication(argc, argv);
}

void RunOnGuiThread(const std::function<void()>& work) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || QThread::currentThread() == application->thread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(application, work, Qt::BlockingQueuedConnection);
}

}  // namespace platform::ui
