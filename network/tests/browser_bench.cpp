// The browser dialog's time to its first page and the memory then, against the least a
// Qt program does to show the same page (minimal_view_probe): fresh processes, the same
// engine switches, one virtual display, a local HTTPS page.
//   time: DoModal (or the view's load) to the page's load end, manual time, median
//   counters: start_to_load_ms (process start to load end), pss_mib (the program and its
//   sub-processes at load end), medians
#include <benchmark/benchmark.h>

#include <sstream>

#include "engine_environment.h"
#include "https_test_site.h"
#include "xvfb_display.h"

namespace {

struct Run {
  double loadMs = 0, startMs = 0, pssKib = 0;
};

HttpsTestSite& Site() {
  static HttpsTestSite* const site = new HttpsTestSite;
  return *site;
}

const XvfbDisplay& Display() {
  static XvfbDisplay* const display = new XvfbDisplay;
  return *display;
}

// The probe's "load <ms> <ms> <KiB>" line, or nothing.
bool Measure(const std::string& program, const std::vector<std::string>& args, Run& run) {
  const testing_support::ChildResult result = testing_support::RunProgram(
      CORVEX_TEST_BIN_DIR "/" + program, args,
      EngineEnvironment(Site().TrustingHome(),
                        {{"DISPLAY", Display().Name()}, {"QT_QPA_PLATFORM", "xcb"},
                         // The switches the runtime gives the engine as root without a proxy.
                         {"QTWEBENGINE_CHROMIUM_FLAGS",
                          program == "minimal_view_probe" ? "--disable-extensions --no-sandbox --no-proxy-server" : ""}}),
      60);
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("load ", 0) != 0) continue;
    std::istringstream fields(line.substr(5));
    return static_cast<bool>(fields >> run.loadMs >> run.startMs >> run.pssKib);
  }
  return false;
}

void Report(benchmark::State& state, const std::string& program, const std::vector<std::string>& args) {
  for (auto _ : state) {
    Run run;
    if (!Measure(program, args, run)) {
      state.SkipWithError("the probe printed no load line");
      return;
    }
    state.SetIterationTime(run.loadMs / 1000.0);
    state.counters["start_to_load_ms"] = run.startMs;
    state.counters["pss_mib"] = run.pssKib / 1024.0;
  }
}

void BM_BrowserDialogToFirstLoadEnd(benchmark::State& state) {
  Report(state, "browser_dialog_probe", {"dialog", Site().Address("/"), "bench"});
}

void BM_MinimalViewToLoadFinished(benchmark::State& state) {
  Report(state, "minimal_view_probe", {Site().Address("/")});
}

BENCHMARK(BM_BrowserDialogToFirstLoadEnd)->Iterations(1)->Repetitions(9)->UseManualTime()->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MinimalViewToLoadFinished)->Iterations(1)->Repetitions(9)->UseManualTime()->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace
