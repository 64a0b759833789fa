// The pricer family in a probe process over a changed sample.
#include <filesystem>

#include "settings_fixture.h"

class SettingsPricerTest : public SettingsFixture {
 protected:
  const std::string priceList = program + "/PRICELIST.INI";
  const std::string userCopy = userFolder + "/CorvexV0.inf";
  Answers Do(std::vector<std::string> commands, const std::map<std::string, std::string>& env = {}) {
    commands.insert(commands.begin(), "--do");
    return Probe(commands, env);
  }
};

TEST_F(SettingsPricerTest, TarifIsReadAgainAfterThePriceListChanges) {
  const Answers answers =
      Do({"GetTarifInfos", "Write=" + priceList + "|TARIF|SEXCHANGE|1,5",
          "Write=" + priceList + "|TARIF|CODECAT|TAR2027", "GetTarifInfos", "SetTarifInfos", "GetTarifInfos"});
  EXPECT_EQ(answers.at("GetTarifInfos"), "1:TAR2026|General price list 2026|2026-01-1|EUR|1|1.000000");
  EXPECT_EQ(answers.at("GetTarifInfos#2"), answers.at("GetTarifInfos"));
  EXPECT_EQ(answers.at("SetTarifInfos"), "0");
  EXPECT_EQ(answers.at("GetTarifInfos#3"), "1:TAR2027|General price list 2026|2026-01-1|EUR|1|1.000000");

  std::filesystem::remove(priceList);
  EXPECT_EQ(Do({"GetTarifInfos"}).at("GetTarifInfos"), "0:|||||0.000000");
}

TEST_F(SettingsPricerTest, DefaultCurrencyComesFirstOnceAndAnEmptyOneIsNeverSaved) {
  const struct {
    const char* currency;
    std::string list;
  } cases[] = {
      {"CHF", "CHF|1.00000;EUR|1.00000;USD|1.08250;GBP|0.85610"},
      {"USD", "EUR|1.00000;USD|1.00000;GBP|0.85610"},
      {"", "EUR|1.00000;USD|1.08250;GBP|0.85610"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.currency);
    LayOut();
    std::filesystem::remove_all(userFolder);
    Write(priceList, "TARIF", "SCURRENCY", c.currency);
    Write(settingsFile, "DEFAULT", "VMoney1", "1.00000");
    const Answers answers =
        Do({"GetCurrencyList", "GetCurrencyList", "GetCurrentExchangeMonetaryUnit", "SaveCurrencyList", "--dlclose"});
    EXPECT_EQ(answers.at("GetCurrencyList"), c.list);
    EXPECT_EQ(answers.at("GetCurrencyList#2"), c.list);
    EXPECT_EQ(answers.at("GetCurrentExchangeMonetaryUnit"), std::string(c.currency) + "|1.00000");
    EXPECT_EQ(Do({"GetCurrencyList"}).at("GetCurrencyList"), c.list);
  }
  EXPECT_EQ(OnDisk(userCopy, "DEFAULT", "Money1"), "<missing>");
}

TEST_F(SettingsPricerTest, DecimalsAreStoredWithADotInAnyLocale) {
  for (const char* locale : {"C.UTF-8", "de_DE.UTF-8"}) {
    SCOPED_TRACE(locale);
    LayOut();
    std::filesystem::remove_all(userFolder);
    Write(settingsFile, "CORVEXSTAGEPRICER", "VAT", "5,5");
    Write(settingsFile, "CORVEXSTAGEPRICER", "WorkShopLabourHourlyCost", "40");
    const Answers before =
        Do({"GetDefaultVAT", "SetDefaultVAT=20", "SetDefaultWLabourHourlyCost=45.5"}, {{"LC_ALL", locale}});
    EXPECT_EQ(before.at("GetDefaultVAT"), "5.500000");
    EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGEPRICER", "VAT"), "20.000000");
    EXPECT_EQ(OnDisk(userCopy, "CORVEXSTAGEPRICER", "WorkShopLabourHourlyCost"), "45.50");
    const Answers after = Do({"GetDefaultVAT", "GetDefaultWLabourHourlyCost"}, {{"LC_ALL", locale}});
    EXPECT_EQ(after.at("GetDefaultVAT"), "20.000000");
    EXPECT_EQ(after.at("GetDefaultWLabourHourlyCost"), "45.500000");
  }
}

TEST_F(SettingsPricerTest, RecordsFormatsAndColours) {
  Write(settingsFile, "MANUFACTURER", "ManufacturerChange1", "A1;A2#Brand");
  Write(settingsFile, "MANUFACTURER", "ManufacturerChange2", "A1;A2");
  Write(settingsFile, "PRESENTATION", "ResumeCellColor", "0xFFFFFFFF");
  Write(settingsFile, "PRESENTATION", "ModifiedCellFormat", "255,1,2");
  Write(settingsFile, "CORVEXSTAGEDESIGN", "CoefTMO", "");
  const Answers answers =
      Do({"GetManufacturerChange=0", "GetManufacturerChange=1", "GetResumeCellColor", "CellFormats", "GetCoefTMO"});
  EXPECT_EQ(answers.at("GetManufacturerChange"), "1:Brand|A1,A2");
  EXPECT_EQ(answers.at("GetManufacturerChange#2"), "1:<untouched>|");
  EXPECT_EQ(answers.at("GetResumeCellColor"), "2147483647");  // as a 32-bit strtol saturates
  EXPECT_EQ(answers.at("CellFormats"), "0|14745599|0|0;255|14745599|1|0;8421504|16777215|0|1");
  EXPECT_EQ(answers.at("GetCoefTMO"), "1.000000");
}
