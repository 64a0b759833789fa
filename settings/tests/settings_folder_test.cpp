// Folder and message settings, in probe processes.
#include "settings_fixture.h"

class SettingsFolderTest : public SettingsFixture {
 protected:
  Answers Do(std::vector<std::string> commands) {
    commands.insert(commands.begin(), "--do");
    return Probe(commands);
  }
};

TEST_F(SettingsFolderTest, ListFollowsTheVisibleKeysInFileOrderAndSavesToTheUserCopy) {
  Write(dirList, "DIRECTORIES_VISIBLE", "GRAPHFILES", "Drawings");  // no such folder: not listed
  Write(dirList, "DIRECTORIES_VISIBLE", "AUTOSAVE", "Saved");
  Write(dirList, "DIRECTORIES", "TMP", "");
  const Answers answers =
      Do({"GetDefaultFolderList", "GetTempDefaultFolder", "GetPelkGraphfileDir", "GetCorvexInterfaceFile",
          "SetFolderLabel=EXPORT|/data/exports", "SaveDefaultFolderData", "GetExportDefaultFolder", "--dlclose"});
  EXPECT_EQ(answers.at("GetDefaultFolderList"), "Projects|" + program + "/Projects|PROJECT;Temporary files||TMP;" +
                                                    "Exports|" + program + "/Export|EXPORT;Saved|" + program +
                                                    "/AutoSave|AUTOSAVE");
  EXPECT_EQ(answers.at("GetTempDefaultFolder"), "1:");
  EXPECT_EQ(answers.at("GetPelkGraphfileDir"), "0:<untouched>");
  EXPECT_EQ(answers.at("GetCorvexInterfaceFile"), "1:<untouched>");  // the caller's own text
  EXPECT_EQ(answers.at("GetExportDefaultFolder"), "1:/data/exports");
  EXPECT_EQ(OnDisk(userFolder + "/PELKPELKD.INI", "DIRECTORIES", "EXPORT"), "/data/exports");
  EXPECT_EQ(OnDisk(userFolder + "/PELKPELKD.INI", "DIRECTORIES", "PROJECT"), "<missing>");
  EXPECT_EQ(OnDisk(dirList, "DIRECTORIES", "EXPORT"), program + "/Export");
}

TEST_F(SettingsFolderTest, MessageSwitchesAnswerOnlyTheirIds) {
  Write(settingsFile, "SHOWMESSAGE", "DeleteOrder", "0");
  const Answers answers = Do({"GetWarningSetting=99", "GetWarningSetting=101", "GetWarningSetting=113",
                              "GetWarningSetting=114", "SetWarningSetting=0|113", "SetWarningSetting=0|114",
                              "GetWarningSetting=113", "GetCorvexInterfaceFile", "--dlclose"});
  EXPECT_EQ(answers.at("GetWarningSetting"), "0");
  EXPECT_EQ(answers.at("GetWarningSetting#2"), "0");
  EXPECT_EQ(answers.at("GetWarningSetting#3"), "1");
  EXPECT_EQ(answers.at("GetWarningSetting#4"), "0");
  EXPECT_EQ(answers.at("GetWarningSetting#5"), "0");
  EXPECT_EQ(answers.at("GetCorvexInterfaceFile"), "1:" + program + "/Tmp/INTERFAC.INF");
  EXPECT_EQ(OnDisk(userFolder + "/CorvexV0.inf", "SHOWMESSAGE", "RefPriceNull"), "0");
}
