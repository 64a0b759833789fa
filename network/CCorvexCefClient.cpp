#include "CCorvexCefClient.h"

#include <atomic>

#include "cef_command_line.h"
#include "cef_task.h"

namespace {

std::atomic<CCorvexCefClient*> currentInstance{nullptr};
// -1 until the runtime's command line has been seen.
std::atomic<int> chromeRuntimeEnabled{-1};

}  // namespace

CCorvexCefClient::CCorvexCefClient(CDialog* hostDialog) : m_pHostDialog(hostDialog) { currentInstance = this; }

CCorvexCefClient::~CCorvexCefClient() { currentInstance = nullptr; }

CCorvexCefClient* CCorvexCefClient::GetInstance() { return currentInstance; }

int CCorvexCefClient::IsChromeRuntimeEnabled() {
  if (chromeRuntimeEnabled == -1) {
    CefRefPtr<CefCommandLine> commandLine = CefCommandLine::GetGlobalCommandLine();
    if (commandLine) chromeRuntimeEnabled = commandLine->HasSwitch("enable-chrome-runtime") ? 1 : 0;
  }
  return chromeRuntimeEnabled == 1 ? 1 : 0;
}

void CCorvexCefClient::CreateBrowser(const CefWindowInfo& windowInfo, const CefBrowserSettings& settings,
                                     const CefString& url) {
  CefBrowserHost::CreateBrowser(windowInfo, this, url, settings, nullptr, nullptr);
}

CefRefPtr<CefBrowser> CCorvexCefClient::GetBrowser() const {
  std::lock_guard<std::mutex> lock(m_browserListLock);
  return m_BrowserList.empty() ? nullptr : m_BrowserList.front();
}

void CCorvexCefClient::CloseAllBrowsers(bool force_close) {
  if (!CefCurrentlyOn(TID_UI)) {
    CefRefPtr<CCorvexCefClient> self(this);
    CefPostTask(TID_UI, CefCreateClosureTask([self, force_close] { self->CloseAllBrowsers(force_close); }));
    return;
  }
  std::list<CefRefPtr<CefBrowser>> browsers;
  {
    std::lock_guard<std::mutex> lock(m_browserListLock);
    browsers = m_BrowserList;
  }
  for (const CefRefPtr<CefBrowser>& browser : browsers) browser->GetHost()->CloseBrowser(force_close);
}

void CCorvexCefClient::OnTitleChange(CefRefPtr<CefBrowser> browser, const CefString& title) {
  if (!IsChromeRuntimeEnabled()) PlatformTitleChange(browser, title);
}

void CCorvexCefClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
  std::lock_guard<std::mutex> lock(m_browserListLock);
  m_BrowserList.push_back(browser);
}

bool CCorvexCefClient::DoClose(CefRefPtr<CefBrowser>) {
  std::lock_guard<std::mutex> lock(m_browserListLock);
  if (m_BrowserList.size() == 1) m_bIsClosing = true;
  return false;
}

void CCorvexCefClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
  CefRefPtr<CefBrowser> leaving;  // released after the lock
  std::lock_guard<std::mutex> lock(m_browserListLock);
  for (auto entry = m_BrowserList.begin(); entry != m_BrowserList.end(); ++entry) {
    if (!(*entry)->IsSame(browser)) continue;
    leaving = *entry;
    m_BrowserList.erase(entry);
    return;
  }
}
