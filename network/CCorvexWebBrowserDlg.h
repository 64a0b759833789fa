// The dialog (template 4105 of the library's language module) that shows one browser in
// the place of its control 1001. Its owner gives the address, caption, size and client,
// then runs it modally.
#pragma once

#include "CCorvexCefClient.h"
#include "afxwin.h"

class CCorvexWebBrowserDlg : public CDialog {
 public:
  enum { IDD = 4105 };
  static const int IDC_BROWSER_HOST = 1001;

  explicit CCorvexWebBrowserDlg(CWnd* pParent = nullptr);
  ~CCorvexWebBrowserDlg() override;

  void SetUrl(CString url) { m_strUrl = url; }
  void SetTitle(CString title) { m_strTitle = title; }
  void SetSize(int width, int height);
  // The client of the browser; this dialog becomes its host. Not owned.
  void SetClientHandler(CCorvexCefClient* client);
  void GetId(CString& id);
  void DisableOkButton() { m_nDisableOk = 1; }
  // Ends the dialog with IDCANCEL; the browser goes with it.
  void CloseBrowser() { OnCancel(); }

  // Unused by the suite; kept for the library's users.
  static int nCount;

 protected:
  void DoDataExchange(CDataExchange*) override {}
  // Captions and sizes the window, asks for the browser in control 1001's place (FALSE,
  // and no browser, without that control).
  BOOL OnInitDialog() override;
  void OnOK() override { CDialog::OnOK(); }
  void OnCancel() override { CDialog::OnCancel(); }
  // Keeps the browser as large as control 1001.
  void OnSize(UINT nType, int cx, int cy) override;

  int m_nDisableOk = 0;
  CString m_strUrl;
  CString m_strTitle;
  CString m_strId;
  CCorvexCefClient* m_pClientHandler = nullptr;
  int m_nWidth = 1600;
  int m_nHeight = 900;

 private:
  // A client this dialog made itself is held here until the dialog is destroyed: nobody
  // else holds it, and its browser's close must not free it under the dialog.
  CefRefPtr<CCorvexCefClient> m_ownClient;
};
