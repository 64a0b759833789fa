// Loads the settings of the program folder and prints every answer as "name=value"
// lines (line breaks in values as "\n"); a query with an out value prints
// "result:value". Options:
//   --com-first      initialise COM on the thread before loading
//   --user F L I     only set the user information
//   --do COMMAND...  only run family queries (families_probe.h)
#include <QCoreApplication>
#include <QTimer>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "families_probe.h"
#include "objbase.h"

namespace {

void print(const CString& name, const CString& value) {
  CString escaped = value;
  escaped.Replace("\n", "\\n");
  std::printf("%s=%s\n", name.GetString(), escaped.GetString());
}
void print(const CString& name, long value) { std::printf("%s=%ld\n", name.GetString(), value); }
void print(const CString& name, int result, const CString& out) {
  CString text;
  text.Format("%d:", result);
  print(name, text + out);
}
// (std::to_string would export a symbol that binds Setwell to this module.)
CString numbered(const char* name, size_t index) {
  CString text;
  text.Format("%s%d", name, static_cast<int>(index + 1));
  return text;
}
CString joined(const CStringArray& items) {
  CString text;
  for (INT_PTR i = 0; i < items.GetSize(); ++i) text += (i ? "|" : "") + items[i];
  return text;
}

void printQueries() {
  CCorvexSettingsProject project;
  CString out = "<untouched>";
  print("IsInstallOK", project.IsInstallOK(out), out);
  print("GetSettingsFile", project.GetSettingsFile());
  print("GetCurlTimeout", project.GetCurlTimeout());
  print("IsAuthentActivated", project.IsAuthentActivated());
  print("DoCefShutdown", project.DoCefShutdown());
  print("GetSoftInfo0", project.GetSoftInfo(0));
  print("GetSoftInfo1", project.GetSoftInfo(1));
  print("GetWindowsVersion", project.GetWindowsVersion());
  print("GetTrackingAction", project.GetTrackingAction());
  print("GetNbBoardMax", project.GetNbBoardMax());
  unsigned int port = 77;
  const int hasPort = project.GetUploadSrvHostPort(port);
  CString portText;
  portText.Format("%u", port);
  print("GetUploadSrvHostPort", hasPort, portText);
  const struct {
    const char* name;
    int (CCorvexSettingsProject::*query)(CString&) const;
  } textQueries[] = {{"GetUploadSrvHostname", &CCorvexSettingsProject::GetUploadSrvHostname},
                     {"GetUploadSrvHostPath", &CCorvexSettingsProject::GetUploadSrvHostPath},
                     {"GetCorvexTrackingLogDir", &CCorvexSettingsProject::GetCorvexTrackingLogDir},
                     {"GetCorvexTrackingDbgDir", &CCorvexSettingsProject::GetCorvexTrackingDbgDir}};
  for (const auto& query : textQueries) {
    out.Empty();
    const int result = (project.*query.query)(out);
    print(query.name, result, out);
  }
}

void printLoaded(CSettingsAccess& settings) {
  for (int id = 0; id < SETTING_COUNT; ++id) {
    const SettingSchemaEntry& entry = SettingSchema(static_cast<SettingId>(id));
    print(CString("member.") + entry.section + "/" + entry.key, settings.GetText(static_cast<SettingId>(id)));
  }
  print("CountryFile", settings.GetCountryFile());
  print("ToolsFile", settings.GetListFile(SETTING_ToolsInfos));
  print("QuickAccessFile", settings.GetListFile(SETTING_QuickAccessFile));
  print("ForcePriceUpdate", settings.GetForcePriceUpdate());
  print("ResumeCellColor", settings.GetResumeCellColor());
  print("Currencies", static_cast<long>(settings.GetCurrencies().GetSize()));
  for (INT_PTR i = 0; i < settings.GetCurrencies().GetSize(); ++i) {
    const auto* currency = static_cast<const CCorvexCurrencyItem*>(settings.GetCurrencies()[i]);
    print(numbered("Currency", i), currency->GetName() + "|" + currency->GetStrValue());
  }
  print("Hierarchy", static_cast<long>(settings.GetHierarchyPaths().GetSize()), joined(settings.GetHierarchyPaths()));
  for (const CCorvexMetaStage& stage : settings.GetMetaStages())
    print("MetaStage." + stage.section, joined(stage.keys) + "=" + joined(stage.values));
  print("Tools", static_cast<long>(settings.GetTools().size()));
  for (size_t i = 0; i < settings.GetTools().size(); ++i) print(numbered("Tool", i), joined(settings.GetTools()[i]));
  print("Folders", static_cast<long>(settings.GetFolders().GetSize()));
  for (INT_PTR i = 0; i < settings.GetFolders().GetSize(); ++i) {
    const auto* folder = static_cast<const CCorvexFolderItem*>(settings.GetFolders()[i]);
    print(numbered("Folder", i), folder->GetCode() + "|" + folder->GetLabel() + "|" + folder->GetId());
  }
}

// The code a quit message left for the thread's next event loop; the timer only ends
// a loop nobody quits.
int quitCode() {
  int argc = 1;
  char name[] = "settings_probe";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);
  QTimer::singleShot(100, &application, [] { QCoreApplication::exit(0); });
  return application.exec();
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int RunSettingsProbe(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  CString settingsFile;
  Setwell::GetApplicationDirectory(settingsFile);
  if (argc > 1 && std::strcmp(argv[1], "--com-first") == 0) CoInitialize(nullptr);
  CCorvexSettings::SetFile(settingsFile + "CorvexV0.inf");
  if (argc > 4 && std::strcmp(argv[1], "--user") == 0) {
    CCorvexSettingsProject().SetUserInformation(argv[2], argv[3], argv[4]);
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--do") == 0) {
    const bool unload = std::strcmp(argv[argc - 1], "--dlclose") == 0;
    return RunFamilyCommands(argc - 2 - (unload ? 1 : 0), argv + 2);
  }
  printQueries();
  printLoaded(*CCorvexSettings::GetSettings());
  print("QuitCode", quitCode());
  return 0;
}
