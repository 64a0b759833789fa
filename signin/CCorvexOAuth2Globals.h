// What the sign-in needs besides the flow: the OAuth2 constants, the per-user token
// store in the registry, the login-address builder, a holder for one parsed JSON
// document, and the error boxes.
#pragma once

#include <rapidjson/document.h>

#include <map>
#include <string>

#include "afxstr.h"

class CCorvexOAuth2Globals {
 public:
  // JSON field, registry value and label names.
  static const char* const ACCESS_TOKEN;
  static const char* const REFRESH_TOKEN;
  static const char* const ID_TOKEN;
  static const char* const EXPIRE_IN;
  static const char* const TOKEN_TYPE;
  static const char* const REVOKE_TOKEN;
  static const char* const ERROR_TOKEN;
  static const char* const ERROR_DESCRIPTION;
  static const char* const ERROR_STATUS;
  static const char* const TOKEN_EXPIRED;
  static const char* const TOKEN_NOT_FOUND;
  static const char* const INVALID_CODE;
  static const char* const CUSTOM_DESC;
  static const char* const USER_FEDERATED_ID;
  static const char* const USER_COMPANY_NAME;
  static const char* const KORU_ID;
  static const char* const KORU_COMPANY;
  static const char* const INTERNAL_ID;
  static const char* const REGISTERED_ID;
  static const char* const ANONYMOUS_ID;
  static const char* const UNKNOWN_ID;
  static const char* const CURRENT_TIME;
  // The token store's key under HKEY_CURRENT_USER.
  static const char* const SUBKEY;
  static const char* const USER_API_URI;
  static const char* const GOOGLE_URL;

  // Token endpoint.
  static const std::string API_URI;
  static const std::string CLIENT_SECRET;
  // Login page, expected intermediate pages, registered redirect address.
  static const std::wstring AUTH_URI;
  static const std::wstring REDIRECT_AUTH;
  static const std::wstring PINGID_URI;
  static const std::wstring REDIRECT_URI;
  static const std::wstring CLIENT_ID;
  // Around the code in the redirect address.
  static const std::wstring CODE_LABEL_PARAM;
  static const std::wstring CLIENT_ID_LABEL_PARAM;
  static const std::wstring APP_NAME;

  CCorvexOAuth2Globals();
  ~CCorvexOAuth2Globals();
  CCorvexOAuth2Globals(CCorvexOAuth2Globals&& other) noexcept;
  CCorvexOAuth2Globals& operator=(CCorvexOAuth2Globals&& other) noexcept;
  CCorvexOAuth2Globals(const CCorvexOAuth2Globals&) = delete;
  CCorvexOAuth2Globals& operator=(const CCorvexOAuth2Globals&) = delete;

  // Token store: one protected value per item under SUBKEY. 1 on success; on failure
  // 0 and an error line in the log (DecryptData also empties `value`).
  static int EncryptData(CString name, CString value);
  static int DecryptData(CString name, CString& value);
  // Deletes SUBKEY with its values; its parent stays. 1 when the store is gone
  // (deleted, or there was none), else 0; any non-zero status is logged.
  static int DeleteKey();

  // base + "?" + "key=value&" for each entry in key order, nothing encoded; the
  // trailing "&" stays. An empty base gives an empty text.
  static std::wstring BuildURL(std::wstring base, std::map<std::wstring, std::wstring> params);

  // Shows the error box for message `id` of the library's language module, with no
  // owner, the error icon and an OK button, and returns when it is closed. Only
  // "No Internet connexion" (14355) is shown as it is; every other message shows the
  // generic authentication problem (14385). The title is "Error" (14368). Called off
  // the Qt GUI thread, the box runs on the GUI thread and the caller waits.
  static void NavigateErrorMsg(unsigned int id);
  // The box for a failed request's HTTP status (or URL-moniker error), then, once it
  // is closed, the status's English text in the log (error, user scope, title
  // "Authentication error"). The second argument is not used.
  static void GetErrorMsg(int status, int);
  // The message number and English log text for a failed request's status; unknown
  // statuses give "Unknown error" (14360).
  static UINT GetErrorMsgId(int status, CString& logText);

  // Drops the previous document, then parses `text` as exactly one JSON value.
  // 1 on success; 0 for null, empty, cut or trailing-data text (then nothing is found).
  int parseData(const char* text);

  // Moves the value of the root member `key` (or of `key` inside the root member
  // object `parent`) out of the document into `value`, so a second lookup finds null.
  // 1 when it is a non-empty string, a non-zero integer of any width, or an object or
  // array with elements; 0 otherwise, also for a number with a fraction, a root that
  // is not an object, or no document. Callers check the type of `value` themselves.
  // Strings in `value` belong to this object's document: they stay valid until the
  // next parseData or the object's end.
  int getValueByKey(CString key, CString parent, rapidjson::Value& value);

 private:
  rapidjson::Document m_document;
};
