// The table of objects behind the HANDLEs the platform hands out.
#pragma once

#include <memory>

#include "wintypes.h"

namespace platform {

// An object a HANDLE names; CloseHandle deletes it.
class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

HANDLE AddHandle(std::unique_ptr<KernelObject> object);

// The object behind an open handle, else null.
KernelObject* FindHandle(HANDLE handle);

}  // namespace platform
