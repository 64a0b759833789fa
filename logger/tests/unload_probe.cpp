// A library that a test loads and unloads at run time; loading it loads Logger.
#include "Logger.h"

extern "C" Logger* ProbeLogger() { return Logger::getInstance(); }

extern "C" void ProbeLine(Logger* logger, const char* text) { logger->info(LOG_SCOPE_DEBUG, "Probe", text); }
