// The real credential dialog, on Qt Widgets.
#pragma once

#include <string>

#include "ui_gui_entries.h"

namespace platform::ui {

struct EnteredCredentials {
  std::string user, password;
  bool save = false;
};

// Shows the dialog modally on the calling (GUI) thread; true when the user confirmed.
bool ShowQtCredentialsDialog(const CredentialsDialogRequest& request, EnteredCredentials& entered);

}  // namespace platform::ui
