#include "process_tree.h"

#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "test_support.h"

namespace {

// pid -> parent pid of every process.
std::map<int, int> parentsOfAll() {
  std::map<int, int> parents;
  DIR* proc = opendir("/proc");
  while (dirent* entry = readdir(proc))
    if (std::isdigit(static_cast<unsigned char>(entry->d_name[0])))
      parents[std::atoi(entry->d_name)] = ParentProcess(std::atoi(entry->d_name));
  closedir(proc);
  return parents;
}

}  // namespace

int ParentProcess(int pid) {
  // In /proc/<pid>/stat the parent follows the state, after the name in parentheses.
  const std::string text = testing_support::ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = text.rfind(')');
  int parent = 0;
  if (close == std::string::npos || std::sscanf(text.c_str() + close + 2, "%*c %d", &parent) != 1) return 0;
  return parent;
}

std::set<int> DescendantProcesses() { return DescendantProcesses(getpid()); }

std::set<int> DescendantProcesses(int root) {
  const std::map<int, int> parents = parentsOfAll();
  std::set<int> found = {root};
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [pid, parent] : parents)
      if (found.count(parent) && found.insert(pid).second) grew = true;
  }
  found.erase(root);
  return found;
}

std::string ProcessProgram(int pid) {
  char path[4096] = {};
  const ssize_t length = readlink(("/proc/" + std::to_string(pid) + "/exe").c_str(), path, sizeof(path) - 1);
  return length > 0 ? std::string(path, length) : "";
}

std::string ProcessCommandLine(int pid) {
  std::string line = testing_support::ReadWholeFile("/proc/" + std::to_string(pid) + "/cmdline");
  for (char& c : line)
    if (c == '\0') c = ' ';
  return line;
}

std::string ThreadNames() {
  std::string names;
  DIR* tasks = opendir("/proc/self/task");
  while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
    if (entry->d_name[0] == '.') continue;
    std::string name = testing_support::ReadWholeFile(std::string("/proc/self/task/") + entry->d_name + "/comm");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    names += " " + name;
  }
  if (tasks) closedir(tasks);
  return names;
}

long ProcessTreePssKib() { return ProcessTreePssKib(getpid()); }

long ProcessTreePssKib(int root) {
  std::set<int> tree = DescendantProcesses(root);
  tree.insert(root);
  long total = 0;
  for (int pid : tree) {
    const std::string rollup = testing_support::ReadWholeFile("/proc/" + std::to_string(pid) + "/smaps_rollup");
    const size_t pss = rollup.find("\nPss:");
    if (pss != std::string::npos) total += std::atol(rollup.c_str() + pss + 5);
  }
  return total;
}

double MillisecondsSinceProcessStart() {
  const std::string stat = testing_support::ReadWholeFile("/proc/self/stat");
  const size_t close = stat.rfind(')');
  unsigned long long startTicks = 0;
  // The start time is the 22nd field; the state, the 3rd, follows the name.
  std::sscanf(stat.c_str() + close + 2,
              "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu", &startTicks);
  double uptime = 0;
  std::sscanf(testing_support::ReadWholeFile("/proc/uptime").c_str(), "%lf", &uptime);
  return (uptime - static_cast<double>(startTicks) / sysconf(_SC_CLK_TCK)) * 1000.0;
}
