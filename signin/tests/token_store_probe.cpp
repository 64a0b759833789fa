// Test program: runs one token-store operation from its command line and prints
// "<result>|<value>". The tests copy it into a temporary program folder beside its
// own CorvexV0.inf, so the log goes where the test looks.
#include <cstdio>
#include <string>

#include "CCorvexOAuth2Globals.h"

int main(int argc, char** argv) {
  const std::string operation = argc > 1 ? argv[1] : "";
  int result = -1;
  CString value;
  if (operation == "encrypt" && argc == 4) {
    result = CCorvexOAuth2Globals::EncryptData(argv[2], argv[3]);
  } else if (operation == "decrypt" && argc == 3) {
    value = "not cleared";
    result = CCorvexOAuth2Globals::DecryptData(argv[2], value);
  } else if (operation == "delete" && argc == 2) {
    result = CCorvexOAuth2Globals::DeleteKey();
  } else {
    return 2;
  }
  std::printf("%d|%s", result, value.GetString());
  return 0;
}
