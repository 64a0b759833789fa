// A module's resources as the platform keeps them once read from the module's table
// (and as the resource compiler builds them from a source file).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "winresource.h"

struct ModuleResources {
  std::map<UINT, std::string> strings;
  std::map<UINT, DialogTemplate> dialogs;
  std::optional<VersionInfo> version;
};

namespace platform {

// Decodes a table laid out as resource_format.h says. Null when anything is out of
// place: wrong magic or format version, a count or offset reaching past `size`, a
// text without its NUL, ids out of order, a bad anchor or version word.
std::unique_ptr<const ModuleResources> DecodeResourceTable(const unsigned char* table, size_t size);

// The module's decoded table, read and checked at first use and kept per handle;
// null when the module has no table of its own or a damaged one.
std::shared_ptr<const ModuleResources> ResourcesOfModule(HMODULE module);

}  // namespace platform
