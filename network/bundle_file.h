// The download of a CA bundle: a new file beside the bundle, installed over it in one
// step, and removed on every path that does not install it.
#pragma once

#include <cstdio>
#include <string>

class BundleFile {
 public:
  // A new private file (mkstemp) in `folder`; file() is null when it cannot be made,
  // and error() tells why.
  explicit BundleFile(const std::string& folder);
  ~BundleFile();
  BundleFile(const BundleFile&) = delete;
  BundleFile& operator=(const BundleFile&) = delete;

  FILE* file() const { return m_file; }
  const std::string& path() const { return m_path; }
  const std::string& error() const { return m_error; }

  // Writes everything out and closes the file; false when something was lost.
  bool Finish();
  // Replaces `bundle` with the file (rename, so readers see the old or the new one).
  bool InstallAs(const std::string& bundle);

 private:
  bool Fail(const std::string& what);

  std::string m_path;
  std::string m_error;
  FILE* m_file = nullptr;
  bool m_installed = false;
};
