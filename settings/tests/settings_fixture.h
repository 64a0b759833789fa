// A program folder in a temporary folder: the sample settings files filled for it, the
// installation check's component stubs and the settings probe, which loads the
// settings as a program of that folder and prints every answer. Home, hive and
// machine folders point into the temporary folder too.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "test_support.h"

using Answers = std::map<std::string, std::string>;

class SettingsFixture : public ::testing::Test {
 protected:
  void SetUp() override { LayOut(); }
  // Lays the program folder out afresh.
  void LayOut();

  // Runs the probe with the given options and extra environment; its answers by name,
  // its whole output in probeOutput.
  Answers Probe(const std::vector<std::string>& args = {}, const std::map<std::string, std::string>& env = {});

  // The profile value as the platform reads it, "<missing>" when absent.
  static std::string OnDisk(const std::string& file, const char* section, const char* key);
  static void Write(const std::string& file, const char* section, const char* key, const char* value);

  testing_support::TempFolder tmp;
  const std::string program = tmp / "program";
  const std::string settingsFile = program + "/CorvexV0.inf";
  const std::string dirList = program + "/PELKPELKD.INI";
  const std::string userFolder = tmp / "home/.config/halvorn/Tamberlo";
  const std::string systemFolder = tmp / "system";
  const std::string documents = tmp / "home/Documents";
  const std::string prompts = tmp / "prompts";
  std::string probeOutput;
};
