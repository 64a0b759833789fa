#include "CCorvexStandAloneAuthent.h"

#include "CCorvexOAuth2.h"
#include "CCorvexOAuth2Globals.h"
#include "CorvexNetworkDLL.h"
#include "CorvexRegistrationDLL.h"
#include "CorvexSettings.h"
#include "PelkTools.h"
#include "program_folder.h"
#include "windows.h"

namespace {

// One counter for every process of this program file: -1 while none runs.
SHARED_SECTION_LONG g_instanceCount;

const char kProgramTitle[] = "Norvasta - Tamberlo Stand Alone Authenticator";

}  // namespace

CCorvexStandAloneAuthent theApp;

BOOL CCorvexStandAloneAuthent::InitInstance() {
  SetProcessDEPPolicy(PROCESS_DEP_ENABLE);
  CWinApp::InitInstance();

  CString folder;
  GetProgramFolder(folder);
  CCorvexSettings::SetFile(folder + "CorvexV0.inf");
  PELK3_SetSubdirResFile("Lng");
  PELK3_SetExtResourceFile("LNG");

  if (InterlockedIncrement(&g_instanceCount) != 0) {
    // The title is the text and the sentence the caption, as the suite has always shown it.
    MessageBox(nullptr, kProgramTitle, "This program is already running", MB_OK | MB_ICONWARNING);
    m_msgCur.wParam = kAlreadyRunning;
    return FALSE;
  }

  InitCorvexNetworkDLL();
  if (!_InitCefRuntime() || !InitCorvexRegistrationDLL()) {
    _ReportFailure();
    return FALSE;
  }

  int authorized = 0;
  {
    CString trackingQuery, softwareQuery;
    CCorvexOAuth2Globals::DeleteKey();
    CCorvexOAuth2 oauth2;
    oauth2.VerifyAuthorization(0, trackingQuery, softwareQuery);
    authorized = oauth2.getIsAuthorized();
  }
  if (!authorized) {
    _ReportFailure();
    return FALSE;
  }

  AfxMessageBox("Authentication tokens have been successfully generated!", MB_ICONINFORMATION);
  _ShutdownCefRuntime();
  InterlockedDecrement(&g_instanceCount);
  m_msgCur.wParam = kTokensGenerated;
  CWinApp::ExitInstance();
  return FALSE;
}

void CCorvexStandAloneAuthent::_ReportFailure() {
  AfxMessageBox("Error: Authentication tokens have not been generated. Please contact the support", MB_ICONWARNING);
  // The runtime goes now, while everything it uses is still there: left to the end of
  // the process it would be taken apart after the libraries it calls.
  _ShutdownCefRuntime();
  m_msgCur.wParam = kTokensNotGenerated;
}

void CCorvexStandAloneAuthent::_ShutdownCefRuntime() {
  if (!m_pCefAppContainer) return;
  CefShutdown();
  delete m_pCefAppContainer;
  m_pCefAppContainer = nullptr;
}
