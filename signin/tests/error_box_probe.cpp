// Test helper: the sign-in library's error boxes in a program of their own, so that
// its log goes where the CorvexV0.inf beside the probe says. Operations:
//
//   attach <extension>   PELK3_ "Lng" and <extension>, InitCorvexRegistrationDLL -> "init <result>"
//   navigate <id>        NavigateErrorMsg(id)
//   status <n>           GetErrorMsg(n, 0)
//   worker <id>          NavigateErrorMsg(id) from a second thread while the GUI thread
//                        runs an event loop -> "gui-thread <1 if the box ran there>"
//   watch <n> <log>      GetErrorMsg(n, 0) with a real (offscreen) box; while it is
//                        open -> "open <text>|<title>|<icon>|<log lines>", then OK is
//                        clicked -> "closed <log lines>"
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "CCorvexOAuth2Globals.h"
#include "CorvexRegistrationDLL.h"
#include "PelkTools.h"
#include "platform_ui.h"
#include "test_support.h"

// fontconfig keeps caches until the process ends; LeakSanitizer would count them.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

QApplication& application() {
  static int argc = 1;
  static char name[] = "error_box_probe";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

int lineCount(const std::string& path) {
  const std::string text = testing_support::ReadWholeFile(path);
  int lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

void runFromWorker(unsigned id) {
  application();
  QEventLoop loop;
  std::thread::id workerId;
  std::thread worker([&] {
    workerId = std::this_thread::get_id();
    CCorvexOAuth2Globals::NavigateErrorMsg(id);
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  QTimer::singleShot(10000, &loop, [&loop] { loop.exit(-99); });
  const int result = loop.exec();
  worker.join();
  const auto prompts = platform::ui::RecordedPrompts();
  const bool onGui = result == 0 && !prompts.empty() && prompts.back().thread == std::this_thread::get_id() &&
                     prompts.back().thread != workerId;
  std::printf("gui-thread %d\n", onGui ? 1 : 0);
}

// Reports the open box and clicks its OK button; gives up after about two seconds.
void answerWhenShown(const std::string& log, int triesLeft) {
  QMessageBox* box = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* found = qobject_cast<QMessageBox*>(widget); found && found->isVisible()) box = found;
  if (!box) {
    if (triesLeft > 0) QTimer::singleShot(5, qApp, [=] { answerWhenShown(log, triesLeft - 1); });
    return;
  }
  std::printf("open %s|%s|%d|%d\n", box->text().toStdString().c_str(), box->windowTitle().toStdString().c_str(),
              static_cast<int>(box->icon()), lineCount(log));
  box->button(QMessageBox::Ok)->click();
}

void watch(int status, const std::string& log) {
  application();
  QTimer::singleShot(0, qApp, [=] { answerWhenShown(log, 400); });
  CCorvexOAuth2Globals::GetErrorMsg(status, 0);
  std::printf("closed %d\n", lineCount(log));
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string op = argv[i];
    if (op == "attach" && i + 1 < argc) {
      PELK3_SetSubdirResFile("Lng");
      PELK3_SetExtResourceFile(argv[++i]);
      std::printf("init %d\n", InitCorvexRegistrationDLL());
    } else if (op == "navigate" && i + 1 < argc) {
      CCorvexOAuth2Globals::NavigateErrorMsg(static_cast<unsigned>(std::atoi(argv[++i])));
    } else if (op == "status" && i + 1 < argc) {
      CCorvexOAuth2Globals::GetErrorMsg(std::atoi(argv[++i]), 0);
    } else if (op == "worker" && i + 1 < argc) {
      runFromWorker(static_cast<unsigned>(std::atoi(argv[++i])));
    } else if (op == "watch" && i + 2 < argc) {
      watch(std::atoi(argv[i + 1]), argv[i + 2]);
      i += 2;
    } else {
      std::fprintf(stderr, "error_box_probe: bad operation %s\n", argv[i]);
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
