#include <string>

#include "ui_application.h"
#include "ui_message_box_style.h"
#include "ui_qt_message_box.h"
#include "ui_scripted.h"
#include "winerror.h"
#include "winuser.h"

namespace {

using platform::ui::MessageBoxStyle;

std::string joinedButtonNames(const std::vector<int>& buttons) {
  std::string names;
  for (int id : buttons) names += (names.empty() ? "" : ",") + platform::ui::ButtonName(id);
  return names;
}

int answerScripted(HWND owner, const std::string& text, const std::string& caption, const MessageBoxStyle& style) {
  platform::ui::RecordedPrompt prompt;
  prompt.kind = "messagebox";
  prompt.owner = owner;
  prompt.fields = {{"text", text},
                   {"caption", caption},
                   {"icon", platform::ui::IconName(style.icon)},
                   {"buttons", joinedButtonNames(style.buttons)},
                   {"default", platform::ui::ButtonName(style.defaultButton)}};
  return platform::ui::AnswerScriptedPrompt(prompt, platform::ui::Answer{style.defaultButton, {}}).code;
}

}  // namespace

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::optional<MessageBoxStyle> style = platform::ui::DecodeMessageBoxStyle(type);
  if (!style) {
    SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  const std::string textUtf8 = text ? text : "";
  const std::string captionUtf8 = caption ? caption : "Error";
  int answer = 0;
  if (platform::ui::ScriptedBackendInUse()) {
    platform::ui::RunOnGuiThread([&] { answer = answerScripted(owner, textUtf8, captionUtf8, *style); });
    return answer;
  }
  if (!platform::ui::EnsureApplication()) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  platform::ui::RunOnGuiThread([&] { answer = platform::ui::ShowQtMessageBox(owner, textUtf8, captionUtf8, *style); });
  return answer;
}
