// The sign-in library's shared operations. (Error boxes only, until the constants and
// the token store join them.)
#pragma once

#include "afxstr.h"
#include "wintypes.h"

class CCorvexOAuth2Globals {
 public:
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
};
