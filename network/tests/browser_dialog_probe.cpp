// Runs the browser runtime with the suite's application object and client on one address,
// printing what the client is told, one line each:
//   browser_dialog_probe dialog URL
//       the browser dialog; once the first load ended or failed, WM_CLOSE is posted to it
//       from another thread; then "domodal <result>" and "post-after-close <result>"
//   browser_dialog_probe window URL [user:password|cancel]
//       a browser window of its own, the proxy's log-in answered by the scripted backend
//       (a credential or a cancel); ends after the first load ended or failed, then prints
//       the flags of each log-in dialog shown
#include <QApplication>
#include <cstdio>
#include <thread>

#include "CCorvexCefApp.h"
#include "CCorvexWebBrowserDlg.h"
#include "CorvexNetworkDLL.h"
#include "PelkTools.h"
#include "platform_ui.h"

namespace {

void say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

class ProbeClient : public CCorvexCefClient {
 public:
  explicit ProbeClient(bool inDialog) : m_inDialog(inDialog) {}

  bool DoClose(CefRefPtr<CefBrowser> browser) override {
    say("do-close");
    return CCorvexCefClient::DoClose(browser);
  }
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
    say("before-close");
    CCorvexCefClient::OnBeforeClose(browser);
    if (!m_inDialog) QCoreApplication::quit();
  }
  void OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame, int status) override {
    say("load-end " + std::to_string(status) + " " + frame->GetURL().ToString());
    finish();
  }
  void OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, ErrorCode code, const CefString&,
                   const CefString& failedUrl) override {
    say("load-error " + std::to_string(code) + " " + failedUrl.ToString());
    finish();
  }

 private:
  void finish() {
    if (m_finished) return;
    m_finished = true;
    if (!m_inDialog) return CloseAllBrowsers(false);
    HWND dialog = GetHostDialog()->GetSafeHwnd();
    std::thread([dialog] { PostMessage(dialog, WM_CLOSE, 0, 0); }).join();
  }

  bool m_inDialog;
  bool m_finished = false;
};

void runDialog(const char* url) {
  CefRefPtr<ProbeClient> client = new ProbeClient(true);
  HWND window = nullptr;
  {
    CCorvexWebBrowserDlg dialog;
    dialog.SetClientHandler(client.get());
    dialog.SetUrl(url);
    dialog.SetTitle("Probe");
    dialog.SetSize(800, 600);
    say("domodal " + std::to_string(dialog.DoModal()));
    window = dialog.GetSafeHwnd();
  }
  say("post-after-close " + std::to_string(PostMessage(window, WM_CLOSE, 0, 0)));
}

void runWindow(const char* url, const std::string& login) {
  platform::ui::UseScriptedBackend();
  if (login == "cancel") platform::ui::QueueAnswer(1223);
  const size_t colon = login.find(':');
  if (colon != std::string::npos)
    platform::ui::QueueAnswer(platform::ui::Answer{0, {{"user", login.substr(0, colon)}, {"password", login.substr(colon + 1)}}});
  CefWindowInfo window;
  window.bounds = CefRect(0, 0, 800, 600);
  CefRefPtr<ProbeClient> client = new ProbeClient(false);
  client->CreateBrowser(window, CefBrowserSettings(), url);
  QApplication::exec();
  for (const platform::ui::RecordedPrompt& prompt : platform::ui::RecordedPrompts())
    if (prompt.Field("shown") == "yes") say("log-in dialog " + prompt.Field("flags"));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 3) return 2;
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  if (!InitCorvexNetworkDLL()) return 3;
  CefSettings settings;
  settings.no_sandbox = 1;
  settings.browser_subprocess_path = CORVEX_PROGRAM_DIR "/Wispal";
  if (!CefInitialize(CefMainArgs(argc, argv), settings, new CCorvexCefApp, nullptr)) return 4;
  const std::string mode = argv[1];
  if (mode == "dialog") runDialog(argv[2]);
  if (mode == "window") runWindow(argv[2], argc > 3 ? argv[3] : "");
  CefShutdown();
  return 0;
}
