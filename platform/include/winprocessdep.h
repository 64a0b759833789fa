// Data-execution prevention of the process. The kernel keeps data pages non-executable
// for every process here, so there is nothing to switch on.
#pragma once

#include "wintypes.h"

#define PROCESS_DEP_ENABLE 0x00000001

inline BOOL SetProcessDEPPolicy(DWORD /*flags*/) { return TRUE; }
