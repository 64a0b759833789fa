#include "wincred.h"

DWORD CredUIPromptForCredentialsA(PCREDUI_INFOA, PCSTR, PCtxtHandle, DWORD, PSTR, ULONG, PSTR, ULONG, BOOL*, DWORD) {
  return ERROR_NOT_SUPPORTED;
}
