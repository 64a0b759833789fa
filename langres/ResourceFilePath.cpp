#include "PelkTools.h"
#include "platform_paths.h"
#include "winmodule.h"

int PELK3_BuildResourceFilePath(const char* libraryPath, CString& resourcePath) {
  resourcePath.Empty();
  CString subfolder, extension;
  PELK3_GetSubdirResFile(subfolder);
  PELK3_GetExtResourceFile(extension);
  if (extension.IsEmpty() || !libraryPath) return 0;

  const CString path(libraryPath);
  const int separator = path.ReverseFind(platform::kPathSeparator);
  if (separator < 0) return 0;
  if (!subfolder.IsEmpty()) subfolder += platform::kPathSeparator;
  CString candidate = path.Left(separator + 1) + subfolder + path.Mid(separator + 1);

  const int dot = candidate.ReverseFind('.');
  if (dot < 0) return 0;
  resourcePath = candidate.Left(dot + 1) + extension;
  return 1;
}

int PELK3_GetResourceFilePath(HMODULE module, CString& resourcePath) {
  resourcePath.Empty();
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 0;
  return PELK3_BuildResourceFilePath(path, resourcePath);
}
