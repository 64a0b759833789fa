// In-process parts: answers before loading, build stamps, counts, key lists and the
// archive of the selected currency.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>

#include "CorvexSettings.h"
#include "IniFile.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "afxarchive.h"
#include "build_stamp.h"
#include "test_support.h"
#include "winprofile.h"

TEST(SettingsNotLoaded, EveryQueryGivesItsFixedAnswer) {
  CCorvexSettingsProject settings;
  CString text = "mine";
  EXPECT_EQ(settings.IsInstallOK(text), 0);
  EXPECT_EQ(text, "mine");
  EXPECT_EQ(settings.GetUploadSrvHostname(text), 1);
  EXPECT_EQ(settings.GetCorvexTrackingLogDir(text), 1);
  EXPECT_EQ(text, "mine");
  text.Empty();
  EXPECT_EQ(settings.GetUploadSrvHostPath(text), 0);
  EXPECT_EQ(settings.GetCorvexTrackingDbgDir(text), 0);
  unsigned int port = 5;
  EXPECT_EQ(settings.GetUploadSrvHostPort(port), 1);
  EXPECT_EQ(port, 5u);
  EXPECT_EQ(settings.GetCurlTimeout(), 0);
  EXPECT_EQ(settings.IsAuthentActivated(), 1);
  EXPECT_EQ(settings.DoCefShutdown(), 1);
  EXPECT_EQ(settings.GetTrackingAction(), 0);
  EXPECT_EQ(settings.GetNbBoardMax(), 0);
  EXPECT_EQ(settings.GetSettingsFile(), "");
  EXPECT_EQ(settings.GetSoftInfo(1), "");
  EXPECT_EQ(settings.GetWindowsVersion(), "");
  EXPECT_EQ(settings.GetTextSetting(SETTING_DownloadImage), "PROD");
  EXPECT_EQ(settings.GetIntSetting(SETTING_NbBoardMax), 255);
  settings.SetUserInformation("a", "b", "c");
  EXPECT_EQ(CCorvexSettings::GetSettings(), nullptr);
}

TEST(SettingsNotLoaded, FamiliesGiveTheirFixedAnswers) {
  CCorvexSettings settings;
  CString code = "mine", label = "keep";
  double rate = 7;
  EXPECT_EQ(settings.GetTarifInfos(code, label, label, label, label, rate), 1);
  EXPECT_EQ(label + code, "keepmine");
  EXPECT_EQ(rate, 7);
  EXPECT_EQ(settings.SetTarifInfos(), 1);
  EXPECT_EQ(settings.GetCurrencyList(), nullptr);
  EXPECT_EQ(settings.GetCoefTMO(), 1.0);
  EXPECT_EQ(settings.GetDiscountMode(), 1);
  EXPECT_EQ(settings.GetExportDataDisplayLinesNumber(), -1);
  EXPECT_EQ(settings.GetExportPrintDisplayLinesNumber(), 0);
  EXPECT_EQ(settings.GetExportDataColumnParametersList(), nullptr);
  EXPECT_EQ(settings.IsSplashScreen(), 1);
  EXPECT_EQ(settings.GetWarningSetting(100), 0);
  EXPECT_STREQ(settings.GetRepositoryURL("LOC"), "");
  EXPECT_EQ(settings.HasToCheckInfos(), 0);
  CString url = "https://a/";
  EXPECT_STREQ(settings.GetInfosFileURL(url), "https://a/");
  CStringArray addresses, paths;
  addresses.Add("x");
  EXPECT_EQ(settings.ReadInfosFile(addresses, paths), 0);
  EXPECT_EQ(addresses.GetSize(), 0);
  EXPECT_EQ(settings.GetFirstInfos(code, label, label, label), 0);
}

TEST(SettingsBuildStamp, ComesFromTheCompilerDate) {
  const std::pair<const char*, const char*> cases[] = {{"Sep  6 2022", "2022-09-6"},
                                                       {"Dec 31 2026", "2026-12-31"},
                                                       {"Jan  1 2000", "2000-01-1"},
                                                       {"Foo  1 2000", ""},
                                                       {"", ""}};
  for (const auto& [date, stamp] : cases) EXPECT_EQ(BuildStampFromDate(date), stamp) << date;
  EXPECT_FALSE(LibraryBuildStamp().IsEmpty());
}

TEST(SettingsIniFile, ListsKeyNamesPastTheTraditionalBuffer) {
  testing_support::TempFolder tmp;
  std::string content = "[BIG]\n";
  for (int i = 0; i < 7000; ++i) content += "KeyNumber" + std::to_string(100000 + i) + "=v\n";  // 16 characters each
  testing_support::WriteWholeFile(tmp / "big.ini", content);
  CIniFile file((tmp / "big.ini").c_str(), (tmp / "big.err").c_str());
  CStringArray names;
  ASSERT_EQ(file.GetKeyNames("BIG", names), 7000);
  EXPECT_EQ(names[6999], "KeyNumber106999");
  EXPECT_EQ(file.GetKeyNames("NONE", names), 0);

  EXPECT_TRUE(file.WriteReportedValue("S", "Key", "value", 3, 4));
  const std::string report = testing_support::ReadWholeFile(tmp / "big.err");
  EXPECT_NE(report.find("Key (3)(4)=value"), std::string::npos) << report;  // the label's blank trimmed as on Windows
  char value[16];
  EXPECT_EQ(GetPrivateProfileStringA("S", "Key", "", value, sizeof(value), (tmp / "big.ini").c_str()), 5u);
}

// The selected currency goes through an archive as text, whatever the locale; a cut
// archive throws and changes nothing; an unnamed one is the price list's currency.
TEST(SettingsSerialize, KeepsTheRateUnderAGermanLocaleAndSurvivesACutArchive) {
  testing_support::TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  WritePrivateProfileStringA("SHAREDINIFILE", "PriceList", (tmp / "price.ini").c_str(), (tmp / "CorvexV0.inf").c_str());
  WritePrivateProfileStringA("TARIF", "SCURRENCY", "CHF", (tmp / "price.ini").c_str());
  const int result = testing_support::RunInChild([&] {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) return 10;
    Setwell::GetInstance()->Init((tmp / "CorvexV0.inf").c_str());
    CSettingsAccess settings((tmp / "CorvexV0.inf").c_str());
    const std::string archivePath = tmp / "currency.bin";
    const auto load = [&](const char* name, const char* rate) {
      {
        CFile file(archivePath.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive archive(&file, CArchive::store);
        archive << CString("Software\\Halvorn") << CString(name) << CString(rate);
      }
      CFile file(archivePath.c_str(), CFile::modeRead);
      CArchive archive(&file, CArchive::load);
      settings.Serialize(archive);
    };
    load("", "0.5");
    if (settings.GetSelectedCurrency().GetName() != "CHF" || settings.GetSelectedCurrency().GetDValue() != 1.0)
      return 17;
    load("USD", "1.08250");
    if (settings.GetSelectedCurrency().GetDValue() != 1.0825) return 11;
    if (settings.GetSelectedCurrency().GetStrValue() != "1.08250") return 12;
    if (settings.GetRegPath() != "Software\\Halvorn") return 13;
    std::filesystem::resize_file(archivePath, std::filesystem::file_size(archivePath) - 3);
    try {
      CFile file(archivePath.c_str(), CFile::modeRead);
      CArchive archive(&file, CArchive::load);
      settings.Serialize(archive);
      return 14;
    } catch (CArchiveException* e) {
      const int cause = e->m_cause;
      e->Delete();
      if (cause != CArchiveException::endOfFile) return 15;
    }
    return settings.GetSelectedCurrency().GetName() == "USD" ? 0 : 16;
  });
  EXPECT_EQ(result, 0);
}
