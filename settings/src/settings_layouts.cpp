#include "SettingsAccess.h"
#include "column_layout.h"

namespace {

struct LayoutSection {
  const char* section;
  SettingId displayLines;
};

const LayoutSection kLayoutSections[LAYOUT_COUNT] = {
    {"CORVEXSTAGERESULT_COLUMN_DATA", SETTING_ResultDataDisplayLines},
    {"CORVEXSTAGERESULT_COLUMN_PRINT", SETTING_ResultPrintDisplayLines},
    {"CORVEXSTAGEPRICER_COLUMN_PRICER", SETTING_PricerDisplayLines},
    {"CORVEXSTAGEPRICER_COLUMN_PRESTA", SETTING_PrestaDisplayLines},
};

}  // namespace

void CSettingsAccess::LoadLayouts() {
  for (int id = 0; id < LAYOUT_COUNT; ++id)
    LoadColumnLayout(m_SettingsFile, kLayoutSections[id].section, m_Layouts[id]);
}

void CSettingsAccess::SaveLayout(ColumnLayoutId id) {
  const LayoutSection& layout = kLayoutSections[id];
  SaveColumnLayout(m_SettingsFile, layout.section, m_Int[layout.displayLines], m_Layouts[id]);
}
