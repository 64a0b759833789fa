#include "ui_message_box_style.h"

namespace platform::ui {
namespace {

struct ButtonSet {
  UINT type;
  std::vector<int> buttons;
  int escapeAnswer;
};

const ButtonSet kButtonSets[] = {
    {MB_OK, {IDOK}, IDOK},
    {MB_OKCANCEL, {IDOK, IDCANCEL}, IDCANCEL},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}, 0},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
    {MB_YESNO, {IDYES, IDNO}, 0},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDCANCEL},
};

MessageBoxIcon decodeIcon(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return MessageBoxIcon::Error;
    case MB_ICONQUESTION: return MessageBoxIcon::Question;
    case MB_ICONEXCLAMATION: return MessageBoxIcon::Warning;
    case MB_ICONASTERISK: return MessageBoxIcon::Information;
    default: return MessageBoxIcon::None;
  }
}

}  // namespace

std::optional<MessageBoxStyle> DecodeMessageBoxStyle(UINT type) {
  for (const ButtonSet& set : kButtonSets) {
    if (set.type != (type & MB_TYPEMASK)) continue;
    MessageBoxStyle style;
    style.buttons = set.buttons;
    // A default button past the last one falls back to the first, as on Windows.
    size_t defaultIndex = (type & MB_DEFMASK) >> 8;
    style.defaultButton = set.buttons[defaultIndex < set.buttons.size() ? defaultIndex : 0];
    style.escapeAnswer = set.escapeAnswer;
    style.icon = decodeIcon(type);
    style.topmost = (type & (MB_TOPMOST | MB_SYSTEMMODAL)) != 0;
    return style;
  }
  return std::nullopt;
}

std::string ButtonName(int id) {
  switch (id) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return std::to_string(id);
  }
}

std::string IconName(MessageBoxIcon icon) {
  switch (icon) {
    case MessageBoxIcon::Error: return "error";
    case MessageBoxIcon::Question: return "question";
    case MessageBoxIcon::Warning: return "warning";
    case MessageBoxIcon::Information: return "information";
    case MessageBoxIcon::None: break;
  }
  return "none";
}

}  // namespace platform::ui
