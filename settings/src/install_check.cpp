#include "install_check.h"

#include "corvex_install_components.h"
#include "objbase.h"
#include "tavix32.h"
#include "winerror.h"

namespace {

constexpr HRESULT kLibraryNotFound = static_cast<HRESULT>(0x8007007E);

}  // namespace

int CheckComponentInstallation(const CString& programFolder, CString& message) {
  if (CoInitialize(nullptr) == S_OK) return 1;
  for (const InstallComponent& component : kInstallComponents) {
    const HRESULT result = RegUserCom(programFolder + component.library, component.progId);
    if (SUCCEEDED(result)) continue;
    if (result != kLibraryNotFound) return 1;
    message.Format("%s cannot be found, please check your installation.\nNorvasta Tamberlo must be closed.",
                   component.library);
    return 0;
  }
  return 1;
}
