// Loading of the settings object, in this order: installation check, folders, build
// stamp, then the file names, "LOCALINFFILE", "GENERAL", "DEFAULT" with the currencies,
// the presentation and stage sections, "Config", the meta-stages, "TOOLSMENU", the
// country file, the tools, "XML", the folders of the dir-list file and "SHOWMESSAGE".
#include "SettingsAccess.h"

#include <cstring>

#include "IniFile.h"
#include "Setwell.h"
#include "build_stamp.h"
#include "column_layout.h"
#include "folder_correction.h"
#include "install_check.h"
#include "long_value.h"
#include "platform_numbers.h"
#include "platform_paths.h"
#include "setting_counts.h"
#include "setting_read.h"
#include "winfile.h"

namespace {

const char* const kSectionsInOrder[] = {"GENERAL",
                                        "DEFAULT",
                                        "HELP",
                                        "CATALOGTASK",
                                        "INTERNAL",
                                        "PRESENTATION",
                                        "TXT_CSV",
                                        "CATALOGACCESS",
                                        "AUTOSAVE",
                                        "CORVEXSTAGEPRODUCT",
                                        "CORVEXSTAGEDESIGN",
                                        "CORVEXSTAGEBOM",
                                        "CORVEXSTAGERESULT_COLUMN_DATA",
                                        "CORVEXSTAGERESULT_COLUMN_PRINT",
                                        "CORVEXSTAGEPRICER_COLUMN_PRICER",
                                        "CORVEXSTAGEPRICER_COLUMN_PRESTA",
                                        "CORVEXSTAGERESULT",
                                        "CORVEXSTAGEPRICER",
                                        "Config"};

constexpr int kMetaStageValueSize = 32;
constexpr int kToolValueSize = 128;
constexpr int kHierarchySize = 128;
constexpr int kCurrencySize = 32;
constexpr int kVisibleFolderSize = 260;

CString withSeparator(const CString& folder) {
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] == platform::kPathSeparator) return folder;
  return folder + platform::kPathSeparator;
}

// The dir-list file's name with the extension "err", in the same folder (a bare
// name is a file of the Windows folder, as for the profile calls).
CString reportFileOf(const CString& dirList) {
  CString path = dirList;
  if (path.Find(platform::kPathSeparator) < 0) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    path = withSeparator(windows) + path;
  }
  char report[_MAX_PATH] = {}, drive[_MAX_DRIVE] = {}, folder[_MAX_DIR] = {}, name[_MAX_FNAME] = {};
  _splitpath(path, drive, folder, name, nullptr);
  _makepath(report, drive, folder, name, "err");
  return report;
}

CString numbered(const char* name, int index) {
  CString key;
  key.Format("%s%d", name, index);
  return key;
}

}  // namespace

CSettingsAccess::CSettingsAccess(const char* settingsFile) : m_SettingsFile(settingsFile ? settingsFile : "") {
  char drive[_MAX_DRIVE] = {}, folder[_MAX_DIR] = {};
  _splitpath(m_SettingsFile, drive, folder, nullptr, nullptr);
  m_Drive = drive;
  m_Folder = folder;
  // The component libraries of the installation check lie in the program folder.
  Setwell::GetApplicationDirectory(m_ProgramFolder);
  LoadEntry(SETTING_InstallChecker);  // read but not used: the check runs at every start
  CheckInstallation();
  DocumentsFolder();  // finds the correction folders
  LoadBuildStamp();
  LoadFileNames();
  LoadTarif();
  for (const char* section : kSectionsInOrder) {
    LoadEntries(SettingFile::SETTINGS_FILE, section);
    if (CString(section) == "DEFAULT") LoadCurrencies();
    if (CString(section) == "CORVEXSTAGEDESIGN") LoadHierarchy();
  }
  LoadLayouts();
  m_ResumeCellColor = StrtolInt32(m_Text[SETTING_ResumeCellColor], 16);
  LoadMetaStages();
  LoadEntries(SettingFile::SETTINGS_FILE, "TOOLSMENU");
  LoadEntries(SettingFile::COUNTRY_FILE, "INTERNATIONALE");
  LoadTools();
  LoadEntries(SettingFile::SETTINGS_FILE, "XML");
  LoadFolders();
  LoadFolderList();
  LoadEntries(SettingFile::SETTINGS_FILE, "SHOWMESSAGE");
}

CSettingsAccess::~CSettingsAccess() {
  for (INT_PTR i = 0; i < m_Currencies.GetSize(); ++i) delete m_Currencies[i];
  for (INT_PTR i = 0; i < m_Folders.GetSize(); ++i) delete m_Folders[i];
  for (CObArray& layout : m_Layouts) FreeColumnLayout(layout);
  m_Currencies.RemoveAll();
  m_Folders.RemoveAll();
  delete Setwell::GetInstance();
}

CString CSettingsAccess::FileOf(SettingFile file) const {
  switch (file) {
    case SettingFile::DIRLIST_FILE: return m_Text[SETTING_DirList];
    case SettingFile::COUNTRY_FILE: return m_CountryFile;
    default: return m_SettingsFile;
  }
}

void CSettingsAccess::LoadEntry(SettingId id) {
  const SettingSchemaEntry& entry = SettingSchema(id);
  const CString file = FileOf(entry.file);
  const int userLayer = entry.layer == SettingLayer::USER_FIRST;
  if (entry.size > 0) {
    m_Text[id] = ReadSettingText(file, entry.section, entry.key, entry.size, entry.textDefault, userLayer);
    m_Int[id] = static_cast<int>(platform::AtolC(m_Text[id]));
  } else {
    m_Int[id] =
        Setwell::GetInstance()->ReadIntParameter(entry.section, entry.key, entry.integerDefault, file, userLayer, 0);
    m_Text[id].Format("%d", m_Int[id]);
  }
}

void CSettingsAccess::LoadEntries(SettingFile file, const char* section) {
  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    if (entry.file == file && std::strcmp(entry.section, section) == 0) LoadEntry(static_cast<SettingId>(id));
  }
}

void CSettingsAccess::CheckInstallation() {
  m_InstallFlag = CheckComponentInstallation(m_ProgramFolder, m_InstallMessage);
  Setwell::GetInstance()->WriteParameter("Config", "InstallChecker", "1", m_SettingsFile, 0);
}

void CSettingsAccess::LoadBuildStamp() {
  LoadEntry(SETTING_InfosBuild);
  if (!m_Text[SETTING_InfosBuild].IsEmpty()) return;
  m_Text[SETTING_InfosBuild] = LibraryBuildStamp();
  Setwell::GetInstance()->WriteParameter("INFOSCHECKER", "Build", m_Text[SETTING_InfosBuild], m_SettingsFile, 0);
}

void CSettingsAccess::LoadFileNames() {
  LoadEntries(SettingFile::SETTINGS_FILE, "SHAREDINIFILE");
  LoadEntries(SettingFile::SETTINGS_FILE, "SHAREDINFFILE");
  m_CountryFile = m_ProgramFolder + m_Text[SETTING_CountryList];
  LoadEntries(SettingFile::SETTINGS_FILE, "LOCALINFFILE");
  LoadDataRoot();
}

// "FileDirRoot" relative to the program folder, else the default folder.
void CSettingsAccess::LoadDataRoot() {
  const CString& root = m_Text[SETTING_FileDirRoot];
  if (!root.IsEmpty())
    m_DataRoot = m_ProgramFolder + root;
  else
    m_DataRoot = LoadFolderSetting(GetDirListFile(), "DEFAULT");
  m_DataRoot = withSeparator(m_DataRoot);
}

CString CSettingsAccess::GetListFile(SettingId id) const {
  if (id == SETTING_QuickAccessFile) return m_ProgramFolder + m_Text[id];
  return m_DataRoot + m_Text[id];
}

// Pairs "Money<i>" / "VMoney<i>" until the first one with an empty name or rate.
void CSettingsAccess::LoadCurrencies() {
  for (int i = 1;; ++i) {
    CString rateKey;
    rateKey.Format("%s%s%d", "V", "Money", i);
    const CString name = ReadSettingText(m_SettingsFile, "DEFAULT", numbered("Money", i), kCurrencySize, "", 1);
    const CString rate = ReadSettingText(m_SettingsFile, "DEFAULT", rateKey, kCurrencySize, "", 1);
    if (name.IsEmpty() || rate.IsEmpty()) break;
    m_Currencies.Add(new CCorvexCurrencyItem(name, platform::AtofC(rate)));
  }
}

void CSettingsAccess::LoadHierarchy() {
  const int count = CountWithinCeiling(m_Int[SETTING_HierarchieCount]);
  for (int i = 1; i <= count; ++i)
    m_HierarchyPaths.Add(
        ReadSettingText(m_SettingsFile, "CORVEXSTAGEDESIGN", numbered("PathHierarchie", i), kHierarchySize, "", 1));
}

// Each non-empty value of "METASTAGES" names a section whose keys are read in turn.
void CSettingsAccess::LoadMetaStages() {
  const CIniFile file(m_SettingsFile);
  CStringArray stageKeys;
  file.GetKeyNames("METASTAGES", stageKeys);
  for (INT_PTR i = 0; i < stageKeys.GetSize(); ++i) {
    CCorvexMetaStage stage;
    stage.section = ReadSettingText(m_SettingsFile, "METASTAGES", stageKeys[i], kMetaStageValueSize, "", 1);
    if (stage.section.IsEmpty()) continue;
    file.GetKeyNames(stage.section, stage.keys);
    for (INT_PTR k = 0; k < stage.keys.GetSize(); ++k)
      stage.values.Add(ReadSettingText(m_SettingsFile, stage.section, stage.keys[k], kMetaStageValueSize, "", 1));
    m_MetaStages.push_back(stage);
  }
}

// Tools 1, 2, ... of the tools file, up to the first one without a title.
void CSettingsAccess::LoadTools() {
  static const char* const kToolKeys[] = {"TITLE", "NAME", "COMMAND", "ARG", "WAIT"};
  const CString file = GetListFile(SETTING_ToolsInfos);
  if (m_Text[SETTING_ToolsInfos].IsEmpty()) return;
  for (int i = 1;; ++i) {
    CStringArray tool;
    for (const char* name : kToolKeys)
      tool.Add(ReadSettingText(file, "TOOLS", numbered(name, i), kToolValueSize, "", 1));
    if (tool[0].IsEmpty()) break;
    m_Tools.push_back(tool);
  }
}

void CSettingsAccess::LoadFolders() {
  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    if (entry.file == SettingFile::DIRLIST_FILE) m_Text[id] = LoadFolderSetting(GetDirListFile(), entry.key);
  }
}

// One item per key of "DIRECTORIES_VISIBLE" that is also a key of "DIRECTORIES".
void CSettingsAccess::LoadFolderList() {
  const CString& dirList = GetDirListFile();
  const CString reportFile = reportFileOf(dirList);
  if (GetFileAttributesA(reportFile) != INVALID_FILE_ATTRIBUTES) DeleteFileA(reportFile);

  const CIniFile file(dirList, reportFile);
  CStringArray folderKeys, visibleKeys;
  file.GetKeyNames("DIRECTORIES", folderKeys);
  file.GetKeyNames("DIRECTORIES_VISIBLE", visibleKeys);
  CMapStringToString folders;  // by upper-case key: key names ignore case
  for (INT_PTR i = 0; i < folderKeys.GetSize(); ++i)
    folders.SetAt(CString(folderKeys[i]).MakeUpper(), LoadFolderSetting(dirList, folderKeys[i]));
  for (INT_PTR i = 0; i < visibleKeys.GetSize(); ++i) {
    CString path;
    if (!folders.Lookup(CString(visibleKeys[i]).MakeUpper(), path)) continue;
    const CString code = ReadSettingText(dirList, "DIRECTORIES_VISIBLE", visibleKeys[i], kVisibleFolderSize, "", 1);
    m_Folders.Add(new CCorvexFolderItem(code, path, visibleKeys[i]));
  }
}
