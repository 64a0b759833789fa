// A sandboxed renderer cannot read the time-zone files: the engine answers local time for
// it, through these program-level definitions that the C library's callers in the engine's
// library bind to (the program exports its symbols).
#include <ctime>

namespace sandbox {
struct tm* localtime_override(const time_t* timep);
struct tm* localtime_r_override(const time_t* timep, struct tm* result);
}  // namespace sandbox

extern "C" {

__attribute__((visibility("default"))) struct tm* localtime(const time_t* timep) {
  return sandbox::localtime_override(timep);
}

__attribute__((visibility("default"))) struct tm* localtime_r(const time_t* timep, struct tm* result) {
  return sandbox::localtime_r_override(timep, result);
}

}  // extern "C"
