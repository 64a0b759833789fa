// Message boxes and the quit message, shown with Qt Widgets (or answered by the
// scripted backend of platform_ui.h).
#pragma once

#include "wintypes.h"

// Buttons (MB_TYPEMASK)
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L

// Icons (MB_ICONMASK)
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONINFORMATION MB_ICONASTERISK

// Default button (MB_DEFMASK)
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L

// Modality and placement
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_TOPMOST 0x00040000L

#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L

// Results: the button that was pressed
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// Shows a modal box and returns the pressed button's ID, or 0 with the error set (an
// unknown button set gives ERROR_INVALID_MSGBOX_STYLE). `text` and `caption` are UTF-8;
// a NULL caption shows "Error". `owner` is NULL or a QWidget* cast to HWND: the box is
// parented to that widget's window. Escape and the close box answer IDCANCEL where the box
// has a Cancel button, IDOK for a lone OK button, and do nothing otherwise.
//
// The box is shown by the platform's windowed part (platform_gui.h), loaded on the first
// box. With no QApplication yet, one is created on demand from the program's name and kept
// for the life of the process; later code uses it through platform::ui::EnsureApplication.
// Where no display can be opened (platform::ui::CanOpenWindows), the call fails with
// ERROR_NOT_SUPPORTED and writes "caption: text" as one line to standard error.
// Called off the Qt GUI thread while a QApplication exists, the box runs on the GUI thread
// and the caller blocks until it is answered: the GUI thread must be running (or come back
// to) its event loop, and must not itself be waiting for the caller.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#define MessageBox MessageBoxA

// Ends the calling thread's Qt event loop with `exitCode`: the running one (all levels on
// the GUI thread), or else the next one the thread starts, which then returns at once.
// As modal loops do with a quit message on Windows, every later modal loop of the thread
// (dialogs, message boxes) then ends at once (QEventLoop::exec gives -1), until the
// thread's main loop (QCoreApplication::exec or QThread::exec) runs again.
void PostQuitMessage(int exitCode);

// A thread's message; the application object keeps its last one, whose wParam is its exit code.
struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
};
