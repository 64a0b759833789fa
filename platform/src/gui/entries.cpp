#include <optional>

#include "platform_gui.h"
#include "qt_message_box.h"
#include "quit_loop.h"
#include "ui_gui_entries.h"

namespace platform::ui {
namespace {

int messageBox(HWND owner, const char* text, const char* caption, UINT type) {
  const std::optional<MessageBoxStyle> style = DecodeMessageBoxStyle(type);
  if (!style || !EnsureApplication()) return 0;
  int answer = 0;
  RunOnGuiThread([&] { answer = ShowQtMessageBox(owner, text, caption, *style); });
  return answer;
}

void runOnGuiThread(void (*work)(void* context), void* context) {
  RunOnGuiThread([work, context] { work(context); });
}

}  // namespace
}  // namespace platform::ui

extern "C" const PlatformGuiEntries* PlatformGuiEntryTable() {
  static const PlatformGuiEntries entries = {platform::ui::messageBox, platform::ui::runOnGuiThread,
                                             platform::ui::QuitLoop};
  return &entries;
}
