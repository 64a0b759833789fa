#include "afxstr.h"
#include "winresource.h"

BOOL CString::LoadString(UINT id) {
  std::string text;
  if (!platform::LoadResourceString(id, text)) {
    m_text.clear();
    return FALSE;
  }
  m_text = text;
  return TRUE;
}
