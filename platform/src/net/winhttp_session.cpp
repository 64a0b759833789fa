#include <mutex>
#include <set>
#include <string>

#include "global_wide_text.h"
#include "pac_answer.h"
#include "pac_fetch.h"
#include "pac_library.h"
#include "winhttp.h"

namespace {

using namespace platform::net;

constexpr unsigned kEvaluationTimeLimitMs = 2000;
constexpr size_t kEvaluationMemoryLimit = 32 * 1024 * 1024;

// Sessions carry nothing; a handle only has to be known to be one.
struct Session {};

struct OpenSessions {
  std::mutex mutex;
  std::set<const void*> handles;
};

OpenSessions& openSessions() {
  static OpenSessions* sessions = new OpenSessions;  // never destroyed: used from exit handlers
  return *sessions;
}

bool isOpenSession(HINTERNET handle) {
  OpenSessions& sessions = openSessions();
  std::lock_guard<std::mutex> lock(sessions.mutex);
  return sessions.handles.count(handle) != 0;
}

BOOL fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD evaluatePac(const std::string& script, const std::string& url, std::string& answer) {
  const PacEvaluateFunction evaluate = PacEvaluator();
  if (!evaluate) return ERROR_WINHTTP_INTERNAL_ERROR;
  const std::string host = HostOfUrl(url);
  const PacEvaluation evaluation = {script.data(), script.size(), url.c_str(), host.c_str(),
                                    kEvaluationTimeLimitMs, kEvaluationMemoryLimit};
  auto keep = [](void* context, const char* text, size_t length) {
    static_cast<std::string*>(context)->assign(text, length);
  };
  return evaluate(&evaluation, keep, &answer) == kPacAnswered ? ERROR_SUCCESS : ERROR_WINHTTP_BAD_AUTO_PROXY_SCRIPT;
}

// The proxy ("" for a direct connection) the script at `scriptUrl` names for `url`.
DWORD proxyFromScript(const std::string& scriptUrl, const std::string& url, std::string& proxy) {
  std::string script, answer;
  DWORD error = FetchPacScript(scriptUrl, script);
  if (error == ERROR_SUCCESS) error = evaluatePac(script, url, answer);
  if (error != ERROR_SUCCESS) return error;
  const std::optional<std::string> named = ProxyOfAnswer(answer);
  if (!named) return ERROR_WINHTTP_BAD_AUTO_PROXY_SCRIPT;
  proxy = *named;
  return ERROR_SUCCESS;
}

}  // namespace

HINTERNET WinHttpOpen(LPCWSTR, DWORD, LPCWSTR, LPCWSTR, DWORD dwFlags) {
  if (dwFlags & WINHTTP_FLAG_ASYNC) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  auto* session = new Session;
  OpenSessions& sessions = openSessions();
  std::lock_guard<std::mutex> lock(sessions.mutex);
  sessions.handles.insert(session);
  return session;
}

BOOL WinHttpCloseHandle(HINTERNET hInternet) {
  OpenSessions& sessions = openSessions();
  std::lock_guard<std::mutex> lock(sessions.mutex);
  if (!hInternet || sessions.handles.erase(hInternet) == 0) return fail(ERROR_INVALID_HANDLE);
  delete static_cast<Session*>(hInternet);
  return TRUE;
}

BOOL WinHttpGetProxyForUrl(HINTERNET hSession, LPCWSTR lpcwszUrl, WINHTTP_AUTOPROXY_OPTIONS* pAutoProxyOptions,
                           WINHTTP_PROXY_INFO* pProxyInfo) {
  if (!isOpenSession(hSession)) return fail(ERROR_INVALID_HANDLE);
  if (!lpcwszUrl || !pAutoProxyOptions || !pProxyInfo) return fail(ERROR_INVALID_PARAMETER);
  if (!(pAutoProxyOptions->dwFlags & WINHTTP_AUTOPROXY_CONFIG_URL)) return fail(ERROR_WINHTTP_AUTODETECTION_FAILED);
  const std::string scriptUrl = Utf8Of(pAutoProxyOptions->lpszAutoConfigUrl);
  if (scriptUrl.empty()) return fail(ERROR_INVALID_PARAMETER);
  std::string proxy;
  const DWORD error = proxyFromScript(scriptUrl, Utf8Of(lpcwszUrl), proxy);
  if (error != ERROR_SUCCESS) return fail(error);
  WINHTTP_PROXY_INFO info = {WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr};
  if (!proxy.empty()) {
    info = {WINHTTP_ACCESS_TYPE_NAMED_PROXY, GlobalWideCopy(proxy), nullptr};
    if (!info.lpszProxy) return fail(ERROR_NOT_ENOUGH_MEMORY);
  }
  *pProxyInfo = info;
  return TRUE;
}
