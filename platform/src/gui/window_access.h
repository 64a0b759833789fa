// What the Qt side of the windows reaches inside CWnd and CDialog.
#pragma once

#include "afxwin.h"
#include "winresource.h"

class QWidget;

namespace platform::ui {

struct WindowAccess {
  static QWidget* Widget(const CWnd& window) { return reinterpret_cast<QWidget*>(window.m_hWnd); }
  // A control of `dialog`, with its widget (null for a window-less dialog) and pixel size.
  static CWnd& AddControl(CWnd& dialog, int id, QWidget* widget, int width, int height);
  static void ForgetControls(CWnd& dialog) { dialog.m_controls.clear(); }
  // The window took a new client size: kept, then OnSize.
  static void Resized(CWnd& window, int width, int height);
  static void SetSize(CWnd& window, int width, int height);
  static const std::string& Text(const CWnd& window) { return window.m_text; }

  static BOOL InitDialog(CDialog& dialog) { return dialog.OnInitDialog(); }
  static void Ok(CDialog& dialog) { dialog.OnOK(); }
  static void Cancel(CDialog& dialog) { dialog.OnCancel(); }
  static UINT TemplateId(const CDialog& dialog) { return dialog.m_nIDTemplate; }
  static CWnd* Parent(const CDialog& dialog) { return dialog.m_pParentWnd; }
};

// A template's size in pixels (dialog units at fixed base units, so that a window-less
// run measures as a shown one).
int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// DoModal's two ways: shown on Qt (on the GUI thread), or recorded and answered.
INT_PTR RunDialogInWindow(CDialog& dialog, const DialogTemplate& form);
INT_PTR RunDialogScripted(CDialog& dialog, const DialogTemplate& form);

// The windows PostMessageA may reach: dialogs while they run.
void RegisterLiveWindow(HWND window);
void UnregisterLiveWindow(HWND window);

}  // namespace platform::ui
