// The suite's settings: CCorvexSettings::SetFile loads the suite settings file once
// into the process-wide settings object; any component then constructs a
// CCorvexSettings (or a family object) on its stack and asks. Before SetFile every
// query gives its fixed "not loaded" answer.
#pragma once

#include "SettingsSchema.h"
#include "afxcoll.h"
#include "afxobject.h"
#include "afxstr.h"

class CArchive;
class CCorvexCurrencyItem;
class CSettingsAccess;

// The query families. Their queries read the process-wide settings object; setters
// store the new value in it and write it through Setwell to the user layer.
class CCorvexSettingsProduct {};

// Costing: the price list, currencies, VAT, labour costs, margins, manufacturer changes.
class CCorvexSettingsPricer {
 public:
  // The price list's "TARIF" values as loaded or last re-read. Returns: code not empty.
  int GetTarifInfos(CString& code, CString& label, CString& date, CString& currency, CString& unit,
                    double& rate) const;
  // Re-reads the "TARIF" keys from the price list as it is now: 0 when loaded, else 1.
  int SetTarifInfos();
  int GetPelkDefaultCurrency(CString& currency) const;
  // The currency list with the price list's currency first at rate 1.0 (owned by the
  // settings object).
  CObArray* GetCurrencyList() const;
  CCorvexCurrencyItem* GetCurrentExchangeMonetaryUnit() const;
  void SaveCurrencyList();
  int GetForcePriceUpdate() const;
  int GetDefaultDiscountFile(CString& path) const;

  double GetDefaultVAT();
  double GetDefaultWLabourHourlyCost();
  double GetDefaultSLabourHourlyCost();
  void SetDefaultVAT(double vat);
  void SetDefaultWLabourHourlyCost(double cost);
  void SetDefaultSLabourHourlyCost(double cost);
  void GetDefaultMargins(CString& device, CString& workshop, CString& site, CString& service, CString& consumable);
  void SetDefaultMargins(CString device, CString workshop, CString site, CString service, CString consumable);
  double GetCoefTMO();
  void SetCoefTMO(double coefficient);

  int GetDiscountMode() const;
  int GetLabourHourMode() const;
  void SetDiscountMode(int mode) const;
  void SetLabourHourMode(int mode) const;
  int IsDiscount() const;
  int GetDecimalSeparator(CString& separator) const;
  void GetResumeCellColor(long& color);
  // Cell formats of the costing tables: text colour, background colour, bold, strike-out.
  void GetEditableCellFormat(long& text, long& background, long& bold, long& strikeOut) const;
  void GetModifiedCellFormat(long& text, long& background, long& bold, long& strikeOut) const;
  void GetDeletedLineFormat(long& text, long& background, long& bold, long& strikeOut) const;
  // A flag of this object only, never saved.
  void SetUpdatePriceDisplay(int flag) { m_UpdatePriceDisplay = flag; }
  int GetUpdatePriceDisplay() { return m_UpdatePriceDisplay; }

  int GetManufacturerChangeCount();
  int ChangeManufacturer();
  int ChangeUpdatePrice();
  // Record index+1 "old;codes#name": items = the codes, name = the name. 1 when loaded.
  int GetManufacturerChange(int index, CString& name, CStringArray& items);
  int GetManufacturerLabel(const char* code, CString& label);

  // The costing and service table layouts (CCorvexColumnInfo*, owned by the settings
  // object) and their saves.
  CObArray* GetCostingColumnParametersList() const;
  void SaveCostingColumnParameter();
  CObArray* GetServiceColumnParametersList() const;
  void SaveServiceColumnParameter();

 private:
  int m_UpdatePriceDisplay = 0;
};

// The result stage: ticked exports, printouts and drawings, options, column layouts.
class CCorvexSettingsExport {
 public:
  void GetExportDataCheckBoxes(int& listMat, int& excel, int& csv, int& txt, int& xml);
  void SetExportDataCheckBoxes(int& listMat, int& excel, int& csv, int& txt, int& xml);
  void GetExportPrintCheckBoxes(int& listMat, int& listMatPackProd, int& door, int& plastron, int& device,
                                int& platine, int& enclosure, int& wiring, int& pricer, int& presta);
  void SetExportPrintCheckBoxes(int& listMat, int& listMatPackProd, int& door, int& plastron, int& device,
                                int& platine, int& enclosure, int& wiring, int& pricer, int& presta);
  void GetExportGraphCheckBoxes(int& wiringEdit, int& wiringFile, int& frontViewDxf, int& wiringDxf);
  void SetExportGraphCheckBoxes(int& wiringEdit, int& wiringFile, int& frontViewDxf, int& wiringDxf);
  int IsShowCheckBoxSchemaUnifilaire();
  int IsExportVarnel();
  void SetVarnel(int flag);
  CString GetRichTextFilter();
  int GetExportDataDisplayLinesNumber();
  int GetExportPrintDisplayLinesNumber();
  // The result data and print layouts (CCorvexColumnInfo*, owned by the settings object).
  CObArray* GetExportDataColumnParametersList();
  CObArray* GetExportPrintColumnParametersList();
  void SaveResultDataColumnParameters();
  void SaveResultPrintColumnParameters();
};

class CCorvexSettings : public CObject,
                        public CCorvexSettingsProduct,
                        public CCorvexSettingsPricer,
                        public CCorvexSettingsExport {
 public:
  CCorvexSettings() = default;
  ~CCorvexSettings() override = default;

  // Names the settings file (full path) and loads it; a later call only repeats
  // Setwell's (ignored) Init. A null or empty path is ignored.
  static void SetFile(const char* path);
  // The process-wide settings object, null before SetFile.
  static CSettingsAccess* GetSettings();

  CString GetSettingsFile();
  void SetRegPath(const char* path);
  // The installation flag (1 = OK); when 0, message receives the reason.
  int IsInstallOK(CString& message) const;
  void Serialize(CArchive& archive) override;
  CCorvexSettingsPricer GetPricer() const { return *this; }
  CCorvexSettingsExport GetExport() const { return *this; }

  // Plain getters of any loaded key: its default before loading.
  CString GetTextSetting(SettingId id) const;
  int GetIntSetting(SettingId id) const;

  // The settings the sign-in stack reads.
  int GetCurlTimeout() const;
  int IsAuthentActivated() const;
  // "CefShutdown" of the settings file, read now.
  int DoCefShutdown();
  // The product name of the product description file, read now: whole (which != 0)
  // or its short form (which == 0). An empty name shows a box and quits the program.
  CString GetSoftInfo(int which);
  // The machine's product name.
  CString GetWindowsVersion();
  int GetCorvexTrackingLogDir(CString& out) const;
  int GetCorvexTrackingDbgDir(CString& out) const;

  // Folders of the dir-list file ("DIRECTORIES"); each answers: out not empty.
  int GetCorvexAutoSaveDir(CString& out) const;
  int GetPelkTempDir(CString& out) const;
  int GetUserConfigDir(CString& out) const;
  int GetPluginsDir(CString& out) const;
  int GetGatewaysDir(CString& out) const;
  int GetDefaultDir(CString& out) const;
  // The default folders offered to the user (CCorvexFolderItem*, owned by the settings
  // object), and the path of the first one with a given id (1 when found).
  CObArray* GetDefaultFolderList() const;
  int GetProjectDefaultFolder(CString& out);
  int GetCorvexProjectDir(CString& out) const;
  int GetTempDefaultFolder(CString& out);
  int GetExportDefaultFolder(CString& out);
  int GetPelkGraphfileDir(CString& out) const;
  int GetPelkCadeExportfileDir(CString& out) const;
  // Writes every default folder's path under its id to the user's dir-list file.
  void SaveDefaultFolderData();
  int IsDefaultFolder() const;
  // "INTERFAC.INF" in the temporary folder; out untouched when that folder is empty.
  int GetCorvexInterfaceFile(CString& out) const;
  CString GetDirListFile();

  // Whether a confirmation message (ids 100 to 113) is shown again; 0 for other ids.
  int GetWarningSetting(unsigned int id) const;
  void SetWarningSetting(int value, unsigned int id) const;
  int IsSplashScreen();
  int GetAffichageDlgCalculBorne();
  void SetAffichageDlgCalculBorne(int value);
  void SetwarningPopup(CString value);

  // The information feed: the file "TamberloInfos.csv" of a repository, its local copy
  // beside the program, and its entries kept in the settings file's "INFOSDATA" section.
  // The repository's base address ("LOC", "DEV", "PPR", else production; null: the
  // "DOWNLOAD_IMAGE" setting), ending with "/".
  const char* GetRepositoryURL(const char* name);
  // 1 when "Frequency" days have passed since "LastCheck" (or it is not a date).
  int HasToCheckInfos() const;
  // Extends the repository address by the country and the file name; the first call's
  // result fixes the base for the process. Returns url's text.
  const char* GetInfosFileURL(CString& url) const;
  const char* GetInfosFilePath(CString& path) const;
  // Imports the new entries of the local copy (throws the CFileException* of a copy
  // that cannot be opened) and lists the pictures to fetch: addresses[i] is fetched to
  // paths[i]. 1 when the copy held at least one line.
  int ReadInfosFile(CStringArray& addresses, CStringArray& paths);
  // The next entry to show (unless first is already set): its three texts and its
  // picture. 1 when there is one.
  int GetFirstInfos(CString& first, CString& second, CString& third, CString& picture);

 private:
  int GetFolder(SettingId id, CString& out) const;
  int FindDefaultFolder(const char* id, CString& out) const;
};

// The project family: tracking server, board limit and the user's identity.
class CCorvexSettingsProject : public CCorvexSettings {
 public:
  CCorvexSettingsProject() = default;
  ~CCorvexSettingsProject() override = default;

  int GetTrackingAction() const;
  int GetUploadSrvHostname(CString& out) const;
  int GetUploadSrvHostPath(CString& out) const;
  int GetUploadSrvHostPort(unsigned int& out) const;
  long GetNbBoardMax() const;
  // Writes "UserInfo" firstname, lastName, id to the user layer of the settings file.
  void SetUserInformation(CString firstName, CString lastName, CString id);
};
