// The environment of a program that runs the engine, for the engine tests: HOME (whose
// NSS database decides what TLS is trusted) and the display. In a sanitized build the
// engine's own faults are let through (a delete of another type than was made inside it,
// and the memory it keeps to the end), so that only the suite's own ones fail a test.
#pragma once

#include <map>
#include <string>

inline std::map<std::string, std::string> EngineEnvironment(const std::string& home,
                                                            std::map<std::string, std::string> display = {
                                                                {"QT_QPA_PLATFORM", "offscreen"}}) {
  display["HOME"] = home;
  display["ASAN_OPTIONS"] = "new_delete_type_mismatch=0";
  display["LSAN_OPTIONS"] = "suppressions=" BROWSER_LSAN_SUPPRESSIONS;
  return display;
}
