#include <QApplication>
#include <QThread>
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

// QApplication keeps referring to argc and argv for its whole life, which ends after every
// exit-time destructor: they live in an object that is never freed. Qt takes "-platform"
// and its value out of argv; the words stay here, and argv is filled again for the next
// application.
struct Arguments {
  std::string words[3];
  int argc = 3;
  char* argv[4] = {};

  void Fill() {
    argc = 3;
    for (int i = 0; i < 3; ++i) argv[i] = words[i].data();
    argv[3] = nullptr;
  }
};

}  // namespace

QApplication* EnsureApplication() {
  static std::mutex creation;
  std::lock_guard<std::mutex> lock(creation);
  if (QCoreApplication* existing = QCoreApplication::instance()) return qobject_cast<QApplication*>(existing);
  if (!CanOpenWindows()) return nullptr;
  static Arguments* const arguments = new Arguments{{programPath(), "-platform", WindowPlatform()}};
  arguments->Fill();
  // Lets the embedded browser start later inside this same application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  // Kept until EndApplication: it outlives every window.
  return new QApplication(arguments->argc, arguments->argv);
}

bool EndApplication() {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application) return true;
  if (QThread::currentThread() != application->thread()) return false;
  delete application;
  return true;
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
