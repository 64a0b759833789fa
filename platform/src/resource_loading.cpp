#include <cstring>

#include "module_symbols.h"
#include "resource_format.h"
#include "resource_table.h"
#include "winerror.h"

namespace {

// How many bytes of `text` fit in `room` without splitting a UTF-8 character.
size_t fittingLength(const std::string& text, size_t room) {
  if (text.size() <= room) return text.size();
  size_t length = room;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return length;
}

}  // namespace

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax) {
  if (!buffer || bufferMax <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  std::shared_ptr<const ModuleResources> resources = platform::ResourcesOfModule(instance);
  if (!resources) {
    SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
    return 0;
  }
  auto found = resources->strings.find(id);
  if (found == resources->strings.end()) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  const size_t length = fittingLength(found->second, static_cast<size_t>(bufferMax) - 1);
  std::memcpy(buffer, found->second.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

namespace platform {

bool LoadResourceString(HINSTANCE module, UINT id, std::string& text) {
  std::shared_ptr<const ModuleResources> resources = ResourcesOfModule(module);
  if (!resources) return false;
  auto found = resources->strings.find(id);
  if (found == resources->strings.end()) return false;
  text = found->second;
  return true;
}

std::optional<DialogTemplate> FindDialogTemplate(HINSTANCE module, UINT id) {
  std::shared_ptr<const ModuleResources> resources = ResourcesOfModule(module);
  if (!resources) return std::nullopt;
  auto found = resources->dialogs.find(id);
  if (found == resources->dialogs.end()) return std::nullopt;
  return found->second;
}

std::optional<VersionInfo> FindVersionInfo(HINSTANCE module) {
  std::shared_ptr<const ModuleResources> resources = ResourcesOfModule(module);
  return resources ? resources->version : std::nullopt;
}

DWORD CheckResourceTable(HINSTANCE module) {
  if (ResourcesOfModule(module)) return ERROR_SUCCESS;
  return OwnSymbol(module, resource_format::kTableSymbol) ? ERROR_INVALID_DATA : ERROR_RESOURCE_TYPE_NOT_FOUND;
}

}  // namespace platform
