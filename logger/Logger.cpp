#include "Logger.h"

#include <pthread.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "dbghelp.h"
#include "platform_files.h"
#include "platform_paths.h"
#include "winfile.h"
#include "winfind.h"
#include "winmodule.h"
#include "winprofile.h"
#include "winresource.h"
#include "wintime.h"

namespace {

const char kSettingsFileName[] = "CorvexV0";
const char kSettingsFileExtension[] = "Inf";
const char kLogFileName[] = "Norvasta - Tamberlo";
const char kLogFileExtension[] = "log";
const char kDefaultLogDirectory[] = "OISPELKD.INI";

enum : UINT {
  IDS_ERROR = 10,
  IDS_WARNING = 11,
  IDS_INFO = 12,
  IDS_FATAL = 13,
  IDS_TIME_FORMAT = 14,
  IDS_TRACK = 15,
};

const int kMaxStackFrames = 65535;
const int kMaxSymbolName = 255;

// Never destroyed: a line logged from an exit handler may still need it.
pthread_mutex_t g_instanceMutex = PTHREAD_MUTEX_INITIALIZER;

std::string loadOwnString(UINT id) {
  char text[256] = {};
  LoadStringA(THIS_MODULE_HANDLE(), id, text, sizeof(text));
  return text;
}

std::string programFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  const char* cut = std::strrchr(path, platform::kPathSeparator);
  return cut ? std::string(path, static_cast<size_t>(cut - path + 1)) : std::string();
}

std::string zoneSuffix() {
  TIME_ZONE_INFORMATION zone;
  GetTimeZoneInformation(&zone);
  const LONG ahead = -zone.Bias;  // minutes local time is ahead of UTC
  const LONG minutes = ahead < 0 ? -ahead : ahead;
  char text[32];
  std::snprintf(text, sizeof(text), ahead >= 0 ? "(GMT+%02d:%02d)" : "(GMT-%02d:%02d)", static_cast<int>(minutes / 60),
                static_cast<int>(minutes % 60));
  return text;
}

}  // namespace

Logger* Logger::m_Instance = nullptr;

// The instance lives until the library is unloaded (or the process exits).
struct LoggerUnload {
  ~LoggerUnload() { Logger::destroyInstance(); }
};
static LoggerUnload g_loggerUnload;

void Logger::destroyInstance() {
  pthread_mutex_lock(&g_instanceMutex);
  Logger* instance = m_Instance;
  m_Instance = nullptr;
  pthread_mutex_unlock(&g_instanceMutex);
  delete instance;
}

Logger* Logger::getInstance() {
  pthread_mutex_lock(&g_instanceMutex);
  if (!m_Instance) m_Instance = new Logger();
  Logger* instance = m_Instance;
  pthread_mutex_unlock(&g_instanceMutex);
  return instance;
}

Logger::Logger() : m_logDirectory(), m_deepLog(0) {
  // Resolved once: the file is found whatever the case of its name on disk.
  m_settingsFile = platform::ResolvePath(programFolder() + kSettingsFileName + "." + kSettingsFileExtension);
  GetPrivateProfileStringA("DIRECTORIES", "TRACKINGLOG", kDefaultLogDirectory, m_logDirectory,
                           sizeof(m_logDirectory), m_settingsFile.c_str());
  if (GetFileAttributesA(m_logDirectory) == INVALID_FILE_ATTRIBUTES) CreateDirectoryA(m_logDirectory, nullptr);
  m_logFilePath = platform::ResolvePath(m_logDirectory) + platform::kPathSeparator + kLogFileName + "." +
                  kLogFileExtension;
  m_deepLog = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileDeep", 0, m_settingsFile.c_str()));
  InitializeCriticalSection(&m_lock);
}

Logger::~Logger() { DeleteCriticalSection(&m_lock); }

void Logger::info(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_INFO, scope, title, text); }
void Logger::warning(LOG_SCOPE scope, const char* title, const char* text) {
  writeLevel(IDS_WARNING, scope, title, text);
}
void Logger::error(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_ERROR, scope, title, text); }
void Logger::fatal(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_FATAL, scope, title, text); }
void Logger::track(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_TRACK, scope, title, text); }

void Logger::writeLevel(UINT levelId, LOG_SCOPE scope, const char* title, const char* text) {
  if (!title || !text) return;
  std::string line = getMessage(scope, title, loadOwnString(levelId)) + text;
  logIntoFile(line);
}

void Logger::logRawData(std::string& text) { appendToFile(text + "\n"); }

std::string Logger::_getCurrentTime(int withZone) {
  const std::string format = loadOwnString(IDS_TIME_FORMAT);
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  char stamp[128] = {};
  if (!format.empty()) strftime(stamp, sizeof(stamp), format.c_str(), &local);
  return withZone ? stamp + zoneSuffix() : std::string(stamp);
}

void Logger::getScope(LOG_SCOPE scope, std::string& letter) {
  letter = scope == LOG_SCOPE_USER ? "U" : scope == LOG_SCOPE_DEBUG ? "D" : "A";
}

std::string Logger::getMessage(LOG_SCOPE scope, const char* title, const std::string& level) {
  std::string message;
  getScope(scope, message);
  return message + " - " + level + " - " + title + ": ";
}

void Logger::logIntoFile(std::string& line) {
  // Time stamp taken before the lock, as close to the call as possible.
  appendToFile(_getCurrentTime(1) + " - " + line + "\n");
}

// Threads of this process queue on the critical section; processes on the lock of
// the log folder, held across the size check, the rotation and the write, so the
// whole line lands in one write and no two processes rotate the same file.
void Logger::appendToFile(const std::string& data) {
  lock();
  platform::FolderLock folderLock(m_logDirectory);
  rotateUnlocked();
  platform::AppendToFile(m_logFilePath, data);
  unlock();
}

void Logger::rotation() {
  lock();
  platform::FolderLock folderLock(m_logDirectory);
  rotateUnlocked();
  unlock();
}

std::string Logger::archivePath(int number) const {
  char suffix[32];
  std::snprintf(suffix, sizeof(suffix), ".%d.%s", number, kLogFileExtension);
  return std::string(m_logDirectory) + platform::kPathSeparator + kLogFileName + suffix;
}

// Archive numbers 1..maxNumber present in the log folder, highest first.
std::vector<int> Logger::presentArchives(int maxNumber) const {
  std::vector<int> numbers;
  WIN32_FIND_DATAA found;
  const std::string pattern = std::string(m_logDirectory) + platform::kPathSeparator + kLogFileName + ".*." + kLogFileExtension;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return numbers;
  const size_t prefix = std::strlen(kLogFileName) + 1, suffix = std::strlen(kLogFileExtension) + 1;
  do {
    const std::string name = found.cFileName;
    if (name.size() <= prefix + suffix) continue;
    const std::string digits = name.substr(prefix, name.size() - prefix - suffix);
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') continue;
    const int n = std::atoi(digits.c_str());
    if (n <= maxNumber) numbers.push_back(n);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  std::sort(numbers.rbegin(), numbers.rend());
  return numbers;
}

// Archive n moves to n + 1 (the last one kept is deleted), then the log becomes
// archive 1. Only the archives present are visited, so a huge archive count costs
// nothing; a move onto a name still taken fails, as a rename on Windows does.
void Logger::rotateUnlocked() {
  const long long size = platform::FileSize(m_logFilePath);
  if (size < 0) return;
  const int maxSizeKiB = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileMaxSize", 1024, m_settingsFile.c_str()));
  const int maxNumber = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileMaxNumber", 5, m_settingsFile.c_str()));
  if (size <= static_cast<long long>(maxSizeKiB) * 1024) return;
  for (int n : presentArchives(maxNumber)) {
    if (n == maxNumber) {
      DeleteFileA(archivePath(n).c_str());
    } else {
      MoveFileA(archivePath(n).c_str(), archivePath(n + 1).c_str());
    }
  }
  MoveFileA(m_logFilePath.c_str(), archivePath(1).c_str());
}

CString Logger::getCallStack() {
  auto* symbol = static_cast<SYMBOL_INFO*>(std::calloc(sizeof(SYMBOL_INFO) + kMaxSymbolName + 1, 1));
  if (!symbol) {
    getInstance()->fatal(LOG_SCOPE_APPLICATION, "Logger", "getCallStack: Not enough memory to allocate SYMBOL_INFO");
    return CString();
  }
  auto* stack = static_cast<void**>(std::calloc(kMaxStackFrames, sizeof(void*)));
  if (!stack) {
    std::free(symbol);
    getInstance()->fatal(LOG_SCOPE_APPLICATION, "Logger", "getCallStack: Not enough memory to allocate Stack array");
    return CString();
  }
  symbol->SizeOfStruct = sizeof(SYMBOL_INFO);
  symbol->MaxNameLen = kMaxSymbolName + 1;

  HANDLE process = GetCurrentProcess();
  SymInitialize(process, nullptr, TRUE);
  const WORD frames = CaptureStackBackTrace(1, kMaxStackFrames, stack, nullptr);
  CString text;
  for (WORD i = 0; i < frames; ++i) {
    const bool found = SymFromAddr(process, reinterpret_cast<uintptr_t>(stack[i]), nullptr, symbol);
    text.AppendFormat("%d %s 0x%x\n", frames - i - 1, found ? symbol->Name : "unknown symbol",
                      found ? static_cast<unsigned>(symbol->Address & 0xFFFFFFFFu) : 0u);
  }
  SymCleanup(process);
  std::free(stack);
  std::free(symbol);
  return text;
}
