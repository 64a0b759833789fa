// The authenticator against the least a Qt program does to show the same login page
// (minimal_signin_view, 1600x900), fresh processes under a virtual display, both
// trusting the development provider the same way, runs alternating, medians and ratios:
//   BM_ExecToLoginPageShown: process start to the login page's load event (as the page
//     reports it to the provider); counters: medians in ms and of the summed PSS of the
//     process tree at that moment in MiB, and their ratios.
//   BM_ExecToSignedIn: process start to the end of an auto-submitted sign-in with the
//     tokens stored, against process start to the redirect reached in the minimal view.
#include <benchmark/benchmark.h>
#include <signal.h>

#include <algorithm>

#include "CCorvexOAuth2Globals.h"
#include "authenticator_session.h"
#include "engine_environment.h"
#include "process_tree.h"
#include "xvfb_display.h"

namespace {

const int kRuns = 5;

struct Figures {
  std::vector<double> ms, pssKib;
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::string Narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

// The address the sign-in opens, with a fixed challenge.
std::string LoginAddress() {
  using Globals = CCorvexOAuth2Globals;
  return Narrow(
      Globals::BuildURL(Globals::AUTH_URI, {{L"app", Globals::APP_NAME},
                                            {L"client_id", Globals::CLIENT_ID},
                                            {L"code_challenge", L"E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM"},
                                            {L"code_challenge_method", L"S256"},
                                            {L"redirect_uri", Globals::REDIRECT_URI},
                                            {L"response_type", L"code"}}));
}

struct Contender {
  std::string program;
  std::vector<std::string> args;
  std::map<std::string, std::string> env;
};

std::vector<Contender> Contenders(const AuthenticatorSession& session, const XvfbDisplay& xvfb) {
  std::map<std::string, std::string> display =
      EngineEnvironment(session.Home(), {{"DISPLAY", xvfb.Name()}, {"QT_QPA_PLATFORM", "xcb"}});
  std::map<std::string, std::string> program = display, minimal = display;
  program["CORVEX_PLATFORM_UI"] = "scripted";
  program["CORVEX_PLATFORM_UI_DIALOGS"] = "real";
  // The switches the runtime gives the engine as root without a proxy.
  minimal["QTWEBENGINE_CHROMIUM_FLAGS"] = "--disable-extensions --no-sandbox --no-proxy-server";
  return {{session.Program(), {}, program},
          {CORVEX_BENCH_BIN_DIR "/minimal_signin_view",
           {LoginAddress(), Narrow(CCorvexOAuth2Globals::REDIRECT_URI)},
           minimal}};
}

// Start to the page's load event, and the tree's PSS then; the program is killed after.
bool MeasurePageShown(AuthenticatorSession& session, const Contender& contender, Figures& figures) {
  const size_t shown = session.PagesShown();
  const double start = NowMs();
  BackgroundProgram run(contender.program, contender.args, contender.env, "/dev/null");
  if (!WaitFor([&] { return session.PagesShown() > shown; }, 30)) return false;
  figures.pssKib.push_back(static_cast<double>(ProcessTreePssKib(run.Pid())));
  figures.ms.push_back(session.PageShownTimes().back() - start);
  kill(run.Pid(), SIGKILL);
  return true;
}

// Start to the program's own end, which must be a success.
bool MeasureToEnd(const Contender& contender, Figures& figures) {
  const double start = NowMs();
  BackgroundProgram run(contender.program, contender.args, contender.env, "/dev/null");
  if (run.Wait(60) != 0) return false;
  figures.ms.push_back(NowMs() - start);
  return true;
}

void Report(benchmark::State& state, const Figures& program, const Figures& minimal) {
  state.SetIterationTime(Median(program.ms) / 1000.0);
  state.counters["program_ms"] = Median(program.ms);
  state.counters["minimal_ms"] = Median(minimal.ms);
  state.counters["time_ratio"] = Median(program.ms) / Median(minimal.ms);
  if (program.pssKib.empty()) return;
  state.counters["program_pss_mib"] = Median(program.pssKib) / 1024;
  state.counters["minimal_pss_mib"] = Median(minimal.pssKib) / 1024;
  state.counters["pss_ratio"] = Median(program.pssKib) / Median(minimal.pssKib);
}

void BM_ExecToLoginPageShown(benchmark::State& state) {
  for (auto _ : state) {
    AuthenticatorSession session(std::vector<std::string>{});  // the page stays until killed
    XvfbDisplay display;
    const std::vector<Contender> contenders = Contenders(session, display);
    Figures figures[2];
    for (int run = 0; run < kRuns; ++run)
      for (int which = 0; which < 2; ++which)
        if (!MeasurePageShown(session, contenders[which], figures[which]))
          return state.SkipWithError(("no page shown by " + contenders[which].program).c_str());
    Report(state, figures[0], figures[1]);
  }
}

void BM_ExecToSignedIn(benchmark::State& state) {
  for (auto _ : state) {
    AuthenticatorSession session;
    XvfbDisplay display;
    const std::vector<Contender> contenders = Contenders(session, display);
    Figures figures[2];
    for (int run = 0; run < kRuns; ++run)
      for (int which = 0; which < 2; ++which)
        if (!MeasureToEnd(contenders[which], figures[which]))
          return state.SkipWithError(("no successful end of " + contenders[which].program).c_str());
    Report(state, figures[0], figures[1]);
  }
}

BENCHMARK(BM_ExecToLoginPageShown)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExecToSignedIn)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
