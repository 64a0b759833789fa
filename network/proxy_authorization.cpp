// GetProxyAuthorization: the credential prompt for the proxy, backed by the user's
// credential store under the target "Tamberlo".

#include "CCorvexNetworkUtils.h"
#include "wincred.h"

namespace {

const char kCredentialTarget[] = "Tamberlo";
const UINT kPromptMessageId = 40001;
const UINT kPromptCaptionId = 40002;
const int kMessageLimit = 1023;
const int kCaptionLimit = 127;
const ULONG kAnswerBufferSize = 1000;

CString LoadText(UINT id, int limit) {
  CString text;
  text.LoadString(id);
  return text.Left(limit);
}

}  // namespace

unsigned long CCorvexNetworkUtils::GetProxyAuthorization(unsigned long flags, CString& user, CString& password) {
  const CString message = LoadText(kPromptMessageId, kMessageLimit);
  const CString caption = LoadText(kPromptCaptionId, kCaptionLimit);
  char userBuffer[kAnswerBufferSize] = {};
  char passwordBuffer[kAnswerBufferSize] = {};
  BOOL save = FALSE;
  CREDUI_INFOA info = {sizeof(CREDUI_INFOA), nullptr, message, caption, nullptr};
  const DWORD result = CredUIPromptForCredentialsA(&info, kCredentialTarget, nullptr, 0, userBuffer, kAnswerBufferSize,
                                                   passwordBuffer, kAnswerBufferSize, &save, static_cast<DWORD>(flags));
  userBuffer[kAnswerBufferSize - 1] = '\0';
  passwordBuffer[kAnswerBufferSize - 1] = '\0';
  if (result == NO_ERROR) {
    user = userBuffer;
    password = passwordBuffer;
  }
  return result;
}
