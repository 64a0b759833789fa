#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "c_locale.h"
#include "module_symbols.h"
#include "platform_files.h"
#include "platform_paths.h"
#include "winerror.h"
#include "winmodule.h"

namespace {

std::string programFolder() {
  char path[PATH_MAX];
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string program(path, length < sizeof(path) ? length : 0);
  return program.substr(0, program.rfind(platform::kPathSeparator));
}

// The file a name leads to, absolute and resolved ignoring case. A path is taken as
// it is; a bare name is looked for in the program's folder first, as Windows does,
// and left to the loader's search (empty result) when it is not there.
std::string locate(const std::string& name) {
  if (name[0] == platform::kPathSeparator) return platform::ResolvePath(name);
  const bool bareName = name.find(platform::kPathSeparator) == std::string::npos;
  std::string path = platform::ResolvePath(bareName ? programFolder() + platform::kPathSeparator + name : name);
  char absolute[PATH_MAX];
  if (realpath(path.c_str(), absolute)) return absolute;
  return bareName ? std::string() : path;
}

// The ELF header of this very library tells the class, byte order and machine a
// loadable module must have.
const ElfW(Ehdr)& nativeHeader() {
  Dl_info info;
  dladdr(reinterpret_cast<const void*>(&nativeHeader), &info);
  return *static_cast<const ElfW(Ehdr)*>(info.dli_fbase);
}

bool readAt(int file, void* buffer, size_t size, off_t offset) {
  return pread(file, buffer, size, offset) == static_cast<ssize_t>(size);
}

// Whether every segment the loader maps lies inside the file: the loader maps a cut
// file without complaint, and touching a page past its end kills the process (SIGBUS).
bool segmentsInsideFile(int file, const ElfW(Ehdr)& header, off_t fileSize) {
  if (header.e_phentsize != sizeof(ElfW(Phdr))) return false;
  for (unsigned i = 0; i < header.e_phnum; ++i) {
    ElfW(Phdr) segment;
    if (!readAt(file, &segment, sizeof(segment), static_cast<off_t>(header.e_phoff + i * sizeof(segment))))
      return false;
    if (segment.p_type == PT_LOAD && (segment.p_offset > static_cast<uint64_t>(fileSize) ||
                                      segment.p_filesz > static_cast<uint64_t>(fileSize) - segment.p_offset))
      return false;
  }
  return true;
}

// 0 when the file looks like a whole shared object this process can load, else the
// Win32 status for it.
DWORD checkModuleFile(const std::string& path) {
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) return errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_MOD_NOT_FOUND;
  struct stat st;
  ElfW(Ehdr) header{};
  const bool complete = fstat(file, &st) == 0 && S_ISREG(st.st_mode) && readAt(file, &header, sizeof(header), 0);
  const ElfW(Ehdr)& native = nativeHeader();
  const bool loadable = complete && std::memcmp(header.e_ident, native.e_ident, EI_VERSION) == 0 &&
                        header.e_type == ET_DYN && header.e_machine == native.e_machine &&
                        segmentsInsideFile(file, header, st.st_size);
  close(file);
  return loadable ? 0 : ERROR_BAD_EXE_FORMAT;
}

// The Win32 status for a failed dlopen of a file that exists (or of a bare name).
// The loader's message is read in the C locale: translated, it would match nothing.
DWORD loaderFailure() {
  platform::CLocaleScope untranslated;
  const char* message = dlerror();
  const std::string text = message ? message : "";
  if (text.find("cannot open shared object file") != std::string::npos) return ERROR_MOD_NOT_FOUND;
  if (text.find("undefined symbol") != std::string::npos) return ERROR_PROC_NOT_FOUND;
  return ERROR_BAD_EXE_FORMAT;
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR fileName) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::string path = locate(fileName);
  if (!path.empty()) {
    if (DWORD status = checkModuleFile(path)) {
      SetLastError(status);
      return nullptr;
    }
  }
  // Windows resolves every import at load time, and a module's symbols stay its own.
  void* handle = dlopen(path.empty() ? fileName : path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    SetLastError(loaderFailure());
    return nullptr;
  }
  return reinterpret_cast<HMODULE>(handle);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  // Ordinals (small integers in place of a name) do not exist here.
  void* symbol = procName && !IS_INTRESOURCE(procName) ? platform::OwnSymbol(module, procName) : nullptr;
  if (!symbol) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
  if (!module || dlclose(module) != 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

namespace platform {

void* OwnSymbol(HMODULE module, const char* name) {
  if (!module) module = GetModuleHandleA(nullptr);
  link_map* own = nullptr;
  if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 || !own) return nullptr;
  void* symbol = dlsym(module, name);
  if (!symbol) return nullptr;
  Dl_info info;
  link_map* holder = nullptr;
  if (!dladdr1(symbol, &info, reinterpret_cast<void**>(&holder), RTLD_DL_LINKMAP) || holder != own) return nullptr;
  return symbol;
}

}  // namespace platform
