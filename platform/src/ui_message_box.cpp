#include <cstdio>
#include <string>

#include "ui_gui_library.h"
#include "ui_message_box_style.h"
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

platform::ui::RecordedPrompt messageBoxPrompt(HWND owner, const std::string& text, const std::string& caption,
                                              const MessageBoxStyle& style) {
  platform::ui::RecordedPrompt prompt;
  prompt.kind = "messagebox";
  prompt.owner = owner;
  prompt.fields = {{"text", text},
                   {"caption", caption},
                   {"icon", platform::ui::IconName(style.icon)},
                   {"buttons", joinedButtonNames(style.buttons)},
                   {"default", platform::ui::ButtonName(style.defaultButton)}};
  return prompt;
}

// A box that cannot be shown still reaches a user in a terminal: "caption: text" on one line.
void writeToStandardError(const std::string& caption, const std::string& text) {
  std::string line = caption + ": " + text;
  for (char& c : line)
    if (c == '\n' || c == '\r') c = ' ';
  line += '\n';
  std::fputs(line.c_str(), stderr);
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
  const platform::ui::RecordedPrompt prompt = messageBoxPrompt(owner, textUtf8, captionUtf8, *style);
  int answer = 0;
  if (platform::ui::ScriptedBackendInUse()) {
    const platform::ui::Answer unscripted{style->defaultButton, {}};
    platform::ui::RunOnGuiThreadIfAny([&] { answer = platform::ui::AnswerScriptedPrompt(prompt, unscripted).code; });
    return answer;
  }
  if (const PlatformGuiEntries* gui = platform::ui::GuiLibrary())
    answer = gui->messageBox(owner, textUtf8.c_str(), captionUtf8.c_str(), type);
  if (answer != 0) {
    platform::ui::RecordShownPrompt(prompt, platform::ui::Answer{answer, {}});
    return answer;
  }
  writeToStandardError(captionUtf8, textUtf8);
  SetLastError(ERROR_NOT_SUPPORTED);
  return 0;
}
