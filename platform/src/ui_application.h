// The Qt application the platform's windows live in, and the way onto its GUI thread.
#pragma once

#include <functional>

class QApplication;

namespace platform::ui {

// The running QApplication, created on demand from the program's name when there is
// none. Null when a non-widget Qt application object already exists.
QApplication* EnsureApplication();

// Runs `work` on the Qt GUI thread and waits until it is done. Runs it right here on the
// GUI thread itself, or when there is no Qt application at all.
void RunOnGuiThread(const std::function<void()>& work);

}  // namespace platform::ui
