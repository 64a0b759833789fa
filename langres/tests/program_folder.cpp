#include "program_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace

ProgramFolder::ProgramFolder() {
  testing_support::RedirectUserAndMachineFolders(m_tmp / "root");
  std::filesystem::create_directories(path(""));
  m_program = path("language_probe");
  std::filesystem::copy_file(CORVEX_TEST_BIN_DIR "/language_probe", m_program);
  linkLibraries("");
  testing_support::WriteWholeFile(path("CorvexV0.inf"), "[DIRECTORIES]\nTRACKINGLOG=" + (m_tmp / "logs") + "\n");
}

void ProgramFolder::linkLibraries(const std::string& relativeFolder) const {
  std::filesystem::create_directories(path(relativeFolder));
  for (const auto& entry : std::filesystem::directory_iterator(CORVEX_PROGRAM_DIR))
    if (entry.path().extension() == ".so")
      std::filesystem::create_symlink(entry.path(), path(relativeFolder + entry.path().filename().string()));
}

std::string ProgramFolder::path(const std::string& relative) const { return m_tmp / ("prog/" + relative); }

void ProgramFolder::copyIn(const std::string& source, const std::string& relative) const {
  const std::filesystem::path target = path(relative);
  std::filesystem::create_directories(target.parent_path());
  std::filesystem::remove(target);
  std::filesystem::copy_file(source, target);
}

std::vector<std::string> ProgramFolder::runProbe(const std::vector<std::string>& operations) const {
  testing_support::ChildResult result = testing_support::RunProgram(m_program, operations);
  EXPECT_EQ(result.exitCode, 0) << result.output;
  return splitLines(result.output);
}

std::vector<std::string> ProgramFolder::warnings() const {
  std::vector<std::string> found;
  for (const std::string& line : splitLines(testing_support::ReadWholeFile(m_tmp / "logs/Norvasta - Tamberlo.log")))
    if (line.find(" - Warning - ") != std::string::npos) found.push_back(line);
  return found;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  for (const std::string& each : lines)
    if (each == line) return true;
  return false;
}
