// The tool's three commands over the registry calls. Each returns the exit code.
#pragma once

#include "request.h"

namespace hivetool {

int Query(const Request& request);
int Add(const Request& request);
int Delete(const Request& request);

// Writes "ERROR: <text of the status>" to standard error; returns 1.
int Fail(LONG status);

}  // namespace hivetool
