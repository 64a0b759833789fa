// Runs the settings probe module as a program of the folder this program lies in.
// With --dlclose the module (and the settings library with it) is unloaded before
// the program leaves with _exit, so only the library's unload can have written files.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  void* module = dlopen(SETTINGS_PROBE_MODULE, RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  auto run = reinterpret_cast<int (*)(int, char**)>(dlsym(module, "RunSettingsProbe"));
  const int result = run ? run(argc, argv) : 3;
  if (argc > 1 && std::strcmp(argv[argc - 1], "--dlclose") == 0) {
    dlclose(module);
    std::fflush(stdout);
    _exit(dlopen("CorvexSettings.so", RTLD_NOLOAD | RTLD_NOW) ? 4 : result);
  }
  return result;
}
