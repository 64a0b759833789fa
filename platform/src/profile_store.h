// Profile files on disk: a per-path cache of parsed files, and locked atomic updates.
#pragma once

#include <sys/stat.h>

#include <functional>
#include <memory>
#include <string>

#include "profile_document.h"

namespace platform {

// The parsed profile file at `path` (already resolved), from the cache while the
// file is unchanged on disk. Null, with the Win32 code set, when it cannot be read.
std::shared_ptr<const ProfileDocument> LoadProfile(const std::string& path);

// Records the content this process has just written to `path` as its cached parse.
void RememberProfile(const std::string& path, const std::string& content);

// Drops the cached parse of `path`, or of every file when `path` is empty.
void ForgetProfile(const std::string& path);

// Reads the whole open file; fails with errno EISDIR for a folder.
bool ReadProfileFile(int fd, struct stat& status, std::string& content);

// Read-modify-write of the profile file at `path` (already resolved) under the
// folder's lock, then an atomic replacement. False, with the Win32 code set and the
// old file untouched, on failure.
bool UpdateProfile(const std::string& path, const std::function<void(ProfileDocument&)>& edit);

}  // namespace platform
