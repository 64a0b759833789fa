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
  for (const auto& [id, text] : resources->strings) Require(text.size() < size, "a string lies in the table");
  for (const auto& [id, dialog] : resources->dialogs) {
    Require(dialog.id == id, "a dialog is found under its own id");
    for (const DialogControlTemplate& control : dialog.controls)
      Require(control.anchors <= resource_format::kAllAnchors, "anchors are known ones");
  }
  if (resources->version)
    for (const auto& [name, value] : resources->version->values)
      Require(name.size() + value.size() < size, "version texts lie in the table");
  return 0;
}
