// The queries of the sign-in stack and the project family.
#include <cstring>

#include "CorvexSettings.h"
#include "Setwell.h"
#include "SettingsAccess.h"
#include "afxmsgbox.h"
#include "winprofile.h"
#include "winreg.h"

namespace {

constexpr DWORD kProductTextSize = 260;
constexpr DWORD kWindowsNameSize = 1024;

// "Norvasta - Tamberlo V1.0" gives "Tamberlo V1.0": the last word before the first
// " V", then the rest. Without " V" the whole name.
CString shortProductName(const CString& name) {
  const int version = name.Find(" V");
  if (version < 0) return name;
  const CString before = name.Left(version);
  return before.Mid(before.ReverseFind(' ') + 1) + name.Mid(version);
}

CString readProfileText(const char* section, const char* key, const char* file) {
  char buffer[kProductTextSize] = {};
  const DWORD count = GetPrivateProfileStringA(section, key, "", buffer, kProductTextSize, file);
  return CString(buffer, static_cast<int>(count));
}

}  // namespace

int CCorvexSettings::GetCurlTimeout() const { return GetSettings() ? GetSettings()->GetInt(SETTING_CurlTimeout) : 0; }

int CCorvexSettings::IsAuthentActivated() const {
  return GetSettings() ? GetSettings()->GetInt(SETTING_AuthenticationActivated) : 1;
}

int CCorvexSettings::DoCefShutdown() {
  if (!GetSettings()) return 1;
  return static_cast<int>(GetPrivateProfileIntA("CONFIG", "CefShutdown", 1, GetSettings()->GetSettingsFile()));
}

CString CCorvexSettings::GetSoftInfo(int which) {
  if (!GetSettings()) return CString();
  const CString productFile = readProfileText("LOCALINFFILE", "SplashScreenFile", GetSettings()->GetSettingsFile());
  const CString name = readProfileText("SplashScreen", "ProductName", productFile);
  if (name.IsEmpty()) {
    AfxMessageBox("Bad settings (ProductName), please check your installation");
    PostQuitMessage(1);
  }
  return which ? name : shortProductName(name);
}

CString CCorvexSettings::GetWindowsVersion() {
  HKEY key = nullptr;
  if (!GetSettings()) return CString();
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", &key) != ERROR_SUCCESS)
    return CString();
  char buffer[kWindowsNameSize] = {};
  DWORD size = kWindowsNameSize;
  const LONG status = RegQueryValueExA(key, "ProductName", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return CString();
  // A value stored without its zero fills the buffer: stop at the size read.
  const size_t length = strnlen(buffer, size < kWindowsNameSize ? size : kWindowsNameSize);
  return CString(buffer, static_cast<int>(length));
}

int CCorvexSettings::GetFolder(SettingId id, CString& out) const {
  if (GetSettings()) out = GetSettings()->GetText(id);
  return !out.IsEmpty();
}

int CCorvexSettings::GetCorvexTrackingLogDir(CString& out) const { return GetFolder(SETTING_TrackingLogDir, out); }
int CCorvexSettings::GetCorvexTrackingDbgDir(CString& out) const { return GetFolder(SETTING_TrackingDbgDir, out); }

int CCorvexSettingsProject::GetTrackingAction() const {
  return GetSettings() ? GetSettings()->GetInt(SETTING_TrackingAction) : 0;
}

int CCorvexSettingsProject::GetUploadSrvHostname(CString& out) const {
  if (GetSettings()) out = GetSettings()->GetText(SETTING_TrackingSrvHostname);
  return !out.IsEmpty();
}

int CCorvexSettingsProject::GetUploadSrvHostPath(CString& out) const {
  if (GetSettings()) out = GetSettings()->GetText(SETTING_TrackingSrvHostPath);
  return !out.IsEmpty();
}

int CCorvexSettingsProject::GetUploadSrvHostPort(unsigned int& out) const {
  if (GetSettings()) out = static_cast<unsigned int>(GetSettings()->GetInt(SETTING_TrackingSrvHostPort));
  return out > 0;
}

long CCorvexSettingsProject::GetNbBoardMax() const {
  return GetSettings() ? GetSettings()->GetInt(SETTING_NbBoardMax) : 0;
}

void CCorvexSettingsProject::SetUserInformation(CString firstName, CString lastName, CString id) {
  if (!GetSettings()) return;
  const CString& file = GetSettings()->GetSettingsFile();
  Setwell* setwell = Setwell::GetInstance();
  setwell->WriteParameter("UserInfo", "firstname", firstName, file, 1);
  setwell->WriteParameter("UserInfo", "lastName", lastName, file, 1);
  setwell->WriteParameter("UserInfo", "id", id, file, 1);
}
