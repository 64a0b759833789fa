// The HTML of the login form and of the page that refuses a sign-in request.
#pragma once

#include <string>

#include "form.h"

namespace devidp {

struct LoginPage {
  const Form* request;       // the authorization parameters, carried as hidden fields
  std::string message;       // shown above the form when not empty
  std::string demoUser;      // named on the page
  std::string demoPassword;
  bool autoSubmit = false;   // fill in the demo user and post at once
  bool reportLoad = false;   // tell the test control when the page has loaded
};

std::string LoginPageHtml(const LoginPage& page);
std::string RefusalPageHtml(const std::string& reason);

}  // namespace devidp
