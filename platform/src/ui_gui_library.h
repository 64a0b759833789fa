// The platform's windowed part (PlatformGui), loaded from beside this library when the
// first window needs it. Until then Qt is not in the process: libraries that show nothing
// load fast and map no Qt library.
#pragma once

#include <functional>

#include "ui_gui_entries.h"

namespace platform::ui {

// PlatformGui's entries, loading it on the first call; null when it cannot be loaded.
const PlatformGuiEntries* GuiLibrary();

// Runs `work` on the Qt GUI thread when Qt is in the process (an application object may
// exist, made by PlatformGui or by the program), else right here: without Qt there is no
// GUI thread.
void RunOnGuiThreadIfAny(const std::function<void()>& work);

}  // namespace platform::ui
