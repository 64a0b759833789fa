// The comparison for the authenticator benchmark: the least a Qt program does to show the
// login page in a 1600x900 view. It ends once the browser reaches an address beginning
// with the second argument (the redirect after the sign-in), or when killed.
#include <QApplication>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  const QString redirect = QString::fromUtf8(argv[2]);
  QWebEngineView view;
  view.resize(1600, 900);
  QObject::connect(view.page(), &QWebEnginePage::loadingChanged, [&](const QWebEngineLoadingInfo& info) {
    if (info.url().toString().startsWith(redirect)) application.quit();
  });
  view.load(QUrl(QString::fromUtf8(argv[1])));
  view.show();
  return application.exec();
}
