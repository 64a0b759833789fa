// The price list and the currencies priced against its currency.
#include "SettingsAccess.h"
#include "platform_numbers.h"
#include "setting_read.h"

namespace {

CString readTarif(const char* priceList, const char* key, int size) {
  return ReadSettingText(priceList, "TARIF", key, size, "", 1, 1);
}

}  // namespace

void CSettingsAccess::LoadTarif() {
  m_Tarif = CCorvexTarif();
  m_DefaultCurrency.Empty();
  const CString& priceList = m_Text[SETTING_PriceList];
  if (priceList.IsEmpty()) return;
  m_Tarif.code = readTarif(priceList, "CODECAT", 16);
  m_Tarif.label = readTarif(priceList, "LIBELLE", 64);
  m_Tarif.date = readTarif(priceList, "DATE", 16);
  m_Tarif.currency = readTarif(priceList, "SCURRENCY", 16);
  m_Tarif.unit = readTarif(priceList, "SUNITEXCHANGE", 16);
  m_Tarif.rate = platform::AtofC(readTarif(priceList, "SEXCHANGE", 32));
  m_DefaultCurrency = readTarif(priceList, "SCURRENCY", 32);
}

// Without a default currency nothing is inserted: an unnamed currency would be saved
// as an empty "Money1", which the next start reads as the end of the list.
CObArray& CSettingsAccess::GetCurrencyListWithDefault() {
  bool found = false;
  for (INT_PTR i = 0; i < m_Currencies.GetSize(); ++i) {
    auto* currency = static_cast<CCorvexCurrencyItem*>(m_Currencies[i]);
    if (currency->GetName() != m_DefaultCurrency) continue;
    currency->SetDValue(1.0);
    found = true;
  }
  if (!found && !m_DefaultCurrency.IsEmpty()) m_Currencies.InsertAt(0, new CCorvexCurrencyItem(m_DefaultCurrency, 1.0));
  return m_Currencies;
}
