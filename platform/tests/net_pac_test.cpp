#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "afxstr.h"
#include "pac_server.h"
#include "test_support.h"
#include "winhttp.h"
#include "winnls.h"

namespace {

std::u16string wide(const std::string& text) {
  std::u16string result(text.size() + 1, u'\0');
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, result.data(), static_cast<int>(result.size()));
  result.resize(units > 0 ? units - 1 : 0);
  return result;
}

// An address where nothing listens.
std::string closedPortUrl() {
  return "http://127.0.0.1:" + std::to_string(testing_support::FreeLoopbackPort()) + "/gone.pac";
}

std::string answering(const std::string& body) { return "function FindProxyForURL(url, host) { " + body + " }"; }

struct Decision {
  BOOL ok = FALSE;
  DWORD error = 0;
  std::string proxy;  // "(null)" for none
  DWORD accessType = 0;
  double seconds = 0;
};

Decision decide(const std::string& scriptUrl, const std::string& url) {
  HINTERNET session = WinHttpOpen(u"applications", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                  WINHTTP_NO_PROXY_BYPASS, 0);
  EXPECT_NE(session, nullptr);
  const std::u16string scriptAddress = wide(scriptUrl), address = wide(url);
  WINHTTP_AUTOPROXY_OPTIONS options = {WINHTTP_AUTOPROXY_CONFIG_URL, 0, scriptAddress.c_str(), nullptr, 0, TRUE};
  WINHTTP_PROXY_INFO info = {};
  Decision decision;
  const auto start = std::chrono::steady_clock::now();
  decision.ok = WinHttpGetProxyForUrl(session, address.c_str(), &options, &info);
  decision.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  decision.error = decision.ok ? 0 : GetLastError();
  decision.proxy = info.lpszProxy ? CString(info.lpszProxy).GetString() : "(null)";
  decision.accessType = info.dwAccessType;
  GlobalFree(info.lpszProxy);
  GlobalFree(info.lpszProxyBypass);
  EXPECT_TRUE(WinHttpCloseHandle(session));
  return decision;
}

const char kHelpers[] =
    "if (dnsDomainIs(host, '.corp.test') && shExpMatch(url, 'http://*.corp.test/*') && !shExpMatch(host, 'b*')"
    " && isInNet('10.1.2.3', '10.0.0.0', '255.0.0.0') && !isInNet('11.1.2.3', '10.0.0.0', '255.0.0.0')"
    " && isPlainHostName('www') && !isPlainHostName(host) && dnsDomainLevels(host) === 2"
    " && localHostOrDomainIs('www', 'www.corp.test') && isResolvable('127.0.0.1') && dnsResolve('127.0.0.1') === '127.0.0.1'"
    " && typeof myIpAddress() === 'string' && weekdayRange('SUN', 'SAT') && dateRange(1, 31) && timeRange(0, 24)"
    " && !weekdayRange('XYZ'))"
    "  return 'PROXY inner.corp.test:8080';"
    "return 'DIRECT';";

}  // namespace

TEST(PacScript, DecidesFromTheFirstProxyOrDirectEntryAndFailsInTimeOnBadScripts) {
  const std::string huge = "/*" + std::string(1100 * 1024, 'x') + "*/" + answering("return 'PROXY p:1';");
  PacServer server({
      {"direct", answering("return 'DIRECT';")},
      {"proxy", answering("return 'PROXY p.test:3128; DIRECT';")},
      {"directfirst", answering("return 'DIRECT; PROXY p.test:3128';")},
      {"socksfirst", answering("return 'SOCKS s.test:1080; proxy q.test:81';")},
      {"helpers", answering(kHelpers)},
      {"notjs", "<html><body>Sign in to continue</body></html>"},
      {"throws", answering("throw new Error('no');")},
      {"number", answering("return 42;")},
      {"nofunction", "var FindProxyForURL = 1;"},
      {"junk", answering("return 'HTTPS x; PROXY';")},
      {"endless", answering("for (;;) {}")},
      {"endlesscatch", answering("for (;;) { try { for (;;) {} } catch (e) {} }")},
      {"backtracking", answering("for (;;) /(a+)+b/.test('aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaac');")},
      {"memoryhog", answering("var a = []; for (;;) a.push(new Array(100000).join('x') + a.length);")},
      // Refused growth caught forever: each refusal has the engine collect the full heap.
      {"memorycaught", answering("var a = []; try { for (;;) a.push({n: a.length}); } catch (e) {}"
                                 " for (;;) try { a.push(1); } catch (e) {}")},
      // Single calls of length x length steps.
      {"search", answering("var s = 'a'.repeat(3000000); return String(s.indexOf('a'.repeat(1000000) + 'b'));")},
      {"split", answering("return String('a'.repeat(3000000).split('a'.repeat(1000000) + 'b').length);")},
      {"glob", answering("return String(shExpMatch('a'.repeat(3000000), '*' + 'a'.repeat(1000000) + 'b'));")},
      // Its answer counts; finalizers that would run past the deadline never run.
      {"finalizers", "var keep = []; function FindProxyForURL(url, host) { for (var i = 0; i < 100; i++)"
                     " { var o = {}; Duktape.fin(o, function () { for (;;) try { for (;;) {} } catch (e) {} }); keep.push(o); }"
                     " return 'PROXY f.test:1'; }"},
      {"huge", huge},
  });
  struct Case {
    std::string script;  // the script's address
    const char* proxy;   // "(null)" for none; the call fails when `error` is set
    DWORD error;
  };
  const DWORD bad = ERROR_WINHTTP_BAD_AUTO_PROXY_SCRIPT, unreachable = ERROR_WINHTTP_UNABLE_TO_DOWNLOAD_SCRIPT;
  const Case cases[] = {
      {server.Url("direct"), "(null)", 0},
      {server.Url("proxy"), "p.test:3128", 0},
      {server.Url("directfirst"), "(null)", 0},
      {server.Url("socksfirst"), "q.test:81", 0},
      {server.Url("helpers"), "inner.corp.test:8080", 0},
      {server.Url("finalizers"), "f.test:1", 0},
      {server.Url("notjs"), "", bad},
      {server.Url("throws"), "", bad},
      {server.Url("number"), "", bad},
      {server.Url("nofunction"), "", bad},
      {server.Url("junk"), "", bad},
      {server.Url("endless"), "", bad},
      {server.Url("endlesscatch"), "", bad},
      {server.Url("backtracking"), "", bad},
      {server.Url("memoryhog"), "", bad},
      {server.Url("memorycaught"), "", bad},
      {server.Url("search"), "", bad},
      {server.Url("split"), "", bad},
      {server.Url("glob"), "", bad},
      {server.Url("huge"), "", unreachable},
      {server.Url("missing"), "", unreachable},
      {closedPortUrl(), "", unreachable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    const Decision decision = decide(c.script, "http://a.corp.test/path?q=1");
    EXPECT_LT(decision.seconds, 3.0);
    if (c.error) {
      EXPECT_FALSE(decision.ok);
      EXPECT_EQ(decision.error, c.error);
      continue;
    }
    ASSERT_TRUE(decision.ok) << decision.error;
    EXPECT_EQ(decision.proxy, c.proxy);
    EXPECT_EQ(decision.accessType, static_cast<DWORD>(std::string(c.proxy) == "(null)" ? WINHTTP_ACCESS_TYPE_NO_PROXY
                                                                                         : WINHTTP_ACCESS_TYPE_NAMED_PROXY));
  }
}

TEST(PacScript, RefusesForeignHandlesAndAutomaticDetection) {
  WINHTTP_AUTOPROXY_OPTIONS options = {WINHTTP_AUTOPROXY_AUTO_DETECT, WINHTTP_AUTO_DETECT_TYPE_DNS_A, nullptr,
                                       nullptr, 0, FALSE};
  WINHTTP_PROXY_INFO info = {};
  int notASession = 0;
  EXPECT_FALSE(WinHttpGetProxyForUrl(&notASession, u"http://a/", &options, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(WinHttpCloseHandle(&notASession));
  HINTERNET session = WinHttpOpen(u"applications", WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr, 0);
  EXPECT_FALSE(WinHttpGetProxyForUrl(session, u"http://a/", &options, &info));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_WINHTTP_AUTODETECTION_FAILED));
  EXPECT_TRUE(WinHttpCloseHandle(session));
}
