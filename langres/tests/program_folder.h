// A temporary program folder for tests of the suite's libraries and their language
// modules: the language probe with its own CorvexV0.inf (the log goes to a folder of the
// temporary tree), links to the suite's libraries, and the libraries and modules the
// test copies in.
#pragma once

#include <string>
#include <vector>

#include "test_support.h"

class ProgramFolder {
 public:
  ProgramFolder();

  // Links every library of the build's program folder into prog/<relativeFolder>
  // (made if missing; "" or ending with "/"), as the installed folder holds them.
  void linkLibraries(const std::string& relativeFolder) const;
  // prog/<relative>
  std::string path(const std::string& relative) const;
  // Copies the file `source` to prog/<relative> (folders made), in place of a link.
  void copyIn(const std::string& source, const std::string& relative) const;
  // Runs the probe with the given operations (see language_probe.cpp) and returns its
  // output lines; a probe that does not end normally fails the test.
  std::vector<std::string> runProbe(const std::vector<std::string>& operations) const;
  // The log lines written at level Warning so far.
  std::vector<std::string> warnings() const;

 private:
  testing_support::TempFolder m_tmp;
  std::string m_program;
};

// True when `line` is one of `lines`.
bool Contains(const std::vector<std::string>& lines, const std::string& line);
