// COM as far as the suite uses it: apartments are a per-thread count, and classes are
// the ProgID and CLSID entries under HKEY_CLASSES_ROOT.
#pragma once

#include "winerror.h"
#include "wintypes.h"

typedef struct _GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} GUID, CLSID, IID;
typedef CLSID* LPCLSID;
typedef WCHAR OLECHAR;
typedef const OLECHAR* LPCOLESTR;

inline bool operator==(const GUID& a, const GUID& b) {
  bool tail = true;
  for (int i = 0; i < 8; ++i) tail = tail && a.Data4[i] == b.Data4[i];
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 && tail;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }

// S_OK on the thread's first call, S_FALSE when the thread is already initialised.
HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();

// The class id registered for a ProgID: the default value of HKCR\<ProgID>\CLSID as a
// braced GUID. CO_E_CLASSSTRING when it is absent or malformed; E_INVALIDARG for nulls.
HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid);
