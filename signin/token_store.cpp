// The token store: protected values under HKEY_CURRENT_USER\Software\Halvorn\Ondra.
#include "CCorvexOAuth2Globals.h"
#include "Logger.h"
#include "Security.h"

namespace {

const char kTitle[] = "Authentication";

void LogError(const CString& text) { Logger::getInstance()->error(LOG_SCOPE_DEBUG, kTitle, text); }

}  // namespace

int CCorvexOAuth2Globals::EncryptData(CString name, CString value) {
  long status = 0;
  if (CCEncryptDataToRegistry(HKEY_CURRENT_USER, SUBKEY, name, value, status)) return 1;
  CString text;
  text.Format("Unable to encrypt data in registry for value: %s, at key HKEY_CURRENT_USER\\%s, error code %d",
              name.GetString(), SUBKEY, static_cast<int>(status));
  LogError(text);
  return 0;
}

int CCorvexOAuth2Globals::DecryptData(CString name, CString& value) {
  long status = 0;
  if (CCDecryptDataFromRegistry(HKEY_CURRENT_USER, SUBKEY, name, value, status)) return 1;
  CString text;
  text.Format("Unable to decrypt data from registry for value: %s, at key HKEY_CURRENT_USER\\%s, error code %d",
              name.GetString(), SUBKEY, static_cast<int>(status));
  LogError(text);
  return 0;
}

int CCorvexOAuth2Globals::DeleteKey() {
  const LONG status = RegDeleteKeyA(HKEY_CURRENT_USER, SUBKEY);
  if (status != ERROR_SUCCESS) {
    CString text;
    text.Format("Unable to delete registry key HKEY_CURRENT_USER\\%s, error code %d", SUBKEY, static_cast<int>(status));
    LogError(text);
  }
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? 1 : 0;
}
