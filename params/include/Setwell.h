// Setwell: the process-wide cache of named parameters kept in profile (INI) files.
//
// Each file has two layers: the shared layer is the file as the caller names it, the
// user layer a file of the same name in the user configuration folder, holding the
// user's own values. Every value read or written stays in memory, so a key is read
// from disk once per process unless the caller asks for a refresh; whether a file has
// a user copy is looked at once, and again at a refresh or a flush. Writes wait in
// memory until Flush (or the destruction of the instance), which replaces each file
// once, atomically, under the platform's profile lock. Single-threaded: the suite's
// user-interface thread.
//
// Paths use platform::kPathSeparator. A file argument without a separator names a
// file in the Windows folder, in both layers.
#pragma once

#include <memory>
#include <string>

#include "afxcoll.h"
#include "afxstr.h"
#include "wintypes.h"

class CParamCache;

class Setwell {
 public:
  // The singleton, created on first use; null only when it cannot be allocated.
  static Setwell* GetInstance();
  // Writes what is pending (a file it still cannot write is named on standard error,
  // once per process) and forgets the singleton. The recent-file list is not written.
  ~Setwell();
  Setwell(const Setwell&) = delete;
  Setwell& operator=(const Setwell&) = delete;

  // Names the settings file (a bare name lives beside the program) and reads the
  // user configuration folder from its "DIRECTORIES" section. Only the first call counts.
  void Init(const char* settingsFile);

  // Reads a key, with userLayer the user's value first (an empty one falls through
  // to the shared value). Returns the characters placed in the buffer; a cut value
  // gives the buffer size when served from the cache, size-1 when read from the
  // file (the whole value is cached either way). A null key reads the section's key
  // list (names each followed by a NUL).
  DWORD ReadStringParameter(const char* section, const char* key, const char* defaultValue, char* buffer,
                            DWORD size, const char* file, int userLayer, int refresh);
  // The integer value; a key first cached by a string read gives atoi of the text,
  // or -1 for an empty text.
  int ReadIntParameter(const char* section, const char* key, int defaultValue, const char* file, int userLayer,
                       int refresh);
  // Stores a change to be written at the next Flush. 1 when stored or already equal;
  // 0 for a missing argument, an empty key or file name, or a line break in the text.
  int WriteParameter(const char* section, const char* key, const char* value, const char* file, int userLayer);
  // Writes every pending change, one atomic replacement per file. 1 when all are
  // written; 0 when some stay pending (GetLastError: the first failure), to be
  // retried by the next Flush or the destructor.
  int Flush();

  // Creates the user configuration folder with its missing parents. For the last
  // level: 1 created, 2 already there, 3 failed (or no folder configured); -1 before
  // Init or once it has succeeded in this process.
  int CreateUserConfigFolder();
  // Whether the file exists (a folder does not count). With inUserFolder the file of
  // the same name in the user configuration folder is tested and its path returned.
  bool IsFileExists(const std::string& path, bool inUserFolder, std::string& outPath);
  // The program's folder with a trailing separator; returns the target's text.
  static const char* GetApplicationDirectory(CString& target);

  // The recent-file list (at most 16, most recent first), kept in section
  // "RECENTFILES" of the user layer of the settings file. Nothing happens before Init.
  void AddRecentFile(const char* path);
  void DelRecentFile(const char* path);
  // Copies the list into out. With an extension (".prj") the entries of other types
  // are dropped from the list itself; with a root folder the entries below it are
  // given relative to it. Returns the number of entries in out.
  int GetRecentFiles(CStringArray& out, const char* extension, const char* root);
  // Replaces the stored list in one atomic write when it has changed. 1 when written
  // or unchanged, 0 on failure (GetLastError), the change kept for a later call.
  int FlushRecentFiles();

 private:
  Setwell();

  DWORD _ReadAndCache(const char* section, const char* key, const char* defaultValue, char* buffer, DWORD size,
                      const char* file, int userLayer);
  int _ReadAndCache(const char* section, const char* key, int defaultValue, const char* file, int userLayer);
  void _InitRecentFiles();

  CString m_SettingsFile;
  CString m_ApplicationDirectory;
  CString m_UserConfigFolder;
  int m_Initialised = 0;
  int m_UserFolderCreated = 0;
  int m_Dirty = 0;
  CStringArray m_RecentFiles;
  int m_RecentFilesLoaded = 0;
  int m_RecentFilesModified = 0;
  std::unique_ptr<CParamCache> m_SharedCache;
  std::unique_ptr<CParamCache> m_UserCache;

  static Setwell* m_Instance;
};
