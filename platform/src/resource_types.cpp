#include <algorithm>
#include <tuple>

#include "winresource.h"

bool DialogControlTemplate::operator==(const DialogControlTemplate& other) const {
  return std::tie(id, className, text, style, x, y, cx, cy, anchors) ==
         std::tie(other.id, other.className, other.text, other.style, other.x, other.y, other.cx, other.cy, other.anchors);
}

bool DialogTemplate::operator==(const DialogTemplate& other) const {
  return std::tie(id, title, style, x, y, cx, cy, controls) ==
         std::tie(other.id, other.title, other.style, other.x, other.y, other.cx, other.cy, other.controls);
}

bool VersionInfo::operator==(const VersionInfo& other) const {
  return std::equal(fileVersion, fileVersion + 4, other.fileVersion) &&
         std::equal(productVersion, productVersion + 4, other.productVersion) &&
         std::tie(language, codePage, values) == std::tie(other.language, other.codePage, other.values);
}
