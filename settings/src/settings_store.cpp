#include "Setwell.h"
#include "SettingsAccess.h"
#include "platform_numbers.h"

void CSettingsAccess::StoreText(SettingId id, const CString& value) {
  const SettingSchemaEntry& entry = SettingSchema(id);
  m_Text[id] = value;
  m_Int[id] = static_cast<int>(platform::AtolC(value));
  Setwell::GetInstance()->WriteParameter(entry.section, entry.key, value, FileOf(entry.file), 1);
}

void CSettingsAccess::StoreInt(SettingId id, int value) {
  CString text;
  text.Format("%d", value);
  StoreText(id, text);
}
