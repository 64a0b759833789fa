// Windows and their messages. A window is a Qt widget: its HWND is the QWidget*. The
// calls here run on the Qt GUI thread; PostMessageA may be called from any thread.
#pragma once

#include "wintypes.h"

#ifndef ERROR_INVALID_WINDOW_HANDLE
#define ERROR_INVALID_WINDOW_HANDLE 1400L
#endif

// Window styles
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_TABSTOP 0x00010000L
#define WS_EX_TOOLWINDOW 0x00000080L
#define WS_EX_APPWINDOW 0x00040000L

// SetWindowPos flags
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010

// Messages
#define WM_SIZE 0x0005
#define WM_CLOSE 0x0010

// WM_SIZE's size types
#define SIZE_RESTORED 0

struct RECT {
  LONG left = 0, top = 0, right = 0, bottom = 0;
};
typedef RECT* LPRECT;

// Moves and sizes the window (pixels); Z order and activation are left as they are.
BOOL SetWindowPos(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

// Queues the message for the window, from any thread. FALSE when the window is not one
// the platform knows alive (a dialog), or was destroyed. Only WM_CLOSE is acted on: it
// closes the window as its close box does.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
#define PostMessage PostMessageA
