// Holds the program's browser application object for as long as the browser runtime runs.
#pragma once

#include "CCorvexCefApp.h"
#include "afxobject.h"

class CCefAppContainer : public CObject {
 public:
  explicit CCefAppContainer(CefRefPtr<CCorvexCefApp> app) : m_cefApp(app) {}
  // Releases the application object.
  ~CCefAppContainer() override { m_cefApp = nullptr; }

  CefRefPtr<CCorvexCefApp> m_cefApp;
};
