// Reads "corvexreg query|add|delete <KEY> [options]" into a request.
#pragma once

#include <string>
#include <vector>

#include "request.h"

namespace hivetool {

// False with `error` set when the line is not a valid command.
bool ParseCommandLine(const std::vector<std::string>& args, Request& request, std::string& error);

extern const char kUsage[];

}  // namespace hivetool
