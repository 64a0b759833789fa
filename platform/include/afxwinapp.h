// The application object of a windowless MFC program. The program defines one global
// CWinApp-derived object; the framework's main (library PlatformAppMain) runs it:
// InitInstance, then ExitInstance when InitInstance returns FALSE, else Run. The process
// exit code is what ExitInstance returns: m_msgCur.wParam, which the application sets.
#pragma once

#include "afxobject.h"
#include "afxstr.h"
#include "winuser.h"

class CWinApp : public CObject {
 public:
  // `appName` null: the title is the program file's name without its folder.
  explicit CWinApp(LPCSTR appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance() { return TRUE; }
  // No main window: nothing to pump, the run ends at once with ExitInstance.
  virtual int Run() { return ExitInstance(); }
  // The exit code, m_msgCur.wParam. Safe to run more than once.
  virtual int ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

  LPCSTR m_pszAppName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  MSG m_msgCur = {};

 private:
  CString m_appName;
};

// The one application object, null before it is constructed.
CWinApp* AfxGetApp();
// Runs the application object; the process's exit code.
int AfxWinMain(int argc, char** argv);

// The program's arguments, as the run-time library keeps them for the program.
extern int __argc;
extern char** __argv;
