// The stand-alone authenticator: one sign-in of the current user, started without
// arguments, one instance at a time; its result is shown in a closing message box.
#pragma once

#include "CCefAppContainer.h"
#include "afxwin.h"

class CCorvexStandAloneAuthent : public CWinApp {
 public:
  // The process exit codes, given back through ExitInstance.
  enum ExitCode { kTokensGenerated = 0, kTokensNotGenerated = 1, kAlreadyRunning = 2 };

  CCorvexStandAloneAuthent() = default;

  // Runs the whole program; always FALSE, so the framework ends it without a message loop.
  BOOL InitInstance() override;

 protected:
  // Starts the browser runtime with a CCorvexCefApp kept in m_pCefAppContainer. Non-zero
  // on success.
  int _InitCefRuntime();
  // Shuts the browser runtime down and deletes its container, when it was started.
  void _ShutdownCefRuntime();
  // Shows the failure box and ends the run with kTokensNotGenerated.
  void _ReportFailure();

  CCefAppContainer* m_pCefAppContainer = nullptr;
};
