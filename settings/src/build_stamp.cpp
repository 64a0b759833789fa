#include "build_stamp.h"

#include <cstdio>
#include <cstring>

#include "corvex_build_date.h"

CString BuildStampFromDate(const char* compilerDate) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char month[4] = {};
  int day = 0, year = 0;
  if (!compilerDate || std::sscanf(compilerDate, "%3s %d %d", month, &day, &year) != 3) return CString();
  for (int index = 0; index < 12; ++index) {
    if (std::strcmp(month, kMonths[index]) != 0) continue;
    CString stamp;
    stamp.Format("%d-%02d-%d", year, index + 1, day);
    return stamp;
  }
  return CString();
}

// The date CMake gave the build, which the sample settings laid out with the program
// carry as their stamp too.
CString LibraryBuildStamp() { return BuildStampFromDate(CORVEX_BUILD_DATE); }
