// JSON answers: the OAuth2 error shape every refusal uses, and a flat object writer.
#pragma once

#include <httplib.h>

#include <string>

namespace devidp {

// {"error": error, "error_description": description}
void AnswerError(httplib::Response& res, int status, const std::string& error, const std::string& description);

void AnswerJson(httplib::Response& res, int status, const std::string& json);

}  // namespace devidp
