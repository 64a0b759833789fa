// The process-wide settings object: every setting of the suite settings file and its
// companion files, loaded once through Setwell when the program names the file.
// Missing files and keys give their defaults; nothing is ever reported.
#pragma once

#include <vector>

#include "CorvexItems.h"
#include "SettingsSchema.h"
#include "afxcoll.h"
#include "afxobject.h"
#include "afxstr.h"

class CArchive;

// The price list's "TARIF" section.
struct CCorvexTarif {
  CString code;
  CString label;
  CString date;
  CString currency;
  CString unit;
  double rate = 0.0;
};

// One section named by "METASTAGES", with its keys and values in file order.
struct CCorvexMetaStage {
  CString section;
  CStringArray keys;
  CStringArray values;
};

// The column layouts of the result and costing tables.
enum ColumnLayoutId { LAYOUT_RESULT_DATA, LAYOUT_RESULT_PRINT, LAYOUT_COSTING, LAYOUT_SERVICE, LAYOUT_COUNT };

class CSettingsAccess : public CObject {
 public:
  // Loads everything (see settings_access.cpp for the order).
  explicit CSettingsAccess(const char* settingsFile);
  // Frees the lists, then deletes the Setwell instance, which writes pending changes.
  ~CSettingsAccess() override;
  CSettingsAccess(const CSettingsAccess&) = delete;
  CSettingsAccess& operator=(const CSettingsAccess&) = delete;

  // Stores or loads the registry path, the selected currency's name and its rate.
  void Serialize(CArchive& archive) override;

  // A loaded value: the text of a text key, the number of an integer key (an integer
  // key's text is its decimal form, a text key's number the leading integer).
  const CString& GetText(SettingId id) const { return m_Text[id]; }
  int GetInt(SettingId id) const { return m_Int[id]; }

  const CString& GetSettingsFile() const { return m_SettingsFile; }
  const CString& GetDrive() const { return m_Drive; }
  const CString& GetFolder() const { return m_Folder; }
  const CString& GetProgramFolder() const { return m_ProgramFolder; }
  const CString& GetDirListFile() const { return m_Text[SETTING_DirList]; }
  const CString& GetCountryFile() const { return m_CountryFile; }
  const CString& GetDataRoot() const { return m_DataRoot; }
  // A "LOCALINFFILE" list file (EquipmentFamilyList ... DefaultSupplier) joined to the
  // data root, or the quick-access file joined to the program folder.
  CString GetListFile(SettingId id) const;

  // The information feed's repository address, fixed by its first use.
  CString& GetRepositoryBase() { return m_RepositoryBase; }

  int GetInstallFlag() const { return m_InstallFlag; }
  const CString& GetInstallMessage() const { return m_InstallMessage; }
  const CString& GetRegPath() const { return m_RegPath; }
  void SetRegPath(const char* path) { m_RegPath = path; }

  // Stores a new value of a key and writes it through Setwell to the user layer.
  void StoreText(SettingId id, const CString& value);
  void StoreInt(SettingId id, int value);

  int GetForcePriceUpdate() const { return m_Text[SETTING_ForcePriceUpdate] == "1"; }
  long GetResumeCellColor() const { return m_ResumeCellColor; }
  // The price list's "TARIF" keys and its currency (read with 32 characters), read
  // again from the file as it is now.
  void LoadTarif();
  const CCorvexTarif& GetTarif() const { return m_Tarif; }
  const CObArray& GetCurrencies() const { return m_Currencies; }
  // The currencies with the default currency at rate 1.0, inserted first when missing.
  CObArray& GetCurrencyListWithDefault();
  CCorvexCurrencyItem& GetSelectedCurrency() { return m_SelectedCurrency; }
  const CString& GetDefaultCurrency() const { return m_DefaultCurrency; }
  // A layout's columns (CCorvexColumnInfo*, owned here).
  CObArray& GetLayout(ColumnLayoutId id) { return m_Layouts[id]; }
  // Writes the layout back with its section's "NbDisplayLines".
  void SaveLayout(ColumnLayoutId id);
  const CStringArray& GetHierarchyPaths() const { return m_HierarchyPaths; }
  const std::vector<CCorvexMetaStage>& GetMetaStages() const { return m_MetaStages; }
  // Each tool: TITLE, NAME, COMMAND, ARG, WAIT.
  const std::vector<CStringArray>& GetTools() const { return m_Tools; }
  const CObArray& GetFolders() const { return m_Folders; }
  CObArray& GetFolders() { return m_Folders; }
  // Reads a key again through Setwell's cache (after a write).
  void Reload(SettingId id) { LoadEntry(id); }

 private:
  void LoadEntries(SettingFile file, const char* section);
  void LoadEntry(SettingId id);
  void LoadFileNames();
  void LoadDataRoot();
  void LoadCurrencies();
  void LoadHierarchy();
  void LoadMetaStages();
  void LoadTools();
  void LoadLayouts();
  void LoadFolders();
  void LoadFolderList();
  void CheckInstallation();
  void LoadBuildStamp();
  CString FileOf(SettingFile file) const;

  CString m_SettingsFile;
  CString m_Drive;
  CString m_Folder;
  CString m_ProgramFolder;
  CString m_CountryFile;
  CString m_DataRoot;
  int m_InstallFlag = 1;
  CString m_InstallMessage;
  CString m_RegPath;
  CString m_RepositoryBase;

  CString m_Text[SETTING_COUNT];
  int m_Int[SETTING_COUNT] = {};
  long m_ResumeCellColor = 0;

  CCorvexTarif m_Tarif;
  CObArray m_Currencies;  // CCorvexCurrencyItem*, owned
  CCorvexCurrencyItem m_SelectedCurrency;
  CString m_DefaultCurrency;  // the price list's currency
  CObArray m_Layouts[LAYOUT_COUNT];
  CStringArray m_HierarchyPaths;
  std::vector<CCorvexMetaStage> m_MetaStages;
  std::vector<CStringArray> m_Tools;
  CObArray m_Folders;  // CCorvexFolderItem*, owned
};
