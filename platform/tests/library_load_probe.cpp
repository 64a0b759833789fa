// Loads one library into this fresh process, as LoadLibraryA does (RTLD_NOW | RTLD_LOCAL),
// and prints "<dlopen ns> <dlclose ns> <objects mapped while loaded> <Qt objects among them>
// <CPU ns of this thread for both calls>" (times in wall-clock nanoseconds; the CPU time
// shows the loader's own work when other processes compete for the processor).
// Links nothing of the suite, so the load pays for every library below the one asked for.
#include <dlfcn.h>
#include <link.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

struct Mapped {
  int objects = 0;
  int qt = 0;
};

int countObject(dl_phdr_info* info, size_t, void* data) {
  auto* mapped = static_cast<Mapped*>(data);
  ++mapped->objects;
  if (std::strstr(info->dlpi_name, "libQt")) ++mapped->qt;
  return 0;
}

long long nanosecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
}

long long threadCpuNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return now.tv_sec * 1000000000LL + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const long long cpuStart = threadCpuNanoseconds();
  auto start = std::chrono::steady_clock::now();
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  const long long openTime = nanosecondsSince(start);
  if (!library) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
  Mapped mapped;
  dl_iterate_phdr(countObject, &mapped);
  start = std::chrono::steady_clock::now();
  dlclose(library);
  const long long closeTime = nanosecondsSince(start);
  const long long cpuTime = threadCpuNanoseconds() - cpuStart;
  std::printf("%lld %lld %d %d %lld\n", openTime, closeTime, mapped.objects, mapped.qt, cpuTime);
  return 0;
}
