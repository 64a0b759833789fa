// The costing tables' cell formats: "PRESENTATION" keys of four whole numbers joined by
// ",": text colour, background colour, bold, strike-out (colours 0x00BBGGRR).
#include "CorvexSettings.h"
#include "SettingsAccess.h"
#include "long_value.h"

namespace {

// Four numbers (decimal, or hexadecimal after "0x") and nothing else, or false.
bool readFormat(const char* text, long (&values)[4]) {
  const char* at = text;
  for (int i = 0; i < 4; ++i) {
    while (*at == ' ' || *at == '\t') ++at;
    const int base = at[0] == '0' && (at[1] == 'x' || at[1] == 'X') ? 16 : 10;
    const char* end = nullptr;
    values[i] = StrtolInt32(at, base, &end);
    if (end == at) return false;
    at = end;
    while (*at == ' ' || *at == '\t') ++at;
    if (i < 3 && *at++ != ',') return false;
  }
  return *at == '\0';
}

void getFormat(SettingId id, long& text, long& background, long& bold, long& strikeOut) {
  long values[4];
  const CSettingsAccess* settings = CCorvexSettings::GetSettings();
  const CString value = settings ? settings->GetText(id) : CString();
  if (!readFormat(value, values) && !readFormat(SettingSchema(id).textDefault, values)) return;
  text = values[0];
  background = values[1];
  bold = values[2];
  strikeOut = values[3];
}

}  // namespace

void CCorvexSettingsPricer::GetEditableCellFormat(long& text, long& background, long& bold, long& strikeOut) const {
  getFormat(SETTING_EditableCellFormat, text, background, bold, strikeOut);
}

void CCorvexSettingsPricer::GetModifiedCellFormat(long& text, long& background, long& bold, long& strikeOut) const {
  getFormat(SETTING_ModifiedCellFormat, text, background, bold, strikeOut);
}

void CCorvexSettingsPricer::GetDeletedLineFormat(long& text, long& background, long& bold, long& strikeOut) const {
  getFormat(SETTING_DeletedLineFormat, text, background, bold, strikeOut);
}
