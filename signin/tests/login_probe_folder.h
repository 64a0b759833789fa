// A program folder for login_probe: the probe, its CorvexV0.inf (log, CA bundle folder,
// time-out, product name), the system's name and a home of its own, all in a temporary
// folder.
#pragma once

#include <string>
#include <vector>

#include "test_support.h"

class LoginProbeFolder {
 public:
  LoginProbeFolder();

  // The probe's output lines for these operations; its exit code must be 0.
  std::vector<std::string> Run(const std::vector<std::string>& args) const;
  std::string LogText() const;
  std::string Home() const { return m_tmp / "home"; }
  std::string BundleFile() const { return m_tmp / "certs/cacert.pem"; }
  std::string Root() const { return m_tmp.path(); }

 private:
  testing_support::TempFolder m_tmp;
};

// The lines that begin with `prefix`.
std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines, const std::string& prefix);
