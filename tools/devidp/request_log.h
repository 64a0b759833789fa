// The provider's own log: one line per request on standard error, "METHOD target STATUS",
// with the values of secret query parameters shown as "***".
#pragma once

#include <httplib.h>

#include <string>

namespace devidp {

void LogRequest(const httplib::Request& req, const httplib::Response& res);

}  // namespace devidp
