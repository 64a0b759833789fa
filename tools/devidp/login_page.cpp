#include "login_page.h"

#include "paths.h"

namespace devidp {
namespace {

std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&#39;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::string Head(const std::string& title) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + title +
         "</title></head>\n";
}

std::string Input(const std::string& type, const std::string& name, const std::string& value) {
  return "<input type=\"" + type + "\" name=\"" + Escape(name) + "\" value=\"" + Escape(value) + "\">";
}

}  // namespace

std::string LoginPageHtml(const LoginPage& page) {
  std::string html = Head("Sign in");
  const std::string report = page.reportLoad ? "navigator.sendBeacon('" + std::string(kPageShownPath) + "');" : "";
  const std::string submit = page.autoSubmit ? "document.forms[0].submit();" : "";
  html += report.empty() && submit.empty() ? "<body>\n" : "<body onload=\"" + report + submit + "\">\n";
  html += "<h1>Sign in</h1>\n";
  if (!page.message.empty()) html += "<p class=\"error\">" + Escape(page.message) + "</p>\n";
  html += "<p>Development account: user <b>" + Escape(page.demoUser) + "</b>, password <b>" +
          Escape(page.demoPassword) + "</b></p>\n";
  html += "<form method=\"post\" action=\"" + std::string(kLoginPath) + "\">\n";
  for (const FormField& field : page.request->fields) {
    if (field.name != "username" && field.name != "password") html += Input("hidden", field.name, field.value) + "\n";
  }
  const std::string user = page.autoSubmit ? page.demoUser : "", password = page.autoSubmit ? page.demoPassword : "";
  html += "<label>User " + Input("text", "username", user) + "</label><br>\n";
  html += "<label>Password " + Input("password", "password", password) + "</label><br>\n";
  html += "<button type=\"submit\">Sign in</button>\n</form>\n</body></html>\n";
  return html;
}

std::string RefusalPageHtml(const std::string& reason) {
  return Head("Sign-in request refused") + "<body>\n<h1>Sign-in request refused</h1>\n<p>" + Escape(reason) +
         "</p>\n</body></html>\n";
}

}  // namespace devidp
