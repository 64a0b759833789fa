// Test helper: loads suite libraries, runs their Init...DLL entries and reads
// resources through the process's resource chain, one operation per argument group:
//
//   set <subfolder> <extension>   PELK3_ values       -> "set <1|0> <1|0>"
//   load <path>                   LoadLibraryA        -> "load 1" or "load 0 <error>"
//   init <entry>                  the last loaded     -> "init <result>"
//   string <id>                   CString::LoadString -> "string <id> <text>"
//   dialog <id>                   through the chain   -> "dialog <id> <title>" or "dialog <id> none",
//                                                        then "control <id> <anchors> <text>" each
//   free                          FreeLibrary, last   -> "free <result>"
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "PelkTools.h"
#include "afxstr.h"
#include "winerror.h"
#include "winmodule.h"
#include "winresource.h"

namespace {

std::vector<HMODULE> loaded;

void printDialog(UINT id) {
  std::optional<DialogTemplate> dialog = platform::FindDialogTemplate(id);
  if (!dialog) {
    std::printf("dialog %u none\n", id);
    return;
  }
  std::printf("dialog %u %s\n", id, dialog->title.c_str());
  for (const DialogControlTemplate& control : dialog->controls)
    std::printf("control %d %u %s\n", control.id, control.anchors, control.text.c_str());
}

UINT number(const char* text) { return static_cast<UINT>(std::strtoul(text, nullptr, 10)); }

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string op = argv[i];
    if (op == "set" && i + 2 < argc) {
      const int subfolder = PELK3_SetSubdirResFile(argv[i + 1]);
      std::printf("set %d %d\n", subfolder, PELK3_SetExtResourceFile(argv[i + 2]));
      i += 2;
    } else if (op == "load" && i + 1 < argc) {
      HMODULE module = LoadLibraryA(argv[++i]);
      if (module) loaded.push_back(module);
      std::printf(module ? "load 1\n" : "load 0 %u\n", GetLastError());
    } else if (op == "init" && i + 1 < argc && !loaded.empty()) {
      auto init = reinterpret_cast<int (*)()>(GetProcAddress(loaded.back(), argv[++i]));
      std::printf("init %d\n", init ? init() : -1);
    } else if (op == "string" && i + 1 < argc) {
      CString text;
      text.LoadString(number(argv[++i]));
      std::printf("string %s %s\n", argv[i], text.GetString());
    } else if (op == "dialog" && i + 1 < argc) {
      printDialog(number(argv[++i]));
    } else if (op == "free" && !loaded.empty()) {
      std::printf("free %d\n", FreeLibrary(loaded.back()));
      loaded.pop_back();
    } else {
      std::fprintf(stderr, "language_probe: bad operation %s\n", argv[i]);
      return 2;
    }
  }
  return 0;
}
