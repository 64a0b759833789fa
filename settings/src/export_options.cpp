// The export family, and the costing layouts of the pricer family.
#include "CorvexSettings.h"
#include "SettingsAccess.h"

namespace {

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

template <size_t N>
void getFlags(const SettingId (&ids)[N], int* const (&flags)[N]) {
  if (!settings()) return;
  for (size_t i = 0; i < N; ++i) *flags[i] = settings()->GetInt(ids[i]);
}

// Stores every flag, then writes them in argument order.
template <size_t N>
void setFlags(const SettingId (&ids)[N], int* const (&flags)[N]) {
  if (!settings()) return;
  for (size_t i = 0; i < N; ++i) settings()->StoreInt(ids[i], *flags[i]);
}

const SettingId kDataFlags[] = {SETTING_DataListMat, SETTING_DataExcel, SETTING_DataListMatCSV, SETTING_DataListMatTXT,
                                SETTING_DataListMatXML};
const SettingId kPrintFlags[] = {SETTING_PrintListMat,
                                 SETTING_PrintListMatPackProd,
                                 SETTING_PrintFrontViewDoor,
                                 SETTING_PrintFrontViewPlastron,
                                 SETTING_PrintFrontViewDevice,
                                 SETTING_PrintFrontViewPlatine,
                                 SETTING_PrintFrontViewEnclosure,
                                 SETTING_PrintWiring,
                                 SETTING_PrintPricer,
                                 SETTING_PrintPresta};
const SettingId kGraphFlags[] = {SETTING_GraphWiringEdit, SETTING_GraphWiringFile, SETTING_GraphFrontViewDXF,
                                 SETTING_GraphWiringDXF};

CObArray* layout(ColumnLayoutId id) { return settings() ? &settings()->GetLayout(id) : nullptr; }

void saveLayout(ColumnLayoutId id) {
  if (settings()) settings()->SaveLayout(id);
}

}  // namespace

void CCorvexSettingsExport::GetExportDataCheckBoxes(int& listMat, int& excel, int& csv, int& txt, int& xml) {
  getFlags(kDataFlags, {&listMat, &excel, &csv, &txt, &xml});
}

void CCorvexSettingsExport::SetExportDataCheckBoxes(int& listMat, int& excel, int& csv, int& txt, int& xml) {
  setFlags(kDataFlags, {&listMat, &excel, &csv, &txt, &xml});
}

void CCorvexSettingsExport::GetExportPrintCheckBoxes(int& listMat, int& listMatPackProd, int& door, int& plastron,
                                                     int& device, int& platine, int& enclosure, int& wiring,
                                                     int& pricer, int& presta) {
  getFlags(kPrintFlags,
           {&listMat, &listMatPackProd, &door, &plastron, &device, &platine, &enclosure, &wiring, &pricer, &presta});
}

void CCorvexSettingsExport::SetExportPrintCheckBoxes(int& listMat, int& listMatPackProd, int& door, int& plastron,
                                                     int& device, int& platine, int& enclosure, int& wiring,
                                                     int& pricer, int& presta) {
  setFlags(kPrintFlags,
           {&listMat, &listMatPackProd, &door, &plastron, &device, &platine, &enclosure, &wiring, &pricer, &presta});
}

void CCorvexSettingsExport::GetExportGraphCheckBoxes(int& wiringEdit, int& wiringFile, int& frontViewDxf,
                                                     int& wiringDxf) {
  getFlags(kGraphFlags, {&wiringEdit, &wiringFile, &frontViewDxf, &wiringDxf});
}

void CCorvexSettingsExport::SetExportGraphCheckBoxes(int& wiringEdit, int& wiringFile, int& frontViewDxf,
                                                     int& wiringDxf) {
  setFlags(kGraphFlags, {&wiringEdit, &wiringFile, &frontViewDxf, &wiringDxf});
}

int CCorvexSettingsExport::IsShowCheckBoxSchemaUnifilaire() {
  return settings() ? settings()->GetInt(SETTING_ResultCheckBoxSchemaUnifilaire) : 0;
}

int CCorvexSettingsExport::IsExportVarnel() { return settings() ? settings()->GetInt(SETTING_ExportVarnel) : 0; }

void CCorvexSettingsExport::SetVarnel(int flag) {
  if (settings()) settings()->StoreInt(SETTING_ExportVarnel, flag);
}

CString CCorvexSettingsExport::GetRichTextFilter() {
  return settings() ? settings()->GetText(SETTING_RichTextFilter) : CString();
}

int CCorvexSettingsExport::GetExportDataDisplayLinesNumber() {
  return settings() ? settings()->GetInt(SETTING_ResultDataDisplayLines) : -1;
}

int CCorvexSettingsExport::GetExportPrintDisplayLinesNumber() {
  return settings() ? settings()->GetInt(SETTING_ResultPrintDisplayLines) : 0;
}

CObArray* CCorvexSettingsExport::GetExportDataColumnParametersList() { return layout(LAYOUT_RESULT_DATA); }
CObArray* CCorvexSettingsExport::GetExportPrintColumnParametersList() { return layout(LAYOUT_RESULT_PRINT); }
void CCorvexSettingsExport::SaveResultDataColumnParameters() { saveLayout(LAYOUT_RESULT_DATA); }
void CCorvexSettingsExport::SaveResultPrintColumnParameters() { saveLayout(LAYOUT_RESULT_PRINT); }
CObArray* CCorvexSettingsPricer::GetCostingColumnParametersList() const { return layout(LAYOUT_COSTING); }
void CCorvexSettingsPricer::SaveCostingColumnParameter() { saveLayout(LAYOUT_COSTING); }
CObArray* CCorvexSettingsPricer::GetServiceColumnParametersList() const { return layout(LAYOUT_SERVICE); }
void CCorvexSettingsPricer::SaveServiceColumnParameter() { saveLayout(LAYOUT_SERVICE); }
