#include "command_line.h"

#include <strings.h>

#include "value_text.h"

namespace hivetool {
namespace {

struct Root {
  const char* shortName;
  const char* fullName;
  HKEY handle;
};

const Root kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKU", "HKEY_USERS", HKEY_USERS},
};

bool Same(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

bool ParseKey(std::string text, Request& request) {
  while (!text.empty() && text.back() == '\\') text.pop_back();
  const size_t cut = text.find('\\');
  const std::string rootName = text.substr(0, cut);
  request.subkey = cut == std::string::npos ? std::string() : text.substr(cut + 1);
  for (const Root& root : kRoots) {
    if (Same(rootName, root.shortName) || Same(rootName, root.fullName)) {
      request.root = root.handle;
      request.keyPath = std::string(root.fullName) + (request.subkey.empty() ? "" : "\\" + request.subkey);
      return true;
    }
  }
  return false;
}

bool ParseOperation(const std::string& name, Operation& operation) {
  if (Same(name, "query")) operation = Operation::Query;
  else if (Same(name, "add")) operation = Operation::Add;
  else if (Same(name, "delete")) operation = Operation::Delete;
  else return false;
  return true;
}

// Reads the options after the key. Which options fit which command is checked afterwards.
bool ParseOptions(const std::vector<std::string>& args, Request& request, bool& typed, bool& withData) {
  int valueChoices = 0;
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& option = args[i];
    const bool hasArgument = i + 1 < args.size();
    if (Same(option, "/v") && hasArgument) {
      request.oneValue = true;
      request.valueName = args[++i];
      ++valueChoices;
    } else if (Same(option, "/ve")) {
      request.oneValue = true;
      ++valueChoices;
    } else if (Same(option, "/va")) {
      request.allValues = true;
      ++valueChoices;
    } else if (Same(option, "/t") && hasArgument) {
      if (!TypeFromName(args[++i], request.type)) return false;
      typed = true;
    } else if (Same(option, "/d") && hasArgument) {
      request.data = args[++i];
      withData = true;
    } else if (Same(option, "/s")) {
      request.recurse = true;
    } else if (Same(option, "/f")) {
      request.force = true;
    } else {
      return false;
    }
  }
  return valueChoices <= 1;
}

}  // namespace

const char kUsage[] =
    "CORVEXREG QUERY KeyName [/v ValueName | /ve] [/s]\n"
    "CORVEXREG ADD KeyName [/v ValueName | /ve] [/t Type] [/d Data] [/f]\n"
    "CORVEXREG DELETE KeyName [/v ValueName | /ve | /va] [/f]\n"
    "\n"
    "  KeyName   ROOTKEY\\SubKey, ROOTKEY one of HKCU, HKLM, HKCR, HKU\n"
    "  Type      REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ, REG_DWORD, REG_QWORD, REG_BINARY, REG_NONE\n";

bool ParseCommandLine(const std::vector<std::string>& args, Request& request, std::string& error) {
  error = "Invalid syntax.";
  if (args.size() < 2 || !ParseOperation(args[0], request.operation)) return false;
  if (!ParseKey(args[1], request)) {
    error = "Invalid key name.";
    return false;
  }
  bool typed = false, withData = false;
  if (!ParseOptions(args, request, typed, withData)) return false;
  switch (request.operation) {
    case Operation::Query:
      return !request.allValues && !typed && !withData && !request.force;
    case Operation::Add:
      return !request.allValues && !request.recurse;
    case Operation::Delete:
      return !typed && !withData && !request.recurse;
  }
  return false;
}

}  // namespace hivetool
