// The export family and the column layouts, in probe processes.
#include <sys/stat.h>

#include <future>

#include "settings_fixture.h"

class SettingsExportTest : public SettingsFixture {
 protected:
  const std::string userCopy = userFolder + "/CorvexV0.inf";
  Answers Do(std::vector<std::string> commands) {
    commands.insert(commands.begin(), "--do");
    return Probe(commands);
  }
};

TEST_F(SettingsExportTest, PrintoutFlagsReloadAndEqualValuesLeaveTheFileUntouched) {
  const std::string flags = "0,1,0,1,0,1,0,1,0,1";
  Do({"SetExportPrintCheckBoxes=" + flags, "--dlclose"});
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT", "PrintListMatPackProd"), "1");
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT", "PrintPresta"), "1");
  EXPECT_EQ(Do({"GetExportPrintCheckBoxes"}).at("GetExportPrintCheckBoxes"), flags);

  struct stat before = {}, after = {};
  ASSERT_EQ(stat(userCopy.c_str(), &before), 0);
  Do({"SetExportPrintCheckBoxes=" + flags, "--dlclose"});
  ASSERT_EQ(stat(userCopy.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(SettingsExportTest, LayoutsReadOddColumnsAndASavedLayoutReloadsEqual) {
  const char* section = "CORVEXSTAGERESULT_COLUMN_PRINT";
  Write(settingsFile, section, "NbColumns", "4");
  Write(settingsFile, section, "Column1", "7#x");
  Write(settingsFile, section, "Column2", "5");
  Write(settingsFile, section, "Column3", "2#4");
  Write(settingsFile, section, "Column4", "3#3");
  Write(settingsFile, section, "ColumnWidth4", "12.5abc");
  Write(settingsFile, section, "ColumnAlignment4", "2");
  const Answers loaded = Do({"Layout=print", "Layout=data", "AddColumn=data|6|3|2|87.25|90", "SaveDataLayout",
                             "Layout=data", "Layout=costing", "Layout=service", "--dlclose"});
  EXPECT_EQ(loaded.at("Layout"), "0:7#0,0,0,1;1:0#0,0,0,1;2:0#0,0,0,1;3:3#3,2,12.5,1");
  EXPECT_EQ(loaded.at("Layout#2"), "0:0#0,0,120,120;1:1#1,0,240,240;2:4#2,1,60,60");
  EXPECT_EQ(loaded.at("Layout#4"), "0:0#0,0,200,200;1:3#1,2,80,80");
  EXPECT_EQ(loaded.at("Layout#5"), "");
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT_COLUMN_DATA", "NbColumns"), "4");
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT_COLUMN_DATA", "Column4"), "6#3");
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT_COLUMN_DATA", "Column1"), "<missing>");  // as the shared value
  EXPECT_EQ(Do({"Layout=data"}).at("Layout"), loaded.at("Layout#3"));
}

TEST_F(SettingsExportTest, TwoProcessesSavingDifferentKeysAtOnceKeepBoth) {
  std::vector<std::string> flagSaves = {"--do"}, vatSaves = {"--do"};
  for (int round = 0; round < 20; ++round) {
    const std::string bit = std::to_string(round % 2);
    flagSaves.insert(flagSaves.end(), {"SetExportPrintCheckBoxes=" + bit + ",0,0,0,0,0,0,0,0," + bit, "Flush"});
    vatSaves.insert(vatSaves.end(), {"SetDefaultVAT=" + std::to_string(round), "Flush"});
  }
  const auto run = [&](const std::vector<std::string>& args) {
    return std::async(std::launch::async,
                      [&, args] { return testing_support::RunProgram(program + "/settings_probe", args, {}, 60); });
  };
  auto flags = run(flagSaves);
  auto vat = run(vatSaves);
  EXPECT_EQ(flags.get().exitCode, 0);
  EXPECT_EQ(vat.get().exitCode, 0);
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGERESULT", "PrintPresta"), "1");
  EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGEPRICER", "VAT"), "19.000000");
}
