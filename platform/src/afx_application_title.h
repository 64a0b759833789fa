// The title of a program that gives none: its file name without the folder.
#pragma once

#include <string>

namespace platform {

std::string ApplicationFileTitle();

}  // namespace platform
