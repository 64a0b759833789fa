#include "platform_paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

struct Overrides {
  std::mutex mutex;
  std::string home, windows, system, osRelease;
};

Overrides& overrides() {
  static Overrides* o = new Overrides;  // never destroyed: used from exit handlers
  return *o;
}

std::string pick(const std::string& set, const char* envName, const char* fallback) {
  if (!set.empty()) return set;
  const char* env = std::getenv(envName);
  if (env && *env) return env;
  return fallback;
}

std::string get(std::string Overrides::*field) {
  std::lock_guard<std::mutex> lock(overrides().mutex);
  return overrides().*field;
}

void put(std::string Overrides::*field, const std::string& value) {
  std::lock_guard<std::mutex> lock(overrides().mutex);
  overrides().*field = value;
}

std::string stripTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == kPathSeparator) path.pop_back();
  return path;
}

}  // namespace

std::string UserHome() {
  std::string home = get(&Overrides::home);
  if (home.empty()) {
    const char* env = std::getenv("HOME");
    if (env && *env) {
      home = env;
    } else if (const passwd* pw = getpwuid(geteuid())) {
      home = pw->pw_dir;
    } else {
      home = "/tmp";
    }
  }
  return stripTrailingSeparators(home);
}

void SetUserHome(const std::string& folder) { put(&Overrides::home, folder); }

std::string ExpandHomePrefix(const std::string& folder) {
  if (folder.compare(0, 2, "~/") != 0) return folder;
  const std::string home = UserHome();
  // A home at the root (or none) is no home to keep a user's files in.
  if (home.empty() || home == "/") return std::string();
  return home + folder.substr(1);
}

std::string UserStateFolderName() { return UserHome() + "/.halvorn"; }

std::string UserStateFolder() {
  std::string folder = UserStateFolderName();
  if (!MakeFolders(folder, 0700)) return std::string();
  return folder;
}

std::string WindowsFolder() {
  return stripTrailingSeparators(pick(get(&Overrides::windows), "CORVEX_PLATFORM_WINDOWS_DIR", "/etc/halvorn"));
}
void SetWindowsFolder(const std::string& folder) { put(&Overrides::windows, folder); }

std::string SystemFolder() {
  return stripTrailingSeparators(pick(get(&Overrides::system), "CORVEX_PLATFORM_SYSTEM_DIR", "/usr/lib"));
}
void SetSystemFolder(const std::string& folder) { put(&Overrides::system, folder); }

std::string OsReleaseFile() {
  return pick(get(&Overrides::osRelease), "CORVEX_PLATFORM_OS_RELEASE", "/etc/os-release");
}
void SetOsReleaseFile(const std::string& file) { put(&Overrides::osRelease, file); }

bool MakeFolders(const std::string& folder, unsigned mode) {
  if (folder.empty()) return false;
  struct stat st;
  if (stat(folder.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  size_t cut = folder.find_last_of(kPathSeparator);
  if (cut != std::string::npos && cut > 0 && !MakeFolders(folder.substr(0, cut), 0755)) return false;
  if (mkdir(folder.c_str(), mode) == 0) return true;
  return errno == EEXIST && stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace platform
