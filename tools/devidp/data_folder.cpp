#include "data_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace devidp {
namespace {

bool MakeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
    mkdir(folder.substr(0, slash).c_str(), 0700);
  }
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace

std::string DefaultDataFolder() {
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : ".") + "/.halvorn/devidp";
}

bool PrepareDataFolder(const std::string& folder, std::string& error) {
  struct stat status;
  if (!MakeFolders(folder) || stat(folder.c_str(), &status) != 0) {
    error = "cannot create the data folder " + folder + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISDIR(status.st_mode)) {
    error = "the data folder " + folder + " is not a folder";
    return false;
  }
  if (access(folder.c_str(), R_OK | W_OK | X_OK) != 0) {
    error = "cannot use the data folder " + folder + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

}  // namespace devidp
