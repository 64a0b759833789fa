#include "CCorvexCefApp.h"

#include "CCorvexCefClient.h"

void CCorvexCefApp::OnBeforeCommandLineProcessing(const CefString&, CefRefPtr<CefCommandLine> command_line) {
  command_line->AppendSwitch("disable-extensions");
}

CefRefPtr<CefClient> CCorvexCefApp::GetDefaultClient() {
  CCorvexCefClient* client = CCorvexCefClient::GetInstance();
  // A client nobody holds yet (or any more) must not be counted up and down to its end here.
  if (!client || !client->HasAtLeastOneRef()) return nullptr;
  return client;
}
