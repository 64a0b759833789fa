// Runs family queries given on the command line, in order, and prints one
// "name=answer" line each (the n-th repeat of a name as "name#n").
#pragma once

// Commands are "Query" or "Query=argument"; see families_probe.cpp.
int RunFamilyCommands(int count, char** commands);
