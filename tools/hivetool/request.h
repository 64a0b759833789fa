// One corvexreg command, as read from its command line.
#pragma once

#include <string>

#include "winreg.h"

namespace hivetool {

enum class Operation { Query, Add, Delete };

struct Request {
  Operation operation = Operation::Query;
  HKEY root = nullptr;
  std::string keyPath;  // as shown: the root's full name, then the subkey
  std::string subkey;
  bool oneValue = false;  // /v name, or /ve for the default value (empty name)
  std::string valueName;
  bool allValues = false;  // /va
  bool recurse = false;    // /s
  bool force = false;      // /f
  DWORD type = REG_SZ;     // /t
  std::string data;        // /d
};

}  // namespace hivetool
