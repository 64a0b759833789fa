// The suite's settings: CCorvexSettings::SetFile loads the suite settings file once
// into the process-wide settings object; any component then constructs a
// CCorvexSettings (or a family object) on its stack and asks. Before SetFile every
// query gives its fixed "not loaded" answer.
#pragma once

#include "SettingsSchema.h"
#include "afxobject.h"
#include "afxstr.h"

class CArchive;
class CSettingsAccess;

// The query families. Their queries read the process-wide settings object.
class CCorvexSettingsProduct {};
class CCorvexSettingsPricer {};
class CCorvexSettingsExport {};

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

 private:
  int GetFolder(SettingId id, CString& out) const;
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
