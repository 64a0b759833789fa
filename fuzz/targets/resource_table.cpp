// Resource tables of language modules: any bytes as the table the loader finds in a
// module (bounded by its symbol's size), decoded, then every string, dialog and
// version value visited as the resource calls hand them out.
#include "fuzz_support.h"
#include "resource_format.h"
#include "resource_table.h"

using fuzzing::Require;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const auto resources = platform::DecodeResourceTable(data, size);
  if (!resources) return 0;
  size_t textBytes = 0;  // every text of the table is decoded once
  for (const auto& [id, text] : resources->strings) textBytes += text.size() + 1;
  for (const auto& [id, dialog] : resources->dialogs) {
    Require(dialog.id == id, "a dialog is found under its own id");
    textBytes += dialog.title.size() + 1;
    for (const DialogControlTemplate& control : dialog.controls) {
      Require(control.anchors <= resource_format::kAllAnchors, "anchors are known ones");
      textBytes += control.className.size() + control.text.size() + 2;
    }
  }
  if (resources->version)
    for (const auto& [name, value] : resources->version->values) textBytes += name.size() + value.size() + 2;
  Require(textBytes <= size, "the decoded texts are no larger than the table");
  return 0;
}
