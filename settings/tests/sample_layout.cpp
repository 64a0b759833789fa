#include "sample_layout.h"

#include <filesystem>
#include <utility>

#include "build_stamp.h"
#include "test_support.h"

namespace fs = std::filesystem;

void LayOutSampleSettings(const std::string& programFolder) {
  const std::pair<std::string, std::string> markers[] = {{"@PROGRAM_DIR@", programFolder},
                                                         {"@BUILD_STAMP@", LibraryBuildStamp().str()}};
  for (const auto& entry : fs::recursive_directory_iterator(CORVEX_SETTINGS_SAMPLE_DIR)) {
    if (!entry.is_regular_file()) continue;
    std::string text = testing_support::ReadWholeFile(entry.path().string());
    for (const auto& [marker, value] : markers)
      for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + value.size()))
        text.replace(at, marker.size(), value);
    const fs::path target = programFolder / fs::relative(entry.path(), CORVEX_SETTINGS_SAMPLE_DIR);
    fs::create_directories(target.parent_path());
    testing_support::WriteWholeFile(target.string(), text);
  }
}

SampleSettingsFolder::SampleSettingsFolder() {
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  LayOutSampleSettings(program);
}
