// Loads the settings of the program folder and prints every answer as "name=value"
// lines (line breaks in values as "\n"). Options, in any order:
//   --com-first        initialise COM on the thread before loading
//   --settings PATH    load PATH instead of the program folder's CorvexV0.inf
//   --user F L I       set the user information and print nothing else
//   --dlclose          (the program unloads this module afterwards)
#include <QCoreApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "objbase.h"

namespace {

void print(const std::string& name, const CString& value) {
  CString escaped = value;
  escaped.Replace("\n", "\\n");
  std::printf("%s=%s\n", name.c_str(), escaped.GetString());
}
void print(const std::string& name, long value) { std::printf("%s=%ld\n", name.c_str(), value); }

// std::to_string would bring a symbol that binds Setwell to this module.
std::string numbered(const char* name, INT_PTR index) {
  CString text;
  text.Format("%s%d", name, static_cast<int>(index + 1));
  return text.str();
}

CString joined(const CStringArray& items) {
  CString text;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) text += (i ? "|" : "") + items[i];
  return text;
}

void printQueries() {
  CCorvexSettingsProject project;
  CString text = "<untouched>";
  print("IsInstallOK", project.IsInstallOK(text));
  print("InstallMessage", text);
  print("GetSettingsFile", project.GetSettingsFile());
  print("GetCurlTimeout", project.GetCurlTimeout());
  print("IsAuthentActivated", project.IsAuthentActivated());
  print("DoCefShutdown", project.DoCefShutdown());
  print("GetSoftInfo0", project.GetSoftInfo(0));
  print("GetSoftInfo1", project.GetSoftInfo(1));
  print("GetWindowsVersion", project.GetWindowsVersion());
  print("GetTrackingAction", project.GetTrackingAction());
  print("GetNbBoardMax", project.GetNbBoardMax());
  text = "";
  print("GetUploadSrvHostname", project.GetUploadSrvHostname(text));
  print("Hostname", text);
  text = "";
  print("GetUploadSrvHostPath", project.GetUploadSrvHostPath(text));
  print("HostPath", text);
  unsigned int port = 77;
  print("GetUploadSrvHostPort", project.GetUploadSrvHostPort(port));
  print("Port", static_cast<long>(port));
  text = "";
  print("GetCorvexTrackingLogDir", project.GetCorvexTrackingLogDir(text));
  print("TrackingLogDir", text);
  text = "";
  print("GetCorvexTrackingDbgDir", project.GetCorvexTrackingDbgDir(text));
  print("TrackingDbgDir", text);
}

void printLoaded(CSettingsAccess& settings) {
  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    print(std::string("member.") + entry.section + "/" + entry.key, settings.GetText(static_cast<SettingId>(id)));
  }
  print("ProgramFolder", settings.GetProgramFolder());
  print("CountryFile", settings.GetCountryFile());
  print("DataRoot", settings.GetDataRoot());
  print("ToolsFile", settings.GetListFile(SETTING_ToolsInfos));
  print("QuickAccessFile", settings.GetListFile(SETTING_QuickAccessFile));
  print("ForcePriceUpdate", settings.GetForcePriceUpdate());
  print("ResumeCellColor", settings.GetResumeCellColor());
  print("Currencies", static_cast<long>(settings.GetCurrencies().GetSize()));
  for (INT_PTR i = 0; i < settings.GetCurrencies().GetSize(); ++i) {
    const auto* currency = static_cast<const CCorvexCurrencyItem*>(settings.GetCurrencies()[i]);
    print(numbered("Currency", i), currency->GetName() + "|" + currency->GetStrValue());
  }
  print("Hierarchy", joined(settings.GetHierarchyPaths()));
  print("HierarchyCount", static_cast<long>(settings.GetHierarchyPaths().GetSize()));
  print("MetaStages", static_cast<long>(settings.GetMetaStages().size()));
  for (const CCorvexMetaStage& stage : settings.GetMetaStages())
    print("MetaStage." + stage.section.str(), joined(stage.keys) + "=" + joined(stage.values));
  print("Tools", static_cast<long>(settings.GetTools().size()));
  for (size_t i = 0; i < settings.GetTools().size(); ++i) print(numbered("Tool", static_cast<INT_PTR>(i)), joined(settings.GetTools()[i]));
  print("Folders", static_cast<long>(settings.GetFolders().GetSize()));
  for (INT_PTR i = 0; i < settings.GetFolders().GetSize(); ++i) {
    const auto* folder = static_cast<const CCorvexFolderItem*>(settings.GetFolders()[i]);
    print(numbered("Folder", i), folder->GetCode() + "|" + folder->GetLabel() + "|" + folder->GetId());
  }
}

// The code a quit message left for the thread's next event loop, or 0.
int quitCode() {
  int argc = 1;
  char name[] = "settings_probe";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  // A pending quit is handled at once; the timer only ends a loop nobody quits.
  QTimer::singleShot(100, &application, [] { QCoreApplication::exit(0); });
  return application.exec();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int RunSettingsProbe(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  CString settingsFile;
  Setwell::GetApplicationDirectory(settingsFile);
  settingsFile += "CorvexV0.inf";
  char** user = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--com-first") == 0) CoInitialize(nullptr);
    if (std::strcmp(argv[i], "--settings") == 0 && i + 1 < argc) settingsFile = argv[++i];
    if (std::strcmp(argv[i], "--user") == 0 && i + 3 < argc) {
      user = argv + i + 1;
      i += 3;
    }
  }
  CCorvexSettings::SetFile(settingsFile);
  if (user) {
    CCorvexSettingsProject().SetUserInformation(user[0], user[1], user[2]);
    return 0;
  }
  printQueries();
  printLoaded(*CCorvexSettings::GetSettings());
  print("QuitCode", quitCode());
  return 0;
}
