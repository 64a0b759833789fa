#include "afxstr.h"

// Resource strings arrive with the resource chain; until then no id is found.
BOOL CString::LoadString(UINT) {
  m_text.clear();
  return FALSE;
}
