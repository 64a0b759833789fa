// The development provider's forms and queries: any text as a form body or an address's
// query, decoded, then its fields looked up the way the routes read them.
#include <string>

#include "encoding.h"
#include "form.h"
#include "fuzz_support.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  devidp::Form form;
  const std::string refusal = devidp::ParseForm(text, form);
  if (!refusal.empty()) return 0;
  for (const devidp::FormField& field : form.fields) {
    Require(devidp::IsUtf8(field.name) && devidp::IsUtf8(field.value), "fields are UTF-8");
    Require(form.Find(field.name) == &field.value, "a field is found under its own name");
    devidp::Form again;
    Require(
        devidp::ParseForm(devidp::PercentEncode(field.name) + "=" + devidp::PercentEncode(field.value), again).empty(),
        "an encoded field decodes");
    Require(again.fields.size() == 1 && again.fields[0].value == field.value, "a field survives its encoding");
  }
  return 0;
}
