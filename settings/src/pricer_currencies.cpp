// The pricer family: price list, currencies, options loaded at start-up.
#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "winnls.h"

namespace {

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

}  // namespace

int CCorvexSettingsPricer::GetTarifInfos(CString& code, CString& label, CString& date, CString& currency, CString& unit,
                                         double& rate) const {
  if (settings()) {
    const CCorvexTarif& tarif = settings()->GetTarif();
    code = tarif.code;
    label = tarif.label;
    date = tarif.date;
    currency = tarif.currency;
    unit = tarif.unit;
    rate = tarif.rate;
  }
  return !code.IsEmpty();
}

int CCorvexSettingsPricer::SetTarifInfos() {
  if (!settings()) return 1;
  settings()->LoadTarif();
  return 0;
}

int CCorvexSettingsPricer::GetPelkDefaultCurrency(CString& currency) const {
  if (settings()) currency = settings()->GetDefaultCurrency();
  return !currency.IsEmpty();
}

CObArray* CCorvexSettingsPricer::GetCurrencyList() const {
  return settings() ? &settings()->GetCurrencyListWithDefault() : nullptr;
}

CCorvexCurrencyItem* CCorvexSettingsPricer::GetCurrentExchangeMonetaryUnit() const {
  if (!settings()) return nullptr;
  CCorvexCurrencyItem& selected = settings()->GetSelectedCurrency();
  if (selected.GetName().IsEmpty()) selected = CCorvexCurrencyItem(settings()->GetDefaultCurrency(), 1.0);
  return &selected;
}

void CCorvexSettingsPricer::SaveCurrencyList() {
  if (!settings()) return;
  const CObArray& currencies = settings()->GetCurrencies();
  for (INT_PTR i = 0; i < currencies.GetSize(); ++i) {
    const auto* currency = static_cast<const CCorvexCurrencyItem*>(currencies[i]);
    CString nameKey, rateKey;
    nameKey.Format("%s%d", "Money", static_cast<int>(i + 1));
    rateKey.Format("%s%s%d", "V", "Money", static_cast<int>(i + 1));
    const CString& file = settings()->GetSettingsFile();
    Setwell::GetInstance()->WriteParameter("DEFAULT", nameKey, currency->GetName(), file, 1);
    Setwell::GetInstance()->WriteParameter("DEFAULT", rateKey, currency->GetStrValue(), file, 1);
  }
}

int CCorvexSettingsPricer::GetForcePriceUpdate() const { return settings() ? settings()->GetForcePriceUpdate() : 0; }

int CCorvexSettingsPricer::GetDefaultDiscountFile(CString& path) const {
  if (settings()) path = settings()->GetDataRoot() + "Default.pmr";
  return !path.IsEmpty();
}

int CCorvexSettingsPricer::IsDiscount() const { return settings() ? settings()->GetInt(SETTING_ToolsMenuDiscount) : 0; }

int CCorvexSettingsPricer::GetDecimalSeparator(CString& separator) const {
  char buffer[8] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof(buffer)) == 0) return 0;
  separator = buffer;
  return 1;
}

void CCorvexSettingsPricer::GetResumeCellColor(long& color) {
  if (settings()) color = settings()->GetResumeCellColor();
}
