#include "login_routes.h"

#include <cctype>

#include "encoding.h"
#include "login_page.h"
#include "paths.h"

namespace devidp {
namespace {

bool IsChallenge(const std::string& text) {
  if (text.size() != 43) return false;
  for (char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_') return false;
  }
  return true;
}

// Empty when `form` holds a valid authorization request, then copied into `request`;
// otherwise the reason it is refused.
std::string CheckAuthorizationRequest(const Form& form, const std::string& clientId,
                                      AuthorizationRequest& request) {
  const auto value = [&form](const char* name) {
    const std::string* found = form.Find(name);
    return found ? *found : std::string();
  };
  if (value("client_id") != clientId) return "unknown client_id";
  if (value("redirect_uri") != kRegisteredRedirectUri) return "redirect_uri is not registered for this client";
  if (value("response_type") != "code") return "response_type must be code";
  if (!IsChallenge(value("code_challenge"))) return "code_challenge must be 43 URL-safe characters";
  if (value("code_challenge_method") != "S256") return "code_challenge_method must be S256";
  request = {value("client_id"), value("redirect_uri"), value("code_challenge"), value("state")};
  return "";
}

void Refuse(httplib::Response& res, const std::string& reason) {
  res.status = 400;
  res.set_content(RefusalPageHtml(reason), "text/html;charset=UTF-8");
}

void ShowLoginPage(const Provider& provider, const Form& request, const std::string& message,
                   httplib::Response& res) {
  const User& demo = provider.users.Demo();
  // After a refused password the page never submits itself again.
  const bool autoSubmit = provider.autoSubmit && message.empty();
  res.set_header("Cache-Control", "no-store");
  res.set_content(LoginPageHtml({&request, message, demo.name, demo.password, autoSubmit, provider.reportPageLoads}),
                  "text/html;charset=UTF-8");
}

std::string RedirectWithCode(const Provider& provider, const AuthorizationRequest& request, const std::string& code) {
  std::string address = request.redirectUri + "?code=" + PercentEncode(code) +
                        "&sfdc_community_url=" + PercentEncode(provider.issuer + "/identity") +
                        "&iss=" + PercentEncode(provider.issuer);
  if (!request.state.empty()) address += "&state=" + PercentEncode(request.state);
  return address;
}

}  // namespace

void AddLoginRoutes(Router& router, Provider& provider) {
  router.Get(kLoginPath, [&provider](const httplib::Request& req, httplib::Response& res) {
    Form form;
    AuthorizationRequest request;
    std::string reason = ParseForm(RawQuery(req), form);
    if (reason.empty()) reason = CheckAuthorizationRequest(form, provider.clientId, request);
    if (!reason.empty()) return Refuse(res, reason);
    ShowLoginPage(provider, form, "", res);
  });

  router.PostForm(kLoginPath, [&provider](const httplib::Request&, const Form& form, httplib::Response& res) {
    AuthorizationRequest request;
    const std::string reason = CheckAuthorizationRequest(form, provider.clientId, request);
    if (!reason.empty()) return Refuse(res, reason);
    const std::string* name = form.Find("username");
    const std::string* password = form.Find("password");
    const User* user = name && password ? provider.users.SignIn(*name, *password) : nullptr;
    if (!user) return ShowLoginPage(provider, form, "Wrong user name or password.", res);
    const std::string ticket = provider.grants.AddLoginTicket(request, user->name);
    res.set_redirect(std::string(kAuthorizationPagePath) + "?ticket=" + ticket);
  });

  router.Get(kAuthorizationPagePath, [&provider](const httplib::Request& req, httplib::Response& res) {
    Form form;
    AuthorizationRequest request;
    std::string user;
    const std::string* ticket = ParseForm(RawQuery(req), form).empty() ? form.Find("ticket") : nullptr;
    if (!ticket || !provider.grants.TakeLoginTicket(*ticket, request, user)) {
      return Refuse(res, "this sign-in has expired or was already used; start again");
    }
    res.set_redirect(RedirectWithCode(provider, request, provider.grants.IssueCode(request, user)));
  });
}

}  // namespace devidp
