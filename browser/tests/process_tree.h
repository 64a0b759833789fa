// The processes below this one, the engine's sub-processes among them.
#pragma once

#include <set>
#include <string>

// Every process started by this one (or by `root`), directly or further down.
std::set<int> DescendantProcesses();
std::set<int> DescendantProcesses(int root);
// The parent of a process, 0 when it is gone.
int ParentProcess(int pid);
// What /proc says of a process: its program file, its command line (arguments joined by
// blanks); "" when it is gone.
std::string ProcessProgram(int pid);
std::string ProcessCommandLine(int pid);

// The names of this process's threads, each after a blank.
std::string ThreadNames();

// Proportional set size of this process (or of `root`) and every process below it, in KiB.
long ProcessTreePssKib();
long ProcessTreePssKib(int root);
// Milliseconds since this process started (the kernel counts in clock ticks).
double MillisecondsSinceProcessStart();
