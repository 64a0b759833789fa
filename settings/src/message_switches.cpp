// The switches of "SHOWMESSAGE": whether each confirmation message is shown again.
#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"

namespace {

constexpr unsigned int kFirstMessageId = 100;

// By message id, from 100.
const SettingId kMessageSwitches[] = {
    SETTING_ShowEmptyProviderList,  SETTING_ShowDeleteOrder,          SETTING_ShowAddProviderName,
    SETTING_ShowForcingQuotePrice,  SETTING_ShowDeleteEquipFromOrder, SETTING_ShowUnsecureEquipment,
    SETTING_ShowOrderToSynchronize, SETTING_ShowSynchronizeOrder,     SETTING_ShowQuoteToSynchronize,
    SETTING_ShowSynchronizeQuote,   SETTING_ShowEquipDirty,           SETTING_ShowRaccDiff,
    SETTING_ShowAjoutFav,           SETTING_ShowRefPriceNull};
constexpr unsigned int kMessageCount = sizeof(kMessageSwitches) / sizeof(kMessageSwitches[0]);

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

bool isMessageId(unsigned int id) { return id >= kFirstMessageId && id - kFirstMessageId < kMessageCount; }

}  // namespace

int CCorvexSettings::GetWarningSetting(unsigned int id) const {
  if (!settings() || !isMessageId(id)) return 0;
  return settings()->GetInt(kMessageSwitches[id - kFirstMessageId]);
}

void CCorvexSettings::SetWarningSetting(int value, unsigned int id) const {
  if (settings() && isMessageId(id)) settings()->StoreInt(kMessageSwitches[id - kFirstMessageId], value);
}

int CCorvexSettings::IsSplashScreen() { return settings() ? settings()->GetInt(SETTING_HideSplashScreen) == 0 : 1; }

int CCorvexSettings::GetAffichageDlgCalculBorne() {
  return settings() ? settings()->GetInt(SETTING_ShowDlgCalculBorne) : 0;
}

void CCorvexSettings::SetAffichageDlgCalculBorne(int value) {
  if (settings() && settings()->GetInt(SETTING_ShowDlgCalculBorne) != value)
    settings()->StoreInt(SETTING_ShowDlgCalculBorne, value);
}

// The text is written as it is and read back as a number.
void CCorvexSettings::SetwarningPopup(CString value) {
  if (!settings()) return;
  Setwell::GetInstance()->WriteParameter("SHOWMESSAGE", "ShowComputerConfig", value, settings()->GetSettingsFile(), 1);
  settings()->Reload(SETTING_ShowComputerConfig);
}
