// CheckCertificateValidity: a CA bundle is recognised by its marker line.
#include <cstdio>
#include <cstring>

#include "CCorvexNetworkUtils.h"
#include "platform_files.h"

namespace {

const char kBundleMarker[] = "## Bundle of CA Root Certificates\n";
const int kPieceSize = 128;  // 127 characters and the terminating zero

// A piece that ends with a Windows line end, as Windows' text mode would read it.
void EndWithLineFeed(char* piece) {
  const size_t length = std::strlen(piece);
  if (length >= 2 && piece[length - 2] == '\r' && piece[length - 1] == '\n') {
    piece[length - 2] = '\n';
    piece[length - 1] = '\0';
  }
}

}  // namespace

int CCorvexNetworkUtils::CheckCertificateValidity(CString path) {
  FILE* file = platform::OpenFile(path.str(), "r");
  if (!file) {
    std::perror(path);
    return 0;
  }
  int valid = 0;
  char piece[kPieceSize];
  while (std::fgets(piece, kPieceSize, file)) {
    EndWithLineFeed(piece);
    if (std::strcmp(piece, kBundleMarker) == 0) valid = 1;
  }
  std::fclose(file);
  return valid;
}
