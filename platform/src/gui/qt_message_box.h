// The real message box, on Qt Widgets.
#pragma once

#include <string>

#include "ui_message_box_style.h"

namespace platform::ui {

// Shows the box modally on the calling (GUI) thread and returns the pressed button's ID.
// A box ended without a button (its event loop quit under it) answers as Escape would,
// or with its default button where Escape does nothing.
int ShowQtMessageBox(HWND owner, const std::string& text, const std::string& caption,
                     const MessageBoxStyle& style);

}  // namespace platform::ui
