// The installation check: registers the suite's COM components for the user.
#pragma once

#include "afxstr.h"

// Registers each component library of the program folder in turn, stopping at the
// first failure. Returns 0 with `message` filled when a library cannot be found,
// else 1. Only runs when COM was already initialised on the calling thread.
int CheckComponentInstallation(const CString& programFolder, CString& message);
