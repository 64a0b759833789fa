#include "form.h"

#include "encoding.h"

namespace devidp {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Decode(const std::string& text, std::string& decoded) {
  decoded.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      decoded += ' ';
    } else if (text[i] != '%') {
      decoded += text[i];
    } else {
      if (i + 2 >= text.size()) return false;
      const int high = HexValue(text[i + 1]), low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return false;
      decoded += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return true;
}

}  // namespace

const std::string* Form::Find(const std::string& name) const {
  for (const FormField& field : fields) {
    if (field.name == name) return &field.value;
  }
  return nullptr;
}

std::string ParseForm(const std::string& text, Form& form) {
  form.fields.clear();
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('&', start);
    if (end == std::string::npos) end = text.size();
    const std::string piece = text.substr(start, end - start);
    start = end + 1;
    if (piece.empty()) continue;
    const size_t equals = piece.find('=');
    FormField field;
    if (!Decode(piece.substr(0, equals), field.name) ||
        (equals != std::string::npos && !Decode(piece.substr(equals + 1), field.value))) {
      return "malformed percent-encoding";
    }
    if (!IsUtf8(field.name) || !IsUtf8(field.value)) return "text is not UTF-8";
    if (form.Find(field.name)) return "repeated field " + field.name;
    form.fields.push_back(std::move(field));
  }
  return "";
}

}  // namespace devidp
