#include "SettingsAccess.h"
#include "afxarchive.h"
#include "platform_numbers.h"

// Three texts: the registry path, the selected currency's name and its rate. A load
// takes effect only once all three are read, so a cut archive changes nothing.
void CSettingsAccess::Serialize(CArchive& archive) {
  if (archive.IsStoring()) {
    archive << m_RegPath << m_SelectedCurrency.GetName() << m_SelectedCurrency.GetStrValue();
    return;
  }
  CString regPath, name, rate;
  archive >> regPath >> name >> rate;
  m_RegPath = regPath;
  if (name.IsEmpty()) {
    m_SelectedCurrency = CCorvexCurrencyItem(m_DefaultCurrency, 1.0);
    return;
  }
  m_SelectedCurrency = CCorvexCurrencyItem(name, platform::AtofC(rate));
}
