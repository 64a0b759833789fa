// The suite's shared log: one size-rotated file that every program writes, one
// whole line per call. Reached through Logger::getInstance().
#pragma once

#include <string>
#include <vector>

#include "afxstr.h"
#include "platform_files.h"
#include "winthread.h"

// Written into each line as one letter: 0 "U" (reports shown to the user),
// 1 "D" (traces), any other value "A". Callers pass other values too, hence the
// fixed type: any int is a valid LOG_SCOPE.
enum LOG_SCOPE : int { LOG_SCOPE_USER = 0, LOG_SCOPE_DEBUG = 1, LOG_SCOPE_APPLICATION = 2 };

class Logger {
 public:
  // The process's instance, created on first use and never destroyed: a line may
  // still be written with it during and after the library's unload.
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
  Logger();
  ~Logger() = delete;
  Logger(const Logger&) = delete;
  Logger& operator=(const Logger&) = delete;

  std::string _getCurrentTime(int withZone);
  std::string getMessage(LOG_SCOPE scope, const char* title, const std::string& level);
  void getScope(LOG_SCOPE scope, std::string& letter);
  void logIntoFile(std::string& line);
  void lock() { EnterCriticalSection(&m_lock); }
  void unlock() { LeaveCriticalSection(&m_lock); }

 private:
  class Locked;

  void writeLevel(UINT levelId, LOG_SCOPE scope, const char* title, const char* text);
  void appendToFile(const std::string& data);
  bool rotateIfPast(const platform::FileChangeStamp& settings, long long size);
  void readLimits(const platform::FileChangeStamp& settings);
  std::string archivePath(int number) const;
  std::vector<int> presentArchives(int maxNumber) const;

  // Fixed-size members only: the instance is never destroyed, and its storage goes
  // with the library, so it must own no memory that an unload would leave behind.
  static const int kPathCapacity = 4096;
  char m_logFilePath[kPathCapacity];
  char m_settingsFile[kPathCapacity];
  char m_logDirectory[256];
  int m_deepLog;
  CRITICAL_SECTION m_lock;

  char m_logFolder[kPathCapacity];           // m_logDirectory as found on disk
  char m_ownStrings[6][256];                 // level texts and time format, by id - 10
  platform::FileChangeStamp m_settingsStamp;  // the settings file when the limits were read
  int m_maxSizeKiB, m_maxNumber;             // rotation limits
  platform::KeptFolderLock m_folderLock;     // serialises the processes writing the log
  platform::KeptAppendFile m_file;           // the log file, kept open between lines

  static void closeFile();
  friend struct LoggerUnload;

  static Logger* m_Instance;
};
