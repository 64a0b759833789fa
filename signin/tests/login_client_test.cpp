// The login page's client: the code cut from the redirect through both load notifications
// (outcome, log text, dialog closes), the maker's hosts, the User-Agent of Google pages;
// the sign-in object's copies and its failures before the dialog. No provider runs.
#include <gtest/gtest.h>
#include <strings.h>

#include "CCorvexOAuth2CefClient.h"
#include "CCorvexOAuth2Globals.h"
#include "CCorvexWebBrowserDlg.h"
#include "CWebBrowser2.h"
#include "corvex_deployment.h"
#include "login_hosts.h"
#include "login_probe_folder.h"
#include "platform_ui.h"

namespace {

using Globals = CCorvexOAuth2Globals;
using Lines = std::vector<std::string>;

const std::string kRedirect = CefString(Globals::REDIRECT_URI).ToString();
const std::string kMakersPage = "https://" CORVEX_IDP_HOST "/identity/page";
const std::string kProblemBox =
    "box Authentication problem - If the problem remains, please contact your local Halvorn support|Error";

class RecordedRequest : public CefRequest {
 public:
  RecordedRequest(const std::string& url, const HeaderMap& headers) : m_url(url), headers(headers) {}
  CefString GetURL() override { return m_url; }
  CefString GetMethod() override { return "GET"; }
  void GetHeaderMap(HeaderMap& given) override { given = headers; }
  void SetHeaderMap(const HeaderMap& given) override {
    headers = given;
    ++sets;
  }

  std::string m_url;
  HeaderMap headers;
  int sets = 0;
  IMPLEMENT_REFCOUNTING(RecordedRequest);
};

TEST(LoginClientTest, RedirectsAreCutThroughBothNotifications) {
  const std::string big(100000, 'k');
  struct Case {
    Lines ops;
    std::string state;  // "state <outcome> <code>"
    int closes;
    std::string logText;  // a line of the log holds it
  } cases[] = {
      {{"end", kRedirect + "?code=abc&sfdc_community_url=x&iss=y"},
       "state 3 abc",
       1,
       "Authentication html dlg complete: getcode and close dlg"},
      {{"error", kRedirect + "?code=abc&sfdc_community_url=x&iss=y"},
       "state 3 abc",
       1,
       "Authentication html dlg complete: getcode and exit"},
      {{"end", kRedirect + "?code=&sfdc_community_url=x"},
       "state 0 ",
       1,
       "Authentication html dlg error: no code in redirect url and close dlg"},
      {{"error", kRedirect + "?code=&sfdc_community_url=x"},
       "state 0 ",
       1,
       "Authentication html dlg error: no code in redirect url and exit"},
      {{"end", kRedirect + "&sfdc_community_url=x?code=abc"}, "state 0 ", 1, "no code in redirect url and close dlg"},
      {{"error", kRedirect + "?code=abc"}, "state 1 ", 0, "Authentication html dlg : proceed to getcode"},
      {{"end", kRedirect + "?code=a?code=b&sfdc_community_url=1&sfdc_community_url=2"},
       "state 3 a?code=b",
       1,
       "getcode and close dlg"},
      {{"error", kRedirect + "?code=" + big + "&sfdc_community_url=x"}, "state 3 " + big, 1, "getcode and exit"},
      // A byte that is not UTF-8 reaches the client as the replacement character.
      {{"end", kRedirect + "?code=a\xFF"
                           "b&sfdc_community_url=x"},
       "state 3 a\xEF\xBF\xBD"
       "b",
       1,
       "getcode and close dlg"},
      // Once the code is taken, further loads change nothing.
      {{"error", kRedirect + "?code=abc&sfdc_community_url=x", "end", kMakersPage, "end",
        kRedirect + "?code=&sfdc_community_url=x"},
       "state 3 abc",
       1,
       "NavigateError, valid url redirect"},
      // The prefix test is case-sensitive: an upper-case redirect is another site.
      {{"end", "HTTPS://LOCALHOST:8090/LOGIN?code=abc&sfdc_community_url=x"},
       "state 1 ",
       0,
       "Authentication: NavigateComplete, navigate to external link: HTTPS://LOCALHOST:8090/LOGIN?code=***"},
      // A failed page of the maker's closes the dialog when its load ends; another site's does not.
      {{"error", kMakersPage, "end", kMakersPage}, "state 1 ", 1, "NavigateComplete, error: " + kMakersPage},
      {{"error", "https://www.example.com/", "end", "https://www.example.com/"},
       "state 1 ",
       0,
       "Http error, navigate to error url : https://www.example.com/"},
      {{"end", "https://www.example.com/"}, "state 1 ", 0, "navigate to external link: https://www.example.com/"},
      // Without a network the box says so and the dialog closes, even after the code.
      {{"error", kRedirect + "?code=abc&sfdc_community_url=x", "offline", "error", kMakersPage},
       "state 1 ",
       2,
       "Authentication IsNetworkAlive: failure"},
  };
  for (const Case& c : cases) {
    LoginProbeFolder folder;
    Lines args = c.ops;
    for (const char* op : {"state", "prompts"}) args.push_back(op);
    const Lines lines = folder.Run(args);
    const std::string context = c.ops[0] + " " + c.ops[1].substr(0, 100);
    EXPECT_EQ(LinesStartingWith(lines, "state "), Lines{c.state}) << context;
    EXPECT_EQ(LinesStartingWith(lines, "closes "), Lines{"closes " + std::to_string(c.closes)}) << context;
    EXPECT_NE(folder.LogText().find(c.logText), std::string::npos) << context;
  }
}

TEST(LoginClientTest, LogShowsAddressesWithTheCodeMasked) {
  LoginProbeFolder folder;
  const std::string address = kRedirect + "?code=Secr3tC0de&sfdc_community_url=x";
  folder.Run({"end", address, "error", address, "error", kRedirect + "?code=Secr3tC0de"});
  const std::string log = folder.LogText();
  EXPECT_EQ(log.find("Secr3tC0de"), std::string::npos) << log;
  EXPECT_NE(log.find("complete url : " + kRedirect + "?code=***&sfdc_community_url=x"), std::string::npos) << log;
  EXPECT_NE(log.find("error url : " + kRedirect + "?code=***&sfdc_community_url=x, http code: -102"),
            std::string::npos);
  EXPECT_NE(log.find("Authentication: expected redirection PingID URL: " + CefString(Globals::PINGID_URI).ToString()),
            std::string::npos);
}

TEST(LoginClientTest, NoPostWithoutFrameBrowserOrDialog) {
  platform::ui::UseScriptedBackend();
  CefRefPtr<CCorvexOAuth2CefClient> client = new CCorvexOAuth2CefClient;
  CCorvexWebBrowserDlg dialog;
  dialog.SetClientHandler(client.get());
  client->OnLoadEnd(nullptr, nullptr, 200);
  client->OnLoadError(nullptr, nullptr, -102, "", kRedirect + "?code=abc&sfdc_community_url=x");
  CString code;
  EXPECT_EQ(client->GetAuthState(code), AUTHENT_NONE);
  EXPECT_TRUE(platform::ui::RecordedPrompts().empty());
  client->ForgetHostDialog();
  EXPECT_EQ(client->GetHostDialog(), nullptr);
}

TEST(LoginClientTest, HostsAreTheMakersByLabelOrLoginPrefix) {
  const std::string authUri = "https://login-eu.acme.test/identity/idplogin";
  struct Case {
    std::string address, authUri;
    bool external;
  } cases[] = {
      {"https://login-eu.acme.test/page", authUri, false},
      {"https://sso.login.example/x", authUri, false},  // holds the prefix "login"
      {"https://www.acme.example/x", authUri, false},
      {"http://shop.ac.uk/", authUri, false},
      {"https://www.other.example/search", authUri, true},
      {"https://www.acme.example", authUri, true},                        // no "/": no host
      {"https://www.other.example/", "https://acme.test/login", false},  // no "-": every host is the maker's
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsExternalLink(c.address, c.authUri, ".acme.", ".ac."), c.external) << c.address;
  // The development provider's pages are the maker's with the deployment's values.
  EXPECT_FALSE(IsExternalLink(kMakersPage, CefString(Globals::AUTH_URI).ToString(), CORVEX_HOME_DOMAIN_LABEL,
                              CORVEX_HOME_SHORT_DOMAIN_LABEL));
  EXPECT_TRUE(StartsWithAddress(kRedirect + "?x", kRedirect));
  EXPECT_FALSE(StartsWithAddress(kRedirect.substr(0, 10), kRedirect));
}

TEST(LoginClientTest, GoogleRequestsCarryExactlyOneDesktopUserAgent) {
  CefRefPtr<CCorvexOAuth2CefClient> client = new CCorvexOAuth2CefClient;
  bool disableDefault = false;
  EXPECT_EQ(client->GetResourceRequestHandler(nullptr, nullptr, nullptr, true, false, "", disableDefault).get(),
            static_cast<CefResourceRequestHandler*>(client.get()));
  const CefRequest::HeaderMap given = {{"user-agent", "a"}, {"USER-AGENT", "b"}, {"Accept", "text/html"}};
  CefRefPtr<RecordedRequest> google = new RecordedRequest("https://accounts.Google.example/x", given);
  CefRefPtr<RecordedRequest> other = new RecordedRequest("https://www.example.com/", given);
  for (const CefRefPtr<RecordedRequest>& request : {google, other})
    EXPECT_EQ(client->OnBeforeResourceLoad(nullptr, nullptr, request.get(), nullptr),
              CefResourceRequestHandler::RV_CONTINUE);
  const CefRequest::HeaderMap expected = {
      {"Accept", "text/html"},
      {"User-Agent", "Mozilla/5.0 (Windows NT 10.0; Win64; x64; rv:68.0) Gecko/20100101 Firefox/68.0"}};
  EXPECT_EQ(google->headers, expected);
  EXPECT_EQ(other->sets, 0);
}

TEST(LoginClientTest, WebBrowserControlCannotBeCreated) {
  CWebBrowser2 control;
  EXPECT_FALSE(control.Create("Browser", 0, RECT{}, nullptr, 1));
  EXPECT_EQ(control.GetLocationURL(), CString());
}

// Sign-in objects own their PKCE pairs (the sanitized build catches a shared one); a
// missing pair or an exception ends the flow with the error box.
TEST(SignInObjectTest, CopiesOwnTheirPairAndFailuresEndInTheErrorBox) {
  LoginProbeFolder folder;
  EXPECT_EQ(folder.Run({"copies"}), Lines{"copies ok"});
  ASSERT_TRUE(testing_support::WriteWholeFile(folder.BundleFile(), "bundle"));
  struct Case {
    std::string mend, logText;
    int boxes;
  } cases[] = {
      {"nopkce", "Authentication error: Unable to create PKCE pair", 1},
      {"throwing", "Authentication error: Unknown error", 2},  // in the constructor and the flow
  };
  for (const Case& c : cases) {
    const Lines lines = folder.Run({c.mend, "verify", "0", "", "", "prompts"});
    EXPECT_EQ(LinesStartingWith(lines, "authorized"), Lines{"authorized 0"}) << c.mend;
    EXPECT_EQ(LinesStartingWith(lines, "box"), Lines(c.boxes, kProblemBox)) << c.mend;
    EXPECT_TRUE(LinesStartingWith(lines, "dialog").empty()) << c.mend;
    EXPECT_NE(folder.LogText().find(c.logText), std::string::npos) << c.mend;
  }
}

}  // namespace
