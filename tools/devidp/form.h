// The application/x-www-form-urlencoded text of a login form, a token request or an
// address's query.
#pragma once

#include <string>
#include <vector>

namespace devidp {

struct FormField {
  std::string name;
  std::string value;
};

struct Form {
  std::vector<FormField> fields;  // in the order received

  // The value of `name`, or null when the form has no such field.
  const std::string* Find(const std::string& name) const;
};

// Decodes "+" as a space and "%XX" escapes. Empty pieces ("a=1&&b=2&") are skipped and a
// piece without "=" is a field with an empty value. Returns an empty text on success,
// otherwise why the text is refused: a malformed escape, a repeated field, text that is
// not UTF-8.
std::string ParseForm(const std::string& text, Form& form);

}  // namespace devidp
