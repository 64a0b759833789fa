// The pricer family's keys read and written through Setwell at each call: discount and
// labour-hour modes, manufacturer changes.
#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "qrmt_text.h"
#include "setting_read.h"

namespace {

constexpr int kManufacturerSize = 256;

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

int readLive(const char* section, const char* key, int defaultValue, int notLoaded) {
  if (!settings()) return notLoaded;
  return Setwell::GetInstance()->ReadIntParameter(section, key, defaultValue, settings()->GetSettingsFile(), 1, 0);
}

void writeLive(const char* key, int value) {
  if (!settings()) return;
  CString text;
  text.Format("%d", value);
  Setwell::GetInstance()->WriteParameter("DEFAULT", key, text, settings()->GetSettingsFile(), 1);
}

CString readManufacturer(const char* key) {
  return ReadSettingText(settings()->GetSettingsFile(), "MANUFACTURER", key, kManufacturerSize, "", 1);
}

}  // namespace

int CCorvexSettingsPricer::GetDiscountMode() const { return readLive("DEFAULT", "Discount", 1, 1); }
int CCorvexSettingsPricer::GetLabourHourMode() const { return readLive("DEFAULT", "LabourHour", 1, 1); }
void CCorvexSettingsPricer::SetDiscountMode(int mode) const { writeLive("Discount", mode); }
void CCorvexSettingsPricer::SetLabourHourMode(int mode) const { writeLive("LabourHour", mode); }

int CCorvexSettingsPricer::GetManufacturerChangeCount() {
  return readLive("MANUFACTURER", "ManufacturerChangeCount", 0, 0);
}

int CCorvexSettingsPricer::ChangeManufacturer() { return readLive("MANUFACTURER", "ChangeManufacturer", 1, 0); }
int CCorvexSettingsPricer::ChangeUpdatePrice() { return readLive("MANUFACTURER", "ChangeUpdatePrice", 0, 0); }

int CCorvexSettingsPricer::GetManufacturerChange(int index, CString& name, CStringArray& items) {
  if (!settings()) return 0;
  CString key;
  key.Format("%s%d", "ManufacturerChange", index + 1);
  CStringArray parts;
  if (QRMT_ParseString(readManufacturer(key), parts, '#') >= 2) {
    name = parts[1];
    QRMT_ParseString(parts[0], items, ';');
  }
  return 1;
}

int CCorvexSettingsPricer::GetManufacturerLabel(const char* code, CString& label) {
  if (!settings()) return 0;
  if (code) label = readManufacturer(code);
  return 1;
}
