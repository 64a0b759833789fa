// The log, silent: the fuzz targets link this in place of the logger, whose file
// writes and resource strings would only slow every input down.
#include "Logger.h"

Logger* Logger::m_Instance = nullptr;

Logger::Logger() = default;

Logger* Logger::getInstance() {
  if (!m_Instance) m_Instance = new Logger;
  return m_Instance;
}

void Logger::info(LOG_SCOPE, const char*, const char*) {}
void Logger::warning(LOG_SCOPE, const char*, const char*) {}
void Logger::error(LOG_SCOPE, const char*, const char*) {}
void Logger::fatal(LOG_SCOPE, const char*, const char*) {}
void Logger::track(LOG_SCOPE, const char*, const char*) {}
