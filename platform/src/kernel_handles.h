// The table of objects behind the HANDLEs the platform hands out.
#pragma once

#include <memory>

#include "wintypes.h"

namespace platform {

// An object a HANDLE names; CloseHandle drops the table's reference to it.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

HANDLE AddHandle(std::unique_ptr<KernelObject> object);

// The object behind an open handle, else null. The object stays alive while the
// caller holds it, even when another thread closes the handle meanwhile.
std::shared_ptr<KernelObject> FindHandle(HANDLE handle);

}  // namespace platform
