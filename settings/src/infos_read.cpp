// ReadInfosFile and GetFirstInfos: the information feed's entries in and out.
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "CorvexSettings.h"
#include "IniFile.h"
#include "SettingsAccess.h"
#include "infos_import.h"
#include "platform_paths.h"
#include "qrmt_text.h"
#include "winprofile.h"

namespace {

constexpr int kRecordFieldCount = 7;
constexpr char kBell = 7;

CSettingsAccess* settings() { return CCorvexSettings::GetSettings(); }

// A picture name as a path below the program folder, "\" read as the separator.
CString localName(CString name) {
  name.Replace('\\', platform::kPathSeparator);
  return name;
}

// A leading "_STD_" stands for the program folder's parent: a local name may climb
// that one level and no more.
bool staysInTree(const CString& name, bool fromParent) {
  int element = 0;
  for (int start = 0; start <= name.GetLength(); ++element) {
    int end = name.Find(platform::kPathSeparator, start);
    if (end < 0) end = name.GetLength();
    if (name.Mid(start, end - start) == ".." && !(fromParent && element == 0)) return false;
    start = end + 1;
  }
  return true;
}

bool isAddress(const CString& name) { return name.Find("://", 2) >= 0; }

// The value as a profile read gives it: one pair of surrounding quotes removed.
CString withoutQuotes(const CString& value) {
  const int length = value.GetLength();
  if (length >= 2 && (value[0] == '"' || value[0] == '\'') && value[length - 1] == value[0])
    return value.Mid(1, length - 2);
  return value;
}

}  // namespace

int CCorvexSettings::ReadInfosFile(CStringArray& addresses, CStringArray& paths) {
  addresses.RemoveAll();
  paths.RemoveAll();
  if (!settings()) return 0;
  CStringArray names;
  const InfosImportFiles files = {settings()->GetProgramFolder() + "TamberloInfos.csv", settings()->GetSettingsFile(),
                                  settings()->GetText(SETTING_InfosBuild)};
  if (!ImportInfosFile(files, names)) return 0;
  for (INT_PTR i = 0; i < names.GetSize(); ++i) {
    CString name = names[i];
    QRMT_trim(name);
    CString local = localName(name);
    const bool fromParent = local.Left(5) == "_STD_";
    if (fromParent) local.Replace("_STD_", "..");
    if (!staysInTree(local, fromParent)) continue;
    CString address = name;
    address.Replace('\\', '/');
    addresses.Add(settings()->GetRepositoryBase() + address);
    paths.Add(settings()->GetProgramFolder() + local);
  }
  return 1;
}

int CCorvexSettings::GetFirstInfos(CString& first, CString& second, CString& third, CString& picture) {
  if (!settings()) return 0;
  if (!first.IsEmpty()) return 1;
  const CString& file = settings()->GetSettingsFile();
  // The whole section in one read: every entry, however many and however long.
  CStringArray keys, values;
  CIniFile(file).GetEntries("INFOSDATA", keys, values);
  std::unordered_set<std::string> seen;
  for (INT_PTR k = 0; k < keys.GetSize() && first.IsEmpty(); ++k) {
    // A key written twice reads as its first entry.
    if (!seen.insert(CString(keys[k]).MakeLower().str()).second) continue;
    CString value = withoutQuotes(values[k]);
    if (value.IsEmpty() || value == "0") continue;
    if (value.GetLength() >= 2 && value[0] == '"' && value[value.GetLength() - 1] == '"')
      value = value.Mid(1, value.GetLength() - 2);
    CStringArray fields;
    QRMT_ParseString(value, fields, ';');
    fields.SetSize(kRecordFieldCount);
    first = fields[2];
    first.Replace('{', kBell);
    first.Replace('}', kBell);
    second = fields[3];
    third = fields[4];
    picture = fields[5];
    if (std::atoi(fields[1]) == 1) WritePrivateProfileStringA("INFOSDATA", keys[k], "0", file);
  }
  // A picture that would lie outside the program's tree was never fetched: none.
  if (!first.IsEmpty() && !picture.IsEmpty() && !isAddress(picture))
    picture = staysInTree(localName(picture), false) ? settings()->GetProgramFolder() + localName(picture) : CString();
  return !first.IsEmpty();
}
