#include "objbase.h"

namespace {
thread_local int t_initializeCount = 0;
}

HRESULT CoInitialize(LPVOID reserved) {
  (void)reserved;
  return t_initializeCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize() {
  if (t_initializeCount > 0) --t_initializeCount;
}
