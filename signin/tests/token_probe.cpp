// Test program: the token requests in a program folder of their own, so that the
// CorvexV0.inf beside it names the log, the CA bundle's folder and the time-out. Each
// operation prints one line; message boxes are answered by the scripted backend.
//
//   exchange URL CODE VERIFIER   "exchange <status>"
//   refresh URL                  "refresh <status>"
//   put NAME VALUE               stores a value in the token store
//   store                        "store <name>=<value>" for each readable value
//   boxes                        "box <text>|<caption>" for each box shown so far
//   offline                      the machine counts as having no network from now on
//   readonly                     every registry write fails from now on
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CCorvexOAuth2Globals.h"
#include "CorvexRegistrationDLL.h"
#include "CorvexSettings.h"
#include "PelkTools.h"
#include "platform_ui.h"
#include "sensapi.h"
#include "token_request.h"
#include "winreg.h"

namespace {

bool g_offline = false;
bool g_readOnly = false;

// The platform's definition of a call the probe replaces, found under the (mangled)
// name of the replacement.
template <typename Call>
Call Platforms(Call replacement) {
  Dl_info info = {};
  if (!dladdr(reinterpret_cast<void*>(replacement), &info) || !info.dli_sname) std::abort();
  return reinterpret_cast<Call>(dlsym(RTLD_NEXT, info.dli_sname));
}

void PrintStore() {
  for (const char* name : {"access_token", "refresh_token", "token_type", "expires_in", "federatedId", "companyName"}) {
    CString value;
    if (CCorvexOAuth2Globals::DecryptData(name, value)) std::printf("store %s=%s\n", name, value.GetString());
  }
}

void PrintBoxes() {
  for (const platform::ui::RecordedPrompt& prompt : platform::ui::RecordedPrompts())
    if (prompt.kind == "messagebox")
      std::printf("box %s|%s\n", prompt.Field("text").c_str(), prompt.Field("caption").c_str());
}

std::string ProgramFolder(const std::string& path) { return path.substr(0, path.rfind('/')); }

}  // namespace

// The probe's own definitions win over the platform's: the program exports its symbols.
BOOL IsNetworkAlive(LPDWORD flags) {
  return g_offline ? FALSE : Platforms(&IsNetworkAlive)(flags);
}

LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  if (g_readOnly) return ERROR_ACCESS_DENIED;
  return Platforms(&RegSetValueExA)(key, name, reserved, type, data, size);
}

int main(int argc, char** argv) {
  platform::ui::UseScriptedBackend();
  CCorvexSettings::SetFile((ProgramFolder(argv[0]) + "/CorvexV0.inf").c_str());
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");
  InitCorvexRegistrationDLL();
  for (int i = 1; i < argc; ++i) {
    const std::string op = argv[i];
    if (op == "exchange" && i + 3 < argc) {
      std::printf("exchange %d\n", ExchangeCodeAt(argv[i + 1], argv[i + 2], argv[i + 3]));
      i += 3;
    } else if (op == "refresh" && i + 1 < argc) {
      std::printf("refresh %d\n", RefreshTokensAt(argv[++i]));
    } else if (op == "put" && i + 2 < argc) {
      CCorvexOAuth2Globals::EncryptData(argv[i + 1], argv[i + 2]);
      i += 2;
    } else if (op == "store") {
      PrintStore();
    } else if (op == "boxes") {
      PrintBoxes();
    } else if (op == "offline") {
      g_offline = true;
    } else if (op == "readonly") {
      g_readOnly = true;
    } else {
      std::fprintf(stderr, "token_probe: bad operation %s\n", argv[i]);
      return 2;
    }
    std::fflush(stdout);
  }
  return 0;
}
