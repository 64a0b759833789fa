// The credential prompt (CredUI) and its credential store.
//
// The store keeps one entry (user name and password) per target name in the user's hive,
// under HKEY_CURRENT_USER\Software\Halvorn\Platform\Credentials, protected with
// CryptProtectData; a damaged entry counts as none.
#pragma once

#include "winerror.h"
#include "wintypes.h"

#ifndef HBITMAP_DEFINED
#define HBITMAP_DEFINED
typedef struct HBITMAP__* HBITMAP;
#endif
typedef const char* PCSTR;
typedef char* PSTR;

typedef struct _SecHandle {
  ULONG_PTR dwLower;
  ULONG_PTR dwUpper;
} SecHandle, *PSecHandle;
typedef SecHandle CtxtHandle;
typedef PSecHandle PCtxtHandle;

typedef struct _CREDUI_INFOA {
  DWORD cbSize;
  HWND hwndParent;
  PCSTR pszMessageText;
  PCSTR pszCaptionText;
  HBITMAP hbmBanner;
} CREDUI_INFOA, *PCREDUI_INFOA;

#define CREDUI_MAX_MESSAGE_LENGTH 1024
#define CREDUI_MAX_CAPTION_LENGTH 128
#define CREDUI_MAX_GENERIC_TARGET_LENGTH 32767
#define CREDUI_MAX_USERNAME_LENGTH 513
#define CREDUI_MAX_PASSWORD_LENGTH 256

#define CREDUI_FLAGS_INCORRECT_PASSWORD 0x00001
#define CREDUI_FLAGS_DO_NOT_PERSIST 0x00002
#define CREDUI_FLAGS_REQUEST_ADMINISTRATOR 0x00004
#define CREDUI_FLAGS_EXCLUDE_CERTIFICATES 0x00008
#define CREDUI_FLAGS_REQUIRE_CERTIFICATE 0x00010
#define CREDUI_FLAGS_SHOW_SAVE_CHECK_BOX 0x00040
#define CREDUI_FLAGS_ALWAYS_SHOW_UI 0x00080
#define CREDUI_FLAGS_REQUIRE_SMARTCARD 0x00100
#define CREDUI_FLAGS_PASSWORD_ONLY_OK 0x00200
#define CREDUI_FLAGS_VALIDATE_USERNAME 0x00400
#define CREDUI_FLAGS_COMPLETE_USERNAME 0x00800
#define CREDUI_FLAGS_PERSIST 0x01000
#define CREDUI_FLAGS_SERVER_CREDENTIAL 0x04000
#define CREDUI_FLAGS_EXPECT_CONFIRMATION 0x20000
#define CREDUI_FLAGS_GENERIC_CREDENTIALS 0x40000
#define CREDUI_FLAGS_USERNAME_TARGET_CREDENTIALS 0x80000
#define CREDUI_FLAGS_KEEP_USERNAME 0x100000

// Asks for a user name and password for pszTargetName. Without CREDUI_FLAGS_ALWAYS_SHOW_UI
// a stored entry for the target answers at once, without a dialog. The dialog shows the
// message and caption of pUiInfo (either may be null), says that the last logon failed
// under CREDUI_FLAGS_INCORRECT_PASSWORD, and starts with the buffers' user name. The
// answers are cut to the buffer sizes (in characters, with the terminating zero). Under
// CREDUI_FLAGS_PERSIST what was confirmed is stored for the target; under
// CREDUI_FLAGS_DO_NOT_PERSIST nothing is stored; otherwise *save (when given) decides.
// Returns NO_ERROR, ERROR_CANCELLED when the user cancels, ERROR_INVALID_PARAMETER for a
// missing target or buffer, ERROR_NOT_SUPPORTED when no window can be shown.
DWORD CredUIPromptForCredentialsA(PCREDUI_INFOA pUiInfo, PCSTR pszTargetName, PCtxtHandle pContext,
                                  DWORD dwAuthError, PSTR pszUserName, ULONG ulUserNameBufferSize,
                                  PSTR pszPassword, ULONG ulPasswordBufferSize, BOOL* save, DWORD dwFlags);
