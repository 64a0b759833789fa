// What the fuzz targets share: a private folder tree instead of the real home and
// machine folders, and a check that ends the run as a finding.
#pragma once

#include <string>

namespace fuzzing {

// A temporary folder made at the first call; HOME, the Windows and the system folders
// point inside it from then on. Removed when the fuzzer exits normally.
const std::string& PrivateFolder();

// Writes `size` bytes of `data` to `path`; aborts when it cannot.
void WriteFile(const std::string& path, const unsigned char* data, size_t size);

// A broken promise of the code under test: aborts, which the fuzzer reports with the input.
void Require(bool condition, const char* what);

}  // namespace fuzzing
