#include <cstring>

#include "PelkTools.h"

namespace {

// Fixed buffers, as the suite's libraries expect: 7 characters and the NUL.
constexpr size_t kValueBuffer = 8;
char extensionValue[kValueBuffer];
char subfolderValue[kValueBuffer];

int store(char (&buffer)[kValueBuffer], const char* value) {
  if (!value || std::strlen(value) >= kValueBuffer) return 0;
  std::strcpy(buffer, value);
  return 1;
}

}  // namespace

int PELK3_SetExtResourceFile(const char* extension) { return store(extensionValue, extension); }

int PELK3_SetSubdirResFile(const char* subfolder) { return store(subfolderValue, subfolder); }

void PELK3_GetExtResourceFile(CString& extension) { extension.Format("%s", extensionValue); }

void PELK3_GetSubdirResFile(CString& subfolder) { subfolder.Format("%s", subfolderValue); }
