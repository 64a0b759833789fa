#include "program_folder.h"

#include "platform_paths.h"
#include "winmodule.h"

BOOL GetProgramFolder(CString& folder) {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  CString program(path);
  const int separator = program.ReverseFind(platform::kPathSeparator);
  folder = program.Left(separator + 1);
  return separator >= 0;
}
