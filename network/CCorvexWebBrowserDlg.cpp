#include "CCorvexWebBrowserDlg.h"

#include "corvex_deployment.h"

namespace {

const UINT kResizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
const DWORD kBrowserWindowStyle = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VISIBLE;

}  // namespace

int CCorvexWebBrowserDlg::nCount = 0;

CCorvexWebBrowserDlg::CCorvexWebBrowserDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

CCorvexWebBrowserDlg::~CCorvexWebBrowserDlg() = default;

void CCorvexWebBrowserDlg::SetSize(int width, int height) {
  m_nWidth = width;
  m_nHeight = height;
}

void CCorvexWebBrowserDlg::SetClientHandler(CCorvexCefClient* client) {
  m_pClientHandler = client;
  if (client) client->SetHostDialog(this);
}

void CCorvexWebBrowserDlg::GetId(CString& id) { m_strId.Format("%s", id.GetString()); }

BOOL CCorvexWebBrowserDlg::OnInitDialog() {
  SetWindowText(m_strTitle);
  CDialog::OnInitDialog();
  SetWindowPos(nullptr, 0, 0, m_nWidth, m_nHeight, kResizeOnly);
  ModifyStyleEx(WS_EX_APPWINDOW, WS_EX_TOOLWINDOW);
  CWnd* host = GetDlgItem(IDC_BROWSER_HOST);
  if (!host) return FALSE;
  RECT area;
  host->GetClientRect(&area);
  CefWindowInfo windowInfo;
  windowInfo.SetAsChild(host->GetSafeHwnd(), CefRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
  windowInfo.style = kBrowserWindowStyle;
  if (!m_pClientHandler) {
    m_ownClient = new CCorvexCefClient(this);
    m_pClientHandler = m_ownClient.get();
  }
  if (m_strUrl.IsEmpty()) m_strUrl = CORVEX_DEFAULT_BROWSER_URL;
  CefBrowserHost::CreateBrowser(windowInfo, m_pClientHandler, std::string(m_strUrl.GetString()), CefBrowserSettings(),
                                nullptr, nullptr);
  return TRUE;
}

void CCorvexWebBrowserDlg::OnSize(UINT nType, int cx, int cy) {
  CDialog::OnSize(nType, cx, cy);
  CefRefPtr<CefBrowser> browser = m_pClientHandler ? m_pClientHandler->GetBrowser() : nullptr;
  HWND browserWindow = browser ? browser->GetHost()->GetWindowHandle() : nullptr;
  CWnd* host = GetDlgItem(IDC_BROWSER_HOST);
  if (!browserWindow || !host) return;
  RECT area;
  host->GetClientRect(&area);
  ::SetWindowPos(browserWindow, nullptr, 0, 0, area.right - area.left, area.bottom - area.top, kResizeOnly);
}
