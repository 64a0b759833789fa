// MFC windows and modal dialogs on Qt Widgets (library PlatformGui). A CWnd's m_hWnd is
// its QWidget*; a dialog is built from a template of the resource chain (winresource.h),
// with one child CWnd per control. Everything here runs on the Qt GUI thread, except
// CWnd::PostMessage.
//
// Without a window (the scripted backend of platform_ui.h), a CWnd keeps what the calls
// set (text, size, extended style) and a dialog's controls have no widget.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "afxobject.h"
#include "afxstr.h"
#include "afxmsgbox.h"
#include "afxwinapp.h"
#include "winuser.h"
#include "winwindow.h"

namespace platform::ui {
struct WindowAccess;
}

class CWnd : public CObject {
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  void SetWindowText(LPCSTR text);
  void GetWindowText(CString& text) const;
  // Pixels. SWP_NOMOVE, SWP_NOSIZE as on Windows; the Z order and activation are kept.
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  // WS_EX_TOOLWINDOW makes a top-level window a tool window (no taskbar entry).
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
  DWORD GetExStyle() const { return m_exStyle; }
  // The dialog control with this identifier, or null.
  CWnd* GetDlgItem(int id) const;
  // {0, 0, width, height} in pixels.
  void GetClientRect(LPRECT rect) const;
  // From any thread; FALSE when the window is gone (see ::PostMessageA).
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  HWND m_hWnd = nullptr;

 protected:
  // WM_SIZE, after the window has taken its new size (cx, cy: its client area).
  virtual void OnSize(UINT nType, int cx, int cy);

 private:
  friend struct platform::ui::WindowAccess;

  std::string m_text;
  int m_width = 0;
  int m_height = 0;
  DWORD m_exStyle = 0;
  std::map<int, std::unique_ptr<CWnd>> m_controls;
};

class CDataExchange;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr)
      : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

  // Shows the dialog modally until EndDialog and returns its result: -1 when the resource
  // chain has no such template or no window can be shown. OnInitDialog runs before the
  // dialog appears; Escape and the close box are OnCancel, a button with IDOK or IDCANCEL
  // its handler. When the run ends the dialog's widgets are destroyed.
  // With the scripted backend nothing is shown: OnInitDialog runs on window-less controls,
  // then the run is recorded as kind "dialog" with the fields "template", "caption" and
  // "size" ("WxH" pixels) and answered from the script (IDCANCEL when it is empty).
  virtual INT_PTR DoModal();
  // Ends the modal run with `result`.
  void EndDialog(int result);

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  virtual void DoDataExchange(CDataExchange*) {}

  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;

 private:
  friend struct platform::ui::WindowAccess;
};
