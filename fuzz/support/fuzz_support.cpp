#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "test_support.h"

// The targets' own sanitizer settings: a recovering check still stops the run unless
// ubsan.supp names it.
extern "C" const char* __ubsan_default_options() {
  return "halt_on_error=1:print_stacktrace=1:suppressions=" CORVEX_FUZZ_UBSAN_SUPPRESSIONS;
}

namespace fuzzing {

namespace {

// In memory where it can be: the profile writes' fsyncs then cost nothing.
const testing_support::TempFolder& memoryBackedFolder() {
  if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 1);
  static const testing_support::TempFolder folder;
  return folder;
}

}  // namespace

const std::string& PrivateFolder() {
  static const testing_support::TempFolder& folder = memoryBackedFolder();
  static const bool redirected = (testing_support::RedirectUserAndMachineFolders(folder.path()), true);
  (void)redirected;
  return folder.path();
}

void WriteFile(const std::string& path, const unsigned char* data, size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(data, 1, size, file) == size;
  Require(file && std::fclose(file) == 0 && written, "cannot write the input file");
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken promise: %s\n", what);
  std::abort();
}

}  // namespace fuzzing
