// The platform's windowed part (library PlatformGui): the one Qt application every window
// of the process lives in, the way onto its GUI thread, and whether windows can be shown at
// all. Code that shows windows of its own links PlatformGui and includes this header; the
// Windows-shaped calls (MessageBoxA, PostQuitMessage) load the library on first use.
#pragma once

#include <functional>

class QApplication;

namespace platform::ui {

// Whether this process can show windows: a headless Qt platform was asked for
// (QT_QPA_PLATFORM offscreen, minimal, ...), or an X or Wayland display accepts a
// connection. Decided once per process, without letting Qt try (Qt aborts the process
// when it cannot open its display). Every window checks it first.
bool CanOpenWindows();

// The running QApplication, created on demand from the program's name and the platform
// decided above when there is none. Null when no windows can be shown, or when a
// non-widget Qt application object already exists.
QApplication* EnsureApplication();

// Deletes the Qt application on its GUI thread, and with it what only stops with it (the
// browser engine's threads). False, and nothing done, on another thread. A later window
// makes a new application.
bool EndApplication();

// Runs `work` on the Qt GUI thread and waits until it is done. Runs it right here on the
// GUI thread itself, or when there is no Qt application at all.
void RunOnGuiThread(const std::function<void()>& work);

}  // namespace platform::ui
