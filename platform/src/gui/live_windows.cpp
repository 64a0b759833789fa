#include <QCoreApplication>
#include <QWidget>
#include <mutex>
#include <set>

#include "window_access.h"
#include "winerror.h"

namespace platform::ui {
namespace {

struct LiveWindows {
  std::mutex mutex;
  std::set<HWND> windows;
};

LiveWindows& live() {
  static LiveWindows* const instance = new LiveWindows;  // posts may come during exit
  return *instance;
}

bool isLive(HWND window) {
  std::lock_guard<std::mutex> lock(live().mutex);
  return live().windows.count(window) != 0;
}

}  // namespace

void RegisterLiveWindow(HWND window) {
  std::lock_guard<std::mutex> lock(live().mutex);
  live().windows.insert(window);
}

void UnregisterLiveWindow(HWND window) {
  std::lock_guard<std::mutex> lock(live().mutex);
  live().windows.erase(window);
}

}  // namespace platform::ui

BOOL PostMessageA(HWND window, UINT message, WPARAM, LPARAM) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!window || !application || !platform::ui::isLive(window)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  // Looked at again when it is handled: the window may have gone in between.
  QMetaObject::invokeMethod(
      application,
      [window, message] {
        if (message == WM_CLOSE && platform::ui::isLive(window)) reinterpret_cast<QWidget*>(window)->close();
      },
      Qt::QueuedConnection);
  return TRUE;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int cx, int cy, UINT flags) {
  auto* widget = reinterpret_cast<QWidget*>(window);
  if (!widget) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!(flags & SWP_NOMOVE)) widget->move(x, y);
  if (!(flags & SWP_NOSIZE)) widget->resize(cx, cy);
  return TRUE;
}
