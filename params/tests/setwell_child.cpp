// A second program of the suite for the Setwell tests, working on the files named
// on its command line:
//   bare <name>                         Init with a bare name, add a recent file, flush it
//   keys <settings> <prefix> <rounds>   each round 50 own user keys and "Last", flushed
//   recent <settings> <prefix> <rounds> each round a new list of 16 recent files, flushed
//   forever <settings>                  rewrites user keys K0..K49 with the round number until killed
// Exit code 0, 1 when a flush fails, 2 for a bad command line.
#include <cstdlib>
#include <string>

#include "Setwell.h"

namespace {

int writeKeys(Setwell& setwell, const char* settings, const std::string& prefix, int rounds) {
  for (int round = 1; round <= rounds; ++round) {
    const std::string value = prefix + "-" + std::to_string(round);
    for (int i = 0; i < 50; ++i)
      setwell.WriteParameter("Keys", (prefix + std::to_string(i)).c_str(), value.c_str(), settings, 1);
    setwell.WriteParameter("Keys", "Last", value.c_str(), settings, 1);
    if (!setwell.Flush()) return 1;
  }
  return 0;
}

int writeRecentLists(Setwell& setwell, const std::string& prefix, int rounds) {
  for (int round = 1; round <= rounds; ++round) {
    for (int i = 0; i < 16; ++i)
      setwell.AddRecentFile(("/" + prefix + "/" + std::to_string(round) + "/" + std::to_string(i) + ".prj").c_str());
    if (!setwell.FlushRecentFiles()) return 1;
  }
  return 0;
}

[[noreturn]] void writeForever(Setwell& setwell, const char* settings) {
  for (int round = 1;; ++round) {
    const std::string value = std::to_string(round);
    for (int i = 0; i < 50; ++i)
      setwell.WriteParameter("Keys", ("K" + std::to_string(i)).c_str(), value.c_str(), settings, 1);
    setwell.Flush();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  const char* settings = argv[2];
  Setwell& setwell = *Setwell::GetInstance();
  setwell.Init(settings);
  int result = 2;
  if (command == "bare") {
    setwell.AddRecentFile("/bare.prj");
    result = setwell.FlushRecentFiles() ? 0 : 1;
  } else if (command == "keys" && argc == 5) {
    result = writeKeys(setwell, settings, argv[3], std::atoi(argv[4]));
  } else if (command == "recent" && argc == 5) {
    result = writeRecentLists(setwell, argv[3], std::atoi(argv[4]));
  } else if (command == "forever") {
    writeForever(setwell, settings);
  }
  delete &setwell;
  return result;
}
