// PostQuitMessage's work on Qt's event loops.
#pragma once

namespace platform::ui {

// Ends the calling thread's running event loop (all levels on the GUI thread) with
// `exitCode`, or else the next one the thread starts.
void QuitLoop(int exitCode);

}  // namespace platform::ui
