#include "sensapi.h"

BOOL IsNetworkAlive(LPDWORD) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
