#include <optional>

#include "platform_gui.h"
#include "qt_credentials_dialog.h"
#include "qt_message_box.h"
#include "quit_loop.h"
#include "ui_gui_entries.h"
#include "winheap.h"

namespace platform::ui {
namespace {

int messageBox(HWND owner, const char* text, const char* caption, UINT type) {
  const std::optional<MessageBoxStyle> style = DecodeMessageBoxStyle(type);
  if (!style || !EnsureApplication()) return 0;
  int answer = 0;
  RunOnGuiThread([&] { answer = ShowQtMessageBox(owner, text, caption, *style); });
  return answer;
}

DWORD credentialsDialog(const CredentialsDialogRequest* request,
                        void (*confirmed)(void* context, const char* user, const char* password, int save),
                        void* context) {
  if (!EnsureApplication()) return ERROR_NOT_SUPPORTED;
  EnteredCredentials entered;
  bool accepted = false;
  RunOnGuiThread([&] { accepted = ShowQtCredentialsDialog(*request, entered); });
  if (!accepted) return ERROR_CANCELLED;
  confirmed(context, entered.user.c_str(), entered.password.c_str(), entered.save ? 1 : 0);
  SecureZeroMemory(entered.password.data(), entered.password.size());
  return NO_ERROR;
}

void runOnGuiThread(void (*work)(void* context), void* context) {
  RunOnGuiThread([work, context] { work(context); });
}

}  // namespace
}  // namespace platform::ui

extern "C" const PlatformGuiEntries* PlatformGuiEntryTable() {
  static const PlatformGuiEntries entries = {platform::ui::messageBox, platform::ui::runOnGuiThread,
                                             platform::ui::QuitLoop, platform::ui::credentialsDialog};
  return &entries;
}
