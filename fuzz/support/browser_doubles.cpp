// The browser runtime as far as the login page's client reaches it, without the engine:
// CefString over the platform's UTF-8 conversion (a byte that is not UTF-8 becomes the
// replacement character, as in the runtime), and a host-dialog client base that holds no
// browsers and shows nothing. The login client's own code is the real one.
#include "CCorvexCefClient.h"
#include "CCorvexOAuth2Globals.h"
#include "afxwin.h"
#include "winnls.h"

namespace {

void appendUtf8(std::string& utf8, char32_t code) {
  if (code < 0x80) {
    utf8 += static_cast<char>(code);
    return;
  }
  const int tail = code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
  static const unsigned char kLead[] = {0, 0xC0, 0xE0, 0xF0};
  utf8 += static_cast<char>(kLead[tail] | (code >> (6 * tail)));
  for (int i = tail - 1; i >= 0; --i) utf8 += static_cast<char>(0x80 | ((code >> (6 * i)) & 0x3F));
}

}  // namespace

// A lone surrogate becomes the replacement character.
std::string CefString::ToString() const {
  std::string utf8;
  for (size_t i = 0; i < m_text.size(); ++i) {
    char32_t code = m_text[i];
    const bool pair =
        code >= 0xD800 && code < 0xDC00 && i + 1 < m_text.size() && m_text[i + 1] >= 0xDC00 && m_text[i + 1] < 0xE000;
    if (pair)
      code = 0x10000 + ((code - 0xD800) << 10) + (m_text[++i] - 0xDC00);
    else if (code >= 0xD800 && code < 0xE000)
      code = 0xFFFD;
    appendUtf8(utf8, code);
  }
  return utf8;
}

std::u16string CefString::FromUtf8(const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::u16string text(static_cast<size_t>(size), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, text.data(), size);
  return text;
}

std::u16string CefString::FromWide(const std::wstring& wide) {
  std::u16string text;
  for (wchar_t c : wide) text.push_back(static_cast<char16_t>(c));  // the constants are ASCII
  return text;
}

CCorvexCefClient::CCorvexCefClient(CDialog* hostDialog) : m_pHostDialog(hostDialog) {}
CCorvexCefClient::~CCorvexCefClient() = default;
void CCorvexCefClient::OnTitleChange(CefRefPtr<CefBrowser>, const CefString&) {}
void CCorvexCefClient::OnAfterCreated(CefRefPtr<CefBrowser>) {}
bool CCorvexCefClient::DoClose(CefRefPtr<CefBrowser>) { return false; }
void CCorvexCefClient::OnBeforeClose(CefRefPtr<CefBrowser>) {}
void CCorvexCefClient::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>, ErrorCode, const CefString&,
                                   const CefString&) {}
bool CCorvexCefClient::GetAuthCredentials(CefRefPtr<CefBrowser>, const CefString&, bool, const CefString&, int,
                                          const CefString&, const CefString&, CefRefPtr<CefAuthCallback>) {
  return false;
}

// The fuzzed client has no dialog to close, and the box for a missing network is not shown.
CWnd::~CWnd() = default;
void CWnd::OnSize(UINT, int, int) {}
BOOL CWnd::PostMessage(UINT, WPARAM, LPARAM) { return FALSE; }
void CCorvexOAuth2Globals::NavigateErrorMsg(unsigned int) {}
