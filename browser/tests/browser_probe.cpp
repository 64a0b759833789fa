// Opens one browser window on the address given, prints what its client is told, one
// line each, and ends once the browser has closed after its first load ended or failed.
// Every request it makes carries the User-Agent "CorvexProbe/1.0".
//   browser_probe URL            the sub-processes' programs are printed after the load
//   browser_probe URL no-shutdown  calls exit(5) after the load, without CefShutdown, the view open
#include <QApplication>
#include <cstdio>
#include <string>

#include "cef_app.h"
#include "process_tree.h"

namespace {

void printSubProcessPrograms() {
  for (int pid : DescendantProcesses()) std::printf("sub-process %s\n", ProcessProgram(pid).c_str());
}

class ProbeClient : public CefClient,
                    public CefDisplayHandler,
                    public CefLifeSpanHandler,
                    public CefLoadHandler,
                    public CefRequestHandler,
                    public CefResourceRequestHandler {
 public:
  explicit ProbeClient(bool shutdown) : m_shutdown(shutdown) {}

  CefRefPtr<CefDisplayHandler> GetDisplayHandler() override { return this; }
  CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
  CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
  CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

  CefRefPtr<CefResourceRequestHandler> GetResourceRequestHandler(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                                                 CefRefPtr<CefRequest>, bool, bool, const CefString&,
                                                                 bool&) override {
    return this;
  }
  ReturnValue OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, CefRefPtr<CefRequest> request,
                                   CefRefPtr<CefCallback>) override {
    CefRequest::HeaderMap headers;
    request->GetHeaderMap(headers);
    headers.emplace("User-Agent", "CorvexProbe/1.0");
    request->SetHeaderMap(headers);
    return RV_CONTINUE;
  }
  void OnTitleChange(CefRefPtr<CefBrowser>, const CefString& title) override { say("title " + title.ToString()); }

  void OnAfterCreated(CefRefPtr<CefBrowser>) override { say("after-created"); }
  bool DoClose(CefRefPtr<CefBrowser>) override {
    say("do-close");
    return false;
  }
  void OnBeforeClose(CefRefPtr<CefBrowser>) override {
    say("before-close");
    QCoreApplication::quit();
  }
  void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame, int status) override {
    say("load-end " + std::to_string(status) + " " + frame->GetURL().ToString());
    finish(browser);
  }
  void OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame>, ErrorCode code, const CefString&,
                   const CefString& failedUrl) override {
    say("load-error " + std::to_string(code) + " " + failedUrl.ToString());
    finish(browser);
  }

 private:
  static void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  }
  void finish(CefRefPtr<CefBrowser> browser) {
    printSubProcessPrograms();
    std::fflush(stdout);
    if (!m_shutdown) std::exit(5);  // the view, its page and the engine still running
    browser->GetHost()->CloseBrowser(false);
  }

  bool m_shutdown;

  IMPLEMENT_REFCOUNTING(ProbeClient);
};

std::string wispalBesideTheProgram() { return CORVEX_PROGRAM_DIR "/Wispal"; }

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  CefSettings settings;
  settings.no_sandbox = 1;
  settings.browser_subprocess_path = wispalBesideTheProgram();
  if (!CefInitialize(CefMainArgs(argc, argv), settings, nullptr, nullptr)) return 3;
  const bool shutdown = !(argc > 2 && std::string(argv[2]) == "no-shutdown");
  CefWindowInfo window;
  window.bounds = CefRect(0, 0, 800, 600);
  CefBrowserHost::CreateBrowser(window, new ProbeClient(shutdown), argv[1], CefBrowserSettings(), nullptr, nullptr);
  QApplication::exec();
  CefShutdown();
  std::printf("threads after shutdown:%s\n", ThreadNames().c_str());
  return 0;
}
