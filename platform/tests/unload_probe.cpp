// Uses the platform in main, which makes its caches, then leaves the rest to the
// unload code of the library it links. Exit status 0 when everything went well.
#include "afxstr.h"
#include "winnls.h"

extern "C" int ResTestUnloadUserReady();

int main() {
  CString text;
  text.LoadString(1);
  char point[8];
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, point, sizeof(point)) == 0) return 1;
  return ResTestUnloadUserReady() ? 0 : 2;
}
