// Symbols a module exports itself (not its dependencies), as Windows looks them up.
#pragma once

#include "wintypes.h"

namespace platform {

// The address of `name` when `module` (NULL: the program) defines it itself, else null.
// dlsym alone also answers from a library's dependencies and, on the program's
// handle, from every global module.
void* OwnSymbol(HMODULE module, const char* name);

}  // namespace platform
