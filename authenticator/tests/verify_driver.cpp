// A program of the suite as it makes sure its user is signed in: the network library, the
// browser runtime and the sign-in library started, then VerifyAuthorization(0, ...).
//   verify_driver <program folder>   prints "authorized <0|1>"
#include <cstdio>
#include <string>

#include "CCorvexCefApp.h"
#include "CCorvexOAuth2.h"
#include "CorvexNetworkDLL.h"
#include "CorvexRegistrationDLL.h"
#include "CorvexSettings.h"
#include "PelkTools.h"

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const std::string folder = std::string(argv[1]) + "/";
  CCorvexSettings::SetFile((folder + "CorvexV0.inf").c_str());
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  InitCorvexNetworkDLL();
  CefRefPtr<CCorvexCefApp> app = new CCorvexCefApp;
  CefSettings settings;
  settings.no_sandbox = 1;
  settings.browser_subprocess_path = CefString(folder + "Wispal");
  if (!CefInitialize(CefMainArgs(argc, argv), settings, app.get(), nullptr) || !InitCorvexRegistrationDLL()) return 3;
  {
    CString loginEventQuery, softwareEventQuery;
    CCorvexOAuth2 oauth2;
    oauth2.VerifyAuthorization(0, loginEventQuery, softwareEventQuery);
    std::printf("authorized %d\n", oauth2.getIsAuthorized());
  }
  CefShutdown();
  return 0;
}
