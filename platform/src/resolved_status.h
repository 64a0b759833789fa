// The status ResolvePath took of a path it found as spelled, handed to the call that
// resolved the path and stamps the file next (the profile cache), so that a profile
// read asks the kernel about its file once.
#pragma once

#include <sys/stat.h>

#include <string>

namespace platform {

// True, with the status, when the last ResolvePath on this thread found `path` as
// spelled; the status is handed out once.
bool TakeResolvedStatus(const std::string& path, struct stat& status);

}  // namespace platform
