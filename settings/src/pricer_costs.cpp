// The pricer family's decimal values: VAT, labour hourly costs, margins, TMO coefficient.
#include "CorvexSettings.h"
#include "SettingsAccess.h"
#include "qrmt_text.h"

namespace {

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

double readDecimal(SettingId id) {
  double value = 0.0;
  if (settings()) QRMT_StringToDouble(settings()->GetText(id), value);
  return value;
}

// Stored with a dot, whatever the user's decimal separator.
void storeDecimal(SettingId id, double value, int mode) {
  if (!settings()) return;
  CString text;
  QRMT_DoubleToString(value, text, mode, 1);
  settings()->StoreText(id, text);
}

constexpr int kSixDecimals = 4;
constexpr int kTwoDecimals = 2;

}  // namespace

double CCorvexSettingsPricer::GetDefaultVAT() { return readDecimal(SETTING_VAT); }
double CCorvexSettingsPricer::GetDefaultWLabourHourlyCost() { return readDecimal(SETTING_WorkShopLabourHourlyCost); }
double CCorvexSettingsPricer::GetDefaultSLabourHourlyCost() { return readDecimal(SETTING_SiteLabourHourlyCost); }
void CCorvexSettingsPricer::SetDefaultVAT(double vat) { storeDecimal(SETTING_VAT, vat, kSixDecimals); }

void CCorvexSettingsPricer::SetDefaultWLabourHourlyCost(double cost) {
  storeDecimal(SETTING_WorkShopLabourHourlyCost, cost, kTwoDecimals);
}

void CCorvexSettingsPricer::SetDefaultSLabourHourlyCost(double cost) {
  storeDecimal(SETTING_SiteLabourHourlyCost, cost, kTwoDecimals);
}

void CCorvexSettingsPricer::GetDefaultMargins(CString& device, CString& workshop, CString& site, CString& service,
                                              CString& consumable) {
  if (!settings()) return;
  device = settings()->GetText(SETTING_DeviceMargin);
  workshop = settings()->GetText(SETTING_WorkshopLabourMargin);
  site = settings()->GetText(SETTING_SiteLabourMargin);
  service = settings()->GetText(SETTING_ServiceMargin);
  consumable = settings()->GetText(SETTING_ConsumableMargin);
}

void CCorvexSettingsPricer::SetDefaultMargins(CString device, CString workshop, CString site, CString service,
                                              CString consumable) {
  if (!settings()) return;
  settings()->StoreText(SETTING_DeviceMargin, device);
  settings()->StoreText(SETTING_WorkshopLabourMargin, workshop);
  settings()->StoreText(SETTING_SiteLabourMargin, site);
  settings()->StoreText(SETTING_ServiceMargin, service);
  settings()->StoreText(SETTING_ConsumableMargin, consumable);
}

double CCorvexSettingsPricer::GetCoefTMO() {
  if (!settings() || settings()->GetText(SETTING_CoefTMO).IsEmpty()) return 1.0;
  return readDecimal(SETTING_CoefTMO);
}

void CCorvexSettingsPricer::SetCoefTMO(double coefficient) { storeDecimal(SETTING_CoefTMO, coefficient, kTwoDecimals); }
