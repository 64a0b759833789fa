// Where the platform layer keeps per-user and machine state on Linux.
//
// Every folder can be redirected, so tests never touch the real home or machine
// folders: in-process through the setters, or for a child process through the
// environment (HOME, CORVEX_PLATFORM_WINDOWS_DIR, CORVEX_PLATFORM_SYSTEM_DIR,
// CORVEX_PLATFORM_OS_RELEASE). A setter given an empty text restores the default.
#pragma once

#include <string>

namespace platform {

// The directory separator wherever the suite cuts or joins file paths.
constexpr char kPathSeparator = '/';

// The user's home: the setter's value, else $HOME, else the password database.
std::string UserHome();
void SetUserHome(const std::string& folder);

// The per-user folder holding the registry hive and the data-protection key
// (<home>/.halvorn, created with mode 0700 on demand). Empty if it cannot be made.
std::string UserStateFolder();
// Its name, without making it.
std::string UserStateFolderName();

// A folder value with a leading "~/" (a settings-file value, say) as a path under
// UserHome(), or "" when the home is the root or unknown; any other value unchanged.
std::string ExpandHomePrefix(const std::string& folder);

// Stand-in for the Windows folder (default /etc/halvorn).
std::string WindowsFolder();
void SetWindowsFolder(const std::string& folder);

// Stand-in for the system folder (default /usr/lib).
std::string SystemFolder();
void SetSystemFolder(const std::string& folder);

// The os-release file the machine's product name is read from (default /etc/os-release).
std::string OsReleaseFile();
void SetOsReleaseFile(const std::string& file);

// Creates a folder and its missing parents with the given mode. True if it exists afterwards.
bool MakeFolders(const std::string& folder, unsigned mode = 0755);

}  // namespace platform
