// The hive tool's command line and the hive's key paths: any bytes as arguments (split at
// zero bytes), read into a request; the request's data converted for its type and shown
// again, and its subkey split the way the hive opens a key.
#include <string>
#include <vector>

#include "command_line.h"
#include "fuzz_support.h"
#include "registry_store.h"
#include "value_text.h"

using fuzzing::Require;

namespace {

std::vector<std::string> argumentsOf(const unsigned char* data, size_t size) {
  std::vector<std::string> args(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == '\0')
      args.emplace_back();
    else
      args.back().push_back(static_cast<char>(data[i]));
  }
  return args;
}

void requireSplit(const std::string& keyPath) {
  platform::registry::KeyPath path;
  if (platform::registry::SplitKeyPath(keyPath.c_str(), path) != ERROR_SUCCESS) return;
  for (const std::string& element : path)
    Require(!element.empty() && element.find('\\') == std::string::npos, "a key name is one level");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  const std::vector<std::string> args = argumentsOf(data, size);
  for (const std::string& arg : args) requireSplit(arg);
  hivetool::Request request;
  std::string error;
  if (!hivetool::ParseCommandLine(args, request, error)) {
    Require(!error.empty(), "a refused command line says why");
    return 0;
  }
  Require(request.root != nullptr, "a command names its root key");
  requireSplit(request.subkey);
  std::string bytes;
  if (request.operation == hivetool::Operation::Add && hivetool::DataFromText(request.type, request.data, bytes))
    hivetool::DataText(request.type, bytes);
  return 0;
}
