// What a message box's type flags ask for, decoded once for both backends.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "winuser.h"

namespace platform::ui {

enum class MessageBoxIcon { None, Error, Question, Warning, Information };

struct MessageBoxStyle {
  std::vector<int> buttons;  // button IDs in display order
  int defaultButton = IDOK;
  int escapeAnswer = 0;      // what Escape and the close box answer; 0: they do nothing
  MessageBoxIcon icon = MessageBoxIcon::None;
  bool topmost = false;
};

// The style of `type`, or nothing for an unknown button set.
std::optional<MessageBoxStyle> DecodeMessageBoxStyle(UINT type);

// "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No".
std::string ButtonName(int id);
// "none", "error", "question", "warning", "information".
std::string IconName(MessageBoxIcon icon);

}  // namespace platform::ui
