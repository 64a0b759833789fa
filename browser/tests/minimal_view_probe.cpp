// The comparison for the browser benchmark: the least a Qt program does to show a page.
// Prints "load <ms since the view was asked> <ms since the process started> <PSS KiB of
// the process tree>" when the page has finished loading, then ends.
#include <QApplication>
#include <QElapsedTimer>
#include <QWebEngineView>
#include <cstdio>

#include "process_tree.h"

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  QElapsedTimer asked;
  asked.start();
  QWebEngineView view;
  view.resize(800, 600);
  QObject::connect(&view, &QWebEngineView::loadFinished, [&](bool ok) {
    std::printf("load %lld %.0f %ld %s\n", asked.elapsed(), MillisecondsSinceProcessStart(), ProcessTreePssKib(),
                ok ? "ok" : "failed");
    std::fflush(stdout);
    application.quit();
  });
  view.load(QUrl(argv[1]));
  view.show();
  return application.exec();
}
