// The sample settings files filled for a program folder, as CMake lays them out.
#pragma once

#include <string>

// Copies every sample template into `programFolder` with @PROGRAM_DIR@ and
// @BUILD_STAMP@ replaced.
void LayOutSampleSettings(const std::string& programFolder);
