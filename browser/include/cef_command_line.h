// A process's command line: the program, its switches ("--name" or "--name=value") in
// order, then its other arguments.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cef_base.h"
#include "cef_string.h"

class CefCommandLine : public CefBaseRefCounted {
 public:
  static CefRefPtr<CefCommandLine> CreateCommandLine();
  // The browser process's command line once the runtime is initialised, else null.
  static CefRefPtr<CefCommandLine> GetGlobalCommandLine();

  void InitFromArgv(int argc, const char* const* argv);
  // "--name" or "--name=value" for each switch, in order.
  std::vector<std::string> GetSwitchArguments() const;

  bool HasSwitch(const CefString& name) const;
  CefString GetSwitchValue(const CefString& name) const;
  void AppendSwitch(const CefString& name);
  void AppendSwitchWithValue(const CefString& name, const CefString& value);

 private:
  std::string m_program;
  std::vector<std::pair<std::string, std::string>> m_switches;
  std::vector<std::string> m_arguments;

  IMPLEMENT_REFCOUNTING(CefCommandLine);
};
