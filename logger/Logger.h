// The suite's shared log: one size-rotated file that every program writes, one
// whole line per call. Reached through Logger::getInstance().
#pragma once

#include <string>
#include <vector>

#include "afxstr.h"
#include "winthread.h"

// Written into each line as one letter: 0 "U" (reports shown to the user),
// 1 "D" (traces), any other value "A".
enum LOG_SCOPE { LOG_SCOPE_USER = 0, LOG_SCOPE_DEBUG = 1, LOG_SCOPE_APPLICATION = 2 };

class Logger {
 public:
  // The process's instance, created on first use (also after the library's unload
  // destroyed the previous one, so a late caller never sees a dangling pointer).
  static Logger* getInstance();

  // One line at the given level; nothing when title or text is null.
  void info(LOG_SCOPE scope, const char* title, const char* text);
  void warning(LOG_SCOPE scope, const char* title, const char* text);
  void error(LOG_SCOPE scope, const char* title, const char* text);
  void fatal(LOG_SCOPE scope, const char* title, const char* text);
  void track(LOG_SCOPE scope, const char* title, const char* text);

  // The text and "\n", without time stamp or prefix.
  void logRawData(std::string& text);

  int isDeepLog() { return m_deepLog != 0 ? 1 : 0; }

  // Moves the log file to archive 1 (shifting older archives) when it has grown past
  // the configured size. Also runs before every line.
  void rotation();

  // The calling thread's stack, one "<n> <symbol> 0x<start>" line per frame.
  static CString getCallStack();

 protected:
  ~Logger();
  Logger();
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  std::string _getCurrentTime(int withZone);
  std::string getMessage(LOG_SCOPE scope, const char* title, const std::string& level);
  void getScope(LOG_SCOPE scope, std::string& letter);
  void logIntoFile(std::string& line);
  void lock() { EnterCriticalSection(&m_lock); }
  void unlock() { LeaveCriticalSection(&m_lock); }

 private:
  void writeLevel(UINT levelId, LOG_SCOPE scope, const char* title, const char* text);
  void appendToFile(const std::string& data);
  void rotateUnlocked();
  std::string archivePath(int number) const;
  std::vector<int> presentArchives(int maxNumber) const;

  std::string m_logFilePath;
  std::string m_settingsFile;
  char m_logDirectory[256];
  int m_deepLog;
  CRITICAL_SECTION m_lock;

  static void destroyInstance();
  friend struct LoggerUnload;

  static Logger* m_Instance;
};
