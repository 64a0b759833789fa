// The sample settings files filled for a program folder, as CMake lays them out.
#pragma once

#include <string>

#include "test_support.h"

// Copies every sample template into `programFolder` with @PROGRAM_DIR@ and
// @BUILD_STAMP@ replaced.
void LayOutSampleSettings(const std::string& programFolder);

// A temporary folder, with the user and machine folders redirected into it, holding
// the sample laid out in its "program" subfolder.
struct SampleSettingsFolder {
  SampleSettingsFolder();
  testing_support::TempFolder tmp;
  std::string program = tmp / "program";
  std::string settingsFile = program + "/CorvexV0.inf";
};
