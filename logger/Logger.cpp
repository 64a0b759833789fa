#include "Logger.h"

#include <time.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

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

// The instance's home: never freed, and gone with the library when it is unloaded.
alignas(Logger) unsigned char g_instanceStorage[sizeof(Logger)];

void copyText(char* target, size_t capacity, const std::string& text) {
  std::snprintf(target, capacity, "%s", text.c_str());
}

std::string programFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, sizeof(path));
  const char* cut = std::strrchr(path, platform::kPathSeparator);
  return cut ? std::string(path, static_cast<size_t>(cut - path + 1)) : std::string();
}

// The time stamp of the current second, kept by each thread: the local time and the
// zone are formatted once a second, not once a line.
struct SecondStamp {
  time_t second = -1;
  char local[128] = {};
  char zone[32] = {};
};
thread_local SecondStamp t_stamp;

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

// Holds the critical section and the log folder's lock (against other processes) for
// one scope. The settings file and the folder are looked at before, so that threads
// wait for each other only for the size check and the write.
class Logger::Locked {
 public:
  explicit Locked(Logger& logger)
      : m_logger(logger),
        m_settings(platform::ChangeStampOf(logger.m_settingsFile)),
        m_folder(platform::ChangeStampOf(logger.m_logFolder)) {
    m_logger.lock();
    m_logger.m_folderLock.Lock(m_logger.m_logFolder, m_folder);
  }
  ~Locked() {
    m_logger.m_folderLock.Unlock();
    m_logger.unlock();
  }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

  const platform::FileChangeStamp& settings() const { return m_settings; }

 private:
  Logger& m_logger;
  const platform::FileChangeStamp m_settings, m_folder;
};

// At unload (or exit) the log file is closed once the line being written is done.
// The instance itself stays usable: a later line opens the file again.
struct LoggerUnload {
  ~LoggerUnload() { Logger::closeFile(); }
};
static LoggerUnload g_loggerUnload;

void Logger::closeFile() {
  if (!m_Instance) return;
  m_Instance->lock();
  m_Instance->m_file.Close();
  m_Instance->m_folderLock.Close();
  m_Instance->unlock();
}

Logger* Logger::getInstance() {
  static Logger* const instance = m_Instance = new (g_instanceStorage) Logger();
  return instance;
}

Logger::Logger() : m_logDirectory(), m_deepLog(0), m_ownStrings(), m_maxSizeKiB(0), m_maxNumber(0) {
  // Resolved once: the file is found whatever the case of its name on disk.
  copyText(m_settingsFile, sizeof(m_settingsFile),
           platform::ResolvePath(programFolder() + kSettingsFileName + "." + kSettingsFileExtension));
  GetPrivateProfileStringA("DIRECTORIES", "TRACKINGLOG", kDefaultLogDirectory, m_logDirectory,
                           sizeof(m_logDirectory), m_settingsFile);
  if (GetFileAttributesA(m_logDirectory) == INVALID_FILE_ATTRIBUTES) CreateDirectoryA(m_logDirectory, nullptr);
  copyText(m_logFolder, sizeof(m_logFolder), platform::ResolvePath(m_logDirectory));
  copyText(m_logFilePath, sizeof(m_logFilePath),
           m_logFolder + std::string(1, platform::kPathSeparator) + kLogFileName + "." + kLogFileExtension);
  m_deepLog = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileDeep", 0, m_settingsFile));
  for (UINT id = IDS_ERROR; id <= IDS_TRACK; ++id)
    LoadStringA(THIS_MODULE_HANDLE(), id, m_ownStrings[id - IDS_ERROR], sizeof(m_ownStrings[0]));
  readLimits(platform::ChangeStampOf(m_settingsFile));
  InitializeCriticalSection(&m_lock);
}

void Logger::info(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_INFO, scope, title, text); }
void Logger::warning(LOG_SCOPE scope, const char* title, const char* text) {
  writeLevel(IDS_WARNING, scope, title, text);
}
void Logger::error(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_ERROR, scope, title, text); }
void Logger::fatal(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_FATAL, scope, title, text); }
void Logger::track(LOG_SCOPE scope, const char* title, const char* text) { writeLevel(IDS_TRACK, scope, title, text); }

void Logger::writeLevel(UINT levelId, LOG_SCOPE scope, const char* title, const char* text) {
  if (!title || !text) return;
  std::string line = getMessage(scope, title, m_ownStrings[levelId - IDS_ERROR]) + text;
  logIntoFile(line);
}

void Logger::logRawData(std::string& text) { appendToFile(text + "\n"); }

std::string Logger::_getCurrentTime(int withZone) {
  const time_t now = time(nullptr);
  if (now != t_stamp.second) {
    const char* format = m_ownStrings[IDS_TIME_FORMAT - IDS_ERROR];
    struct tm local;
    localtime_r(&now, &local);
    t_stamp.local[0] = '\0';
    if (*format) strftime(t_stamp.local, sizeof(t_stamp.local), format, &local);
    copyText(t_stamp.zone, sizeof(t_stamp.zone), zoneSuffix());
    t_stamp.second = now;
  }
  return withZone ? std::string(t_stamp.local) + t_stamp.zone : std::string(t_stamp.local);
}

void Logger::getScope(LOG_SCOPE scope, std::string& letter) {
  letter = scope == LOG_SCOPE_USER ? "U" : scope == LOG_SCOPE_DEBUG ? "D" : "A";
}

std::string Logger::getMessage(LOG_SCOPE scope, const char* title, const std::string& level) {
  std::string message;
  getScope(scope, message);
  return message + " - " + level + " - " + title + ": ";
}

// The whole line is built before the lock, so threads wait only for each other's write.
void Logger::logIntoFile(std::string& line) {
  std::string whole = _getCurrentTime(1);
  whole.reserve(whole.size() + line.size() + 4);
  whole.append(" - ").append(line).append("\n");
  appendToFile(whole);
}

// Both locks are held across the size check, the rotation and the write, so the line
// lands whole, in one write, and no two processes rotate the same file.
void Logger::appendToFile(const std::string& data) {
  Locked locked(*this);
  if (rotateIfPast(locked.settings(), m_file.Refresh(m_logFilePath))) m_file.Refresh(m_logFilePath);
  m_file.Append(data.data(), data.size());
}

void Logger::rotation() {
  Locked locked(*this);
  rotateIfPast(locked.settings(), platform::ChangeStampOf(m_logFilePath).size);
}

void Logger::readLimits(const platform::FileChangeStamp& settings) {
  m_maxSizeKiB = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileMaxSize", 1024, m_settingsFile));
  m_maxNumber = static_cast<int>(GetPrivateProfileIntA("LOG", "LogFileMaxNumber", 5, m_settingsFile));
  m_settingsStamp = settings;
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

// When the log (`size` bytes, -1 for none) has grown past the limit, archive n moves
// to n + 1 (the last one kept is deleted), then the log becomes archive 1. Only the
// archives present are visited, so a huge archive count costs nothing; a move onto a
// name still taken fails, as a rename on Windows does. True when the log was moved.
bool Logger::rotateIfPast(const platform::FileChangeStamp& settings, long long size) {
  if (settings != m_settingsStamp) readLimits(settings);  // read again only after a change
  if (size < 0 || size <= static_cast<long long>(m_maxSizeKiB) * 1024) return false;
  for (int n : presentArchives(m_maxNumber)) {
    if (n == m_maxNumber) {
      DeleteFileA(archivePath(n).c_str());
    } else {
      MoveFileA(archivePath(n).c_str(), archivePath(n + 1).c_str());
    }
  }
  return MoveFileA(m_logFilePath, archivePath(1).c_str()) != FALSE;
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
