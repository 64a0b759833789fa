// Test program: the sign-in flow and the login page's client in a program folder of their
// own, so that the CorvexV0.inf beside it names the log, the CA bundle's folder and the
// time-out. Boxes and the dialog go to the scripted backend; the dialog's script works in
// the "dialog" by libcurl and replays the pages through the client. Each operation
// prints its lines.
//
//   dialog MODE           how the login dialog is worked from now on:
//                         signin  signs the demo user in, the redirect fails to load
//                         cancel  the login page loads, then the user closes the dialog
//                         throw   the dialog raises an exception
//                         Each run prints "dialog <address>".
//   verify FORCE LOGIN SOFTWARE
//                         a new CCorvexOAuth2, then VerifyAuthorization; prints
//                         "authorized N", "login <text>", "software <text>"
//   end ADDRESS           the page client's load ended at ADDRESS (client of its own)
//   error ADDRESS         a load of ADDRESS failed
//   late ADDRESS          the last login dialog's client hears a failed load of ADDRESS
//   state                 "state <outcome> <code>" of the page client
//   nopkce                the next sign-in objects lose their PKCE pair
//   copies                copies sign-in objects; "copies ok" when each owns its pair
//   offline               the machine counts as having no network from now on
//   throwing              asking for the CA bundle's path raises an exception from now on
//   prompts               "box <text>|<caption>" for each box shown so far, then
//                         "closes N": the dialog closes posted so far
#include <curl/curl.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "CCorvexNetworkUtils.h"
#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2CefClient.h"
#include "CCorvexWebBrowserDlg.h"
#include "CorvexNetworkDLL.h"
#include "CorvexRegistrationDLL.h"
#include "CorvexSettings.h"
#include "PelkTools.h"
#include "page_frame.h"
#include "platform_ui.h"
#include "sensapi.h"

namespace {

bool g_offline = false;
bool g_throwing = false;
bool g_noPkce = false;
std::string g_dialogMode = "cancel";
CefRefPtr<CCorvexOAuth2CefClient> g_dialogClient;

template <typename Call>
Call Platforms(Call replacement) {
  Dl_info info = {};
  if (!dladdr(reinterpret_cast<void*>(replacement), &info) || !info.dli_sname) std::abort();
  return reinterpret_cast<Call>(dlsym(RTLD_NEXT, info.dli_sname));
}

void LoadEnded(CCorvexOAuth2CefClient& client, const std::string& address) {
  CefRefPtr<PageFrame> page = new PageFrame(address);
  client.OnLoadEnd(page.get(), page.get(), 200);
}

void LoadFailed(CCorvexOAuth2CefClient& client, const std::string& address) {
  CefRefPtr<PageFrame> page = new PageFrame(address);
  client.OnLoadError(page.get(), page.get(), -102, "ERR_CONNECTION_REFUSED", address);
}

// The sign-in object with its pair in reach.
struct SignIn : CCorvexOAuth2 {
  using CCorvexOAuth2::m_pPkcePair;
};

struct DialogAddress : CCorvexWebBrowserDlg {
  static std::string Of(CCorvexWebBrowserDlg& dialog) { return (dialog.*(&DialogAddress::m_strUrl)).str(); }
};

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

// Posts `form` (or gets) and gives the redirect's address, resolved; "" without one.
std::string Redirect(const std::string& url, const std::string* form) {
  std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
  const std::string ca = std::string(std::getenv("HOME")) + "/.halvorn/devidp/ca.pem";
  std::string body;
  curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_CAINFO, ca.c_str());
  curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, 20L);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &body);
  if (form) curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, form->c_str());
  char* location = nullptr;
  if (curl_easy_perform(curl.get()) != CURLE_OK ||
      curl_easy_getinfo(curl.get(), CURLINFO_REDIRECT_URL, &location) != CURLE_OK || !location)
    return "";
  return location;
}

// The demo user signs in on the login page at `address`: the redirect address with the code.
std::string SignInAt(const std::string& address) {
  const size_t query = address.find('?');
  const std::string form = address.substr(query + 1) + "username=demo&password=demo";
  const std::string authorization = Redirect(address.substr(0, query), &form);
  return authorization.empty() ? "" : Redirect(authorization, nullptr);
}

INT_PTR WorkDialog(CDialog& dialog) {
  const std::string address = DialogAddress::Of(static_cast<CCorvexWebBrowserDlg&>(dialog));
  std::printf("dialog %s\n", address.c_str());
  g_dialogClient = dynamic_cast<CCorvexOAuth2CefClient*>(CCorvexCefClient::GetInstance());
  if (g_dialogMode == "throw") throw std::runtime_error("dialog failed");
  LoadEnded(*g_dialogClient, address);
  if (g_dialogMode == "signin") LoadFailed(*g_dialogClient, SignInAt(address));
  return IDCANCEL;
}

void Verify(const char* force, const char* login, const char* software) {
  SignIn signIn;
  if (g_noPkce) signIn.m_pPkcePair.reset();
  CString loginQuery = login, softwareQuery = software;
  signIn.VerifyAuthorization(std::atoi(force), loginQuery, softwareQuery);
  std::printf("authorized %d\nlogin %s\nsoftware %s\n", signIn.getIsAuthorized(), loginQuery.GetString(),
              softwareQuery.GetString());
}

bool OwnsItsPair(const SignIn& copy, const SignIn& original) {
  return copy.m_pPkcePair && copy.m_pPkcePair != original.m_pPkcePair &&
         copy.m_pPkcePair->m_codeVerifier == original.m_pPkcePair->m_codeVerifier &&
         copy.m_pPkcePair->m_codeChallenge == original.m_pPkcePair->m_codeChallenge;
}

void Copies() {
  SignIn original;
  SignIn copied(original);
  SignIn assigned;
  assigned = original;
  SignIn& alias = assigned;
  assigned = alias;
  SignIn empty;
  empty.m_pPkcePair.reset();
  SignIn fromEmpty(empty);
  const bool ok = OwnsItsPair(copied, original) && OwnsItsPair(assigned, original) && !fromEmpty.m_pPkcePair;
  std::printf("copies %s\n", ok ? "ok" : "shared");
}

// The page client of its own, hosted by a dialog that is never shown.
CCorvexOAuth2CefClient& PageClient() {
  static CCorvexWebBrowserDlg* host = new CCorvexWebBrowserDlg;
  static CefRefPtr<CCorvexOAuth2CefClient> client = [] {
    CefRefPtr<CCorvexOAuth2CefClient> made = new CCorvexOAuth2CefClient;
    host->SetClientHandler(made.get());
    return made;
  }();
  return *client;
}

void PrintState() {
  CString code;
  const int state = PageClient().GetAuthState(code);
  std::printf("state %d %s\n", state, code.GetString());
}

void PrintPrompts() {
  int closes = 0;
  for (const platform::ui::RecordedPrompt& prompt : platform::ui::RecordedPrompts()) {
    if (prompt.kind == "messagebox")
      std::printf("box %s|%s\n", prompt.Field("text").c_str(), prompt.Field("caption").c_str());
    if (prompt.kind == "message" && prompt.Field("message") == std::to_string(WM_CLOSE)) ++closes;
  }
  std::printf("closes %d\n", closes);
}

std::string ProgramFolder(const std::string& path) { return path.substr(0, path.rfind('/')); }

// One operation at argv[i]; false for a bad one. `i` moves past its arguments.
bool Run(int argc, char** argv, int& i) {
  const std::string op = argv[i];
  const int left = argc - i - 1;
  if (op == "dialog" && left >= 1) {
    g_dialogMode = argv[++i];
  } else if (op == "verify" && left >= 3) {
    Verify(argv[i + 1], argv[i + 2], argv[i + 3]);
    i += 3;
  } else if ((op == "end" || op == "error") && left >= 1) {
    (op == "end" ? LoadEnded : LoadFailed)(PageClient(), argv[++i]);
  } else if (op == "late" && left >= 1 && g_dialogClient) {
    LoadFailed(*g_dialogClient, argv[++i]);
  } else if (op == "state") {
    PrintState();
  } else if (op == "nopkce") {
    g_noPkce = true;
  } else if (op == "copies") {
    Copies();
  } else if (op == "offline") {
    g_offline = true;
  } else if (op == "throwing") {
    g_throwing = true;
  } else if (op == "prompts") {
    PrintPrompts();
  } else {
    return false;
  }
  return true;
}

}  // namespace

// The probe's own definitions win over the platform's: the program exports its symbols.
// The network counts as up unless "offline", whatever this machine has.
BOOL IsNetworkAlive(LPDWORD flags) {
  if (flags) *flags = NETWORK_ALIVE_LAN;
  return g_offline ? FALSE : TRUE;
}

CString CCorvexNetworkUtils::GetCertPath() {
  if (g_throwing) throw std::runtime_error("no bundle path");
  return Platforms(&CCorvexNetworkUtils::GetCertPath)();
}

int main(int argc, char** argv) {
  platform::ui::UseScriptedBackend();
  platform::ui::SetScriptedDialogHandler(WorkDialog);
  CCorvexSettings::SetFile((ProgramFolder(argv[0]) + "/CorvexV0.inf").c_str());
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  InitCorvexNetworkDLL();
  InitCorvexRegistrationDLL();
  for (int i = 1; i < argc; ++i) {
    if (!Run(argc, argv, i)) {
      std::fprintf(stderr, "login_probe: bad operation %s\n", argv[i]);
      return 2;
    }
    std::fflush(stdout);
  }
  g_dialogClient = nullptr;
  return 0;
}
