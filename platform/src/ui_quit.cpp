#include "ui_gui_library.h"
#include "winuser.h"

// Event loops are Qt's, so the quit goes through the windowed part, loaded for it when no
// window came first: the quit must still end the thread's next loop.
void PostQuitMessage(int exitCode) {
  if (const PlatformGuiEntries* gui = platform::ui::GuiLibrary()) gui->quitLoop(exitCode);
}
