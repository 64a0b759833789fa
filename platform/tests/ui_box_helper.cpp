// Shows three boxes and prints their answers; the exit code is the first answer.
#include <cstdio>

#include "afxmsgbox.h"
#include "winuser.h"

int main() {
  int first = MessageBoxA(nullptr, "Save the changes?", "Helper", MB_YESNO | MB_ICONQUESTION);
  int second = MessageBoxA(nullptr, "Try again?", "Helper", MB_RETRYCANCEL);
  int third = AfxMessageBox("Done", MB_ICONINFORMATION);
  std::printf("%d %d %d\n", first, second, third);
  return first;
}
