// The information feed's addresses and the check bookkeeping.
#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "corvex_deployment.h"
#include "info_dates.h"
#include "setting_read.h"

namespace {

constexpr const char* kInfosFileName = "TamberloInfos.csv";
constexpr int kDefaultFrequency = 3;
constexpr int kLastCheckSize = 16;

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

}  // namespace

const char* CCorvexSettings::GetRepositoryURL(const char* name) {
  if (!settings()) return "";
  CString environment = name;
  if (!name) environment = settings()->GetText(SETTING_DownloadImage);
  if (!name && environment.IsEmpty()) environment = "DEV";
  if (environment.CompareNoCase("LOC") == 0) return CORVEX_INFOS_REPOSITORY_LOC;
  if (environment.CompareNoCase("DEV") == 0) return CORVEX_INFOS_REPOSITORY_DEV;
  if (environment.CompareNoCase("PPR") == 0) return CORVEX_INFOS_REPOSITORY_PPR;
  return CORVEX_INFOS_REPOSITORY_PROD;
}

// A "LastCheck" that is not a date counts as due: otherwise the feed would never be
// checked again, since only an import writes the key.
int CCorvexSettings::HasToCheckInfos() const {
  if (!settings()) return 0;
  const CString& file = settings()->GetSettingsFile();
  const int frequency =
      Setwell::GetInstance()->ReadIntParameter("INFOSCHECKER", "Frequency", kDefaultFrequency, file, 0, 0);
  const CString lastCheck =
      ReadSettingText(file, "INFOSCHECKER", "LastCheck", kLastCheckSize, settings()->GetText(SETTING_InfosBuild), 0);
  InfoDate date;
  if (!ReadInfoDate(lastCheck, date)) return 1;
  return InfoDaysBetween(lastCheck, InfoDateToday()) >= frequency;
}

const char* CCorvexSettings::GetInfosFileURL(CString& url) const {
  if (!settings()) return url;
  CString& base = settings()->GetRepositoryBase();
  if (base.IsEmpty()) {
    url += settings()->GetText(SETTING_CountryName) + "/";
    base = url;
  } else {
    url = base;
  }
  url += kInfosFileName;
  return url;
}

const char* CCorvexSettings::GetInfosFilePath(CString& path) const {
  if (settings()) path = settings()->GetProgramFolder() + kInfosFileName;
  return path;
}
