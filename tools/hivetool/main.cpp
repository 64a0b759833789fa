// corvexreg: query, add and delete keys and values of the hive, like the Windows "reg" tool.
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "/?" || args.back() == "/?") {
    std::fputs(hivetool::kUsage, stdout);
    return args.empty() ? 1 : 0;
  }
  hivetool::Request request;
  std::string error;
  if (!hivetool::ParseCommandLine(args, request, error)) {
    std::fprintf(stderr, "ERROR: %s\nType \"corvexreg /?\" for usage.\n", error.c_str());
    return 1;
  }
  switch (request.operation) {
    case hivetool::Operation::Query:
      return hivetool::Query(request);
    case hivetool::Operation::Add:
      return hivetool::Add(request);
    case hivetool::Operation::Delete:
      return hivetool::Delete(request);
  }
  return 1;
}
