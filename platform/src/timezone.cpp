#include <time.h>

#include <cstring>

#include "wintime.h"

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION info) {
  if (!info) return TIME_ZONE_ID_UNKNOWN;
  std::memset(info, 0, sizeof(*info));
  tzset();
  info->Bias = static_cast<LONG>(timezone / 60);  // timezone: seconds west of UTC, standard time
  return TIME_ZONE_ID_UNKNOWN;
}
