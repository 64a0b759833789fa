// Runs the browser runtime with the suite's application object and client on one address,
// printing what the client is told, one line each:
//   browser_dialog_probe dialog URL [when]
//       the browser dialog, to which WM_CLOSE is posted from another thread, then
//       "domodal <result>" and "post-after-close <result>". When: "end" (default) once
//       the first load ended or failed; "start" as the first load starts; "kill" after
//       the renderers were killed once the load ended; "look" after printing the colour
//       at the middle of the browser's place on the screen; "bench" after printing
//       "load <ms since DoModal> <ms since the process started> <PSS KiB of the process tree>"
//   browser_dialog_probe window URL [user:password|cancel]
//       a browser window of its own, the proxy's log-in answered by the scripted backend
//       (a credential or a cancel); ends after the first load ended or failed, then prints
//       the flags of each log-in dialog shown
#include <dlfcn.h>
#include <link.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <thread>

#include "CCorvexCefApp.h"
#include "CCorvexWebBrowserDlg.h"
#include "CorvexNetworkDLL.h"
#include "PelkTools.h"
#include "platform_ui.h"
#include "process_tree.h"

namespace {

const int kSettleMs = 700;
QElapsedTimer sinceDoModal;

void say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// The renderers are the processes the engine's zygotes made: below this one's children.
void killRenderers() {
  int killed = 0;
  for (int pid : DescendantProcesses())
    if (ParentProcess(pid) != getpid() && kill(pid, SIGKILL) == 0) ++killed;
  say("killed " + std::to_string(killed));
}

// The software GL driver keeps memory past the end of its display, and is unloaded before
// the leak check, which then cannot tell whose it is: kept loaded, the check names it and
// the engine's suppressions let it through.
void keepTheGlDriverLoaded() {
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (std::strstr(info->dlpi_name, "/dri/")) dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return 0;
      },
      nullptr);
}

void sayBrowserColour(CDialog* dialog) {
  keepTheGlDriverLoaded();
  QWidget* place =
      reinterpret_cast<QWidget*>(dialog->GetDlgItem(CCorvexWebBrowserDlg::IDC_BROWSER_HOST)->GetSafeHwnd());
  const QPoint middle = place->mapToGlobal(place->rect().center());
  const QColor colour =
      QGuiApplication::primaryScreen()->grabWindow(0, middle.x(), middle.y(), 1, 1).toImage().pixel(0, 0);
  say("colour " + colour.name().toStdString());
}

class ProbeClient : public CCorvexCefClient {
 public:
  ProbeClient(bool inDialog, const std::string& when) : m_inDialog(inDialog), m_when(when) {}

  bool DoClose(CefRefPtr<CefBrowser> browser) override {
    say("do-close");
    return CCorvexCefClient::DoClose(browser);
  }
  void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
    say("before-close");
    CCorvexCefClient::OnBeforeClose(browser);
    if (!m_inDialog) QCoreApplication::quit();
  }
  void OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, TransitionType) override {
    say("load-start");
    if (m_when == "start") finish();
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
    CDialog* dialog = GetHostDialog();
    if (m_when == "kill") killRenderers();
    if (m_when == "bench")
      say("load " + std::to_string(sinceDoModal.elapsed()) + " " + std::to_string(MillisecondsSinceProcessStart()) +
          " " + std::to_string(ProcessTreePssKib()));
    if (m_when != "kill" && m_when != "look") return postClose(dialog);
    QTimer::singleShot(kSettleMs, [this, dialog] {
      if (m_when == "look") sayBrowserColour(dialog);
      postClose(dialog);
    });
  }
  static void postClose(CDialog* dialog) {
    HWND window = dialog->GetSafeHwnd();
    std::thread([window] { PostMessage(window, WM_CLOSE, 0, 0); }).join();
  }

  bool m_inDialog;
  std::string m_when;
  bool m_finished = false;
};

void runDialog(const char* url, const std::string& when) {
  CefRefPtr<ProbeClient> client = new ProbeClient(true, when);
  HWND window = nullptr;
  {
    CCorvexWebBrowserDlg dialog;
    dialog.SetClientHandler(client.get());
    dialog.SetUrl(url);
    dialog.SetTitle("Probe");
    dialog.SetSize(800, 600);
    sinceDoModal.start();
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
    platform::ui::QueueAnswer(
        platform::ui::Answer{0, {{"user", login.substr(0, colon)}, {"password", login.substr(colon + 1)}}});
  CefWindowInfo window;
  window.bounds = CefRect(0, 0, 800, 600);
  CefRefPtr<ProbeClient> client = new ProbeClient(false, "end");
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
  const std::string mode = argv[1], option = argc > 3 ? argv[3] : "";
  if (mode == "dialog") runDialog(argv[2], option.empty() ? "end" : option);
  if (mode == "window") runWindow(argv[2], option);
  CefShutdown();
  return 0;
}
