// The window wrapper of the WebBrowser ActiveX control, kept for the library's users.
// There is no such control on this system: Create fails, and every other operation does
// nothing and answers empty values.
#pragma once

#include "afxstr.h"
#include "afxwin.h"
#include "objbase.h"

class CWebBrowser2 : public CWnd {
 public:
  // {8856F961-340A-11D0-A96B-00C04FD705A2}
  CLSID const& GetClsid();
  // FALSE: the control cannot be made.
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
              void* context = nullptr);
  BOOL Create(LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void* persist = nullptr,
              BOOL storage = FALSE, const WCHAR* licenseKey = nullptr);

  void GoBack() {}
  void GoForward() {}
  void GoHome() {}
  void GoSearch() {}
  void Navigate(LPCSTR, const void*, const void*, const void*, const void*) {}
  void Navigate2(const void*, const void*, const void*, const void*, const void*) {}
  void Refresh() {}
  void Refresh2(const void*) {}
  void Stop() {}
  void Quit() {}
  void* GetApplication() { return nullptr; }
  void* GetParent() { return nullptr; }
  void* GetContainer() { return nullptr; }
  void* GetDocument() { return nullptr; }
  BOOL GetTopLevelContainer() { return FALSE; }
  CString GetType() { return CString(); }
  CString GetLocationName() { return CString(); }
  CString GetLocationURL() { return CString(); }
  BOOL GetBusy() { return FALSE; }
  void ClientToWindow(long*, long*) {}
  void PutProperty(LPCSTR, const void*) {}
  void* GetProperty_(LPCSTR) { return nullptr; }
  CString GetName() { return CString(); }
  long GetHwnd() { return 0; }
  CString GetFullName() { return CString(); }
  CString GetPath() { return CString(); }
  long QueryStatusWB(long) { return 0; }
  void ExecWB(long, long, const void*, void*) {}
  void ShowBrowserBar(const void*, const void*, const void*) {}
  long GetReadyState() { return 0; }

  long GetLeft() { return 0; }
  void SetLeft(long) {}
  long GetTop() { return 0; }
  void SetTop(long) {}
  long GetWidth() { return 0; }
  void SetWidth(long) {}
  long GetHeight() { return 0; }
  void SetHeight(long) {}
  BOOL GetVisible() { return FALSE; }
  void SetVisible(BOOL) {}
  BOOL GetStatusBar() { return FALSE; }
  void SetStatusBar(BOOL) {}
  CString GetStatusText() { return CString(); }
  void SetStatusText(LPCSTR) {}
  long GetToolBar() { return 0; }
  void SetToolBar(long) {}
  BOOL GetMenuBar() { return FALSE; }
  void SetMenuBar(BOOL) {}
  BOOL GetFullScreen() { return FALSE; }
  void SetFullScreen(BOOL) {}
  BOOL GetOffline() { return FALSE; }
  void SetOffline(BOOL) {}
  BOOL GetSilent() { return FALSE; }
  void SetSilent(BOOL) {}
  BOOL GetRegisterAsBrowser() { return FALSE; }
  void SetRegisterAsBrowser(BOOL) {}
  BOOL GetRegisterAsDropTarget() { return FALSE; }
  void SetRegisterAsDropTarget(BOOL) {}
  BOOL GetTheaterMode() { return FALSE; }
  void SetTheaterMode(BOOL) {}
  BOOL GetAddressBar() { return FALSE; }
  void SetAddressBar(BOOL) {}
  BOOL GetResizable() { return FALSE; }
  void SetResizable(BOOL) {}
};
