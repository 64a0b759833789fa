// The hive shared by processes: concurrent writers, a writer killed mid-write, damaged files.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

#include "ktmw32.h"
#include "registry_test_support.h"

using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

pid_t StartChild(const std::function<int()>& body) {
  fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) _exit(body());
  return pid;
}

int WaitChild(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int WriteMany(const std::string& prefix, int count) {
  HKEY key = nullptr;
  if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Shared", &key) != ERROR_SUCCESS) return 1;
  for (int i = 0; i < count; ++i) {
    const std::string name = prefix + std::to_string(i);
    if (SetText(key, name.c_str(), name) != ERROR_SUCCESS) return 2;
  }
  return RegCloseKey(key) == ERROR_SUCCESS ? 0 : 3;
}

// The bytes of an SQLite database of some other program, in rollback-journal mode.
std::string ForeignDatabase(const std::string& file) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES ('keep me')", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return ReadWholeFile(file);
}

}  // namespace

TEST_F(RegistryTest, TwoProcessesWritingAtOnceLoseNothing) {
  HKEY key = CreateUserKey("Software\\Shared");  // the parent's connection must not leak into the children
  const int kCount = 300;
  pid_t first = StartChild([] { return WriteMany("first-", kCount); });
  pid_t second = StartChild([] { return WriteMany("second-", kCount); });
  EXPECT_EQ(WaitChild(first), 0);
  EXPECT_EQ(WaitChild(second), 0);

  for (const char* prefix : {"first-", "second-"}) {
    for (int i = 0; i < kCount; ++i) {
      const std::string name = prefix + std::to_string(i);
      ASSERT_EQ(QueryText(key, name.c_str()), name);
    }
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, WriterKilledMidWriteLeavesOldOrNewValue) {
  const size_t kSize = 256 * 1024;
  for (int round = 0; round < 4; ++round) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t writer = StartChild([&] {
      HKEY key = CreateUserKey("Software\\Killed");
      for (unsigned n = 0;; ++n) {
        // Each version of the value is one repeated byte: a mix would show a torn write.
        std::string data(kSize, static_cast<char>('a' + n % 26));
        if (RegSetValueExA(key, "blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())) != ERROR_SUCCESS)
          return 1;
        if (n == 0 && write(ready[1], "x", 1) != 1) return 2;
      }
    });
    close(ready[1]);
    char byte;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    usleep(static_cast<useconds_t>(3000 + round * 7000));
    kill(writer, SIGKILL);
    ASSERT_EQ(WaitChild(writer), 128 + SIGKILL);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Killed", &key), ERROR_SUCCESS);
    std::string data(kSize, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    ASSERT_EQ(RegQueryValueExA(key, "blob", nullptr, nullptr, reinterpret_cast<BYTE*>(&data[0]), &size),
              ERROR_SUCCESS);
    ASSERT_EQ(size, kSize);
    EXPECT_EQ(data.find_first_not_of(data[0]), std::string::npos) << "round " << round;
    EXPECT_EQ(SetText(key, "after", "ok"), ERROR_SUCCESS);
    RegCloseKey(key);
  }
}

TEST_F(RegistryTest, DamagedHiveGivesAnErrorAndIsKeptAsItIs) {
  // A real hive to damage: written here, then left by pointing the home elsewhere.
  HKEY key = CreateUserKey("Software\\Halvorn\\Ondra");
  for (int i = 0; i < 200; ++i) ASSERT_EQ(SetText(key, ("v" + std::to_string(i)).c_str(), std::string(200, 'x')), 0);
  RegCloseKey(key);
  TempFolder elsewhere;
  platform::SetUserHome(elsewhere.path());
  ASSERT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  const std::string valid = ReadWholeFile(HiveFile());
  ASSERT_GT(valid.size(), 8192u);

  struct Case {
    const char* what;
    std::string content;  // empty: a folder stands in the file's place
  };
  const Case cases[] = {
      {"garbage", std::string(8192, '\x5a')},
      {"truncated", valid.substr(0, valid.size() / 2)},
      {"header only", valid.substr(0, 100)},
      {"another program's database", ForeignDatabase(m_tmp / "foreign.db")},
      {"folder", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder home;
    const std::string folder = home / ".halvorn", file = folder + "/registry.db";
    ASSERT_TRUE(platform::MakeFolders(folder, 0700));
    if (c.content.empty())
      ASSERT_TRUE(platform::MakeFolders(file));
    else
      ASSERT_TRUE(WriteWholeFile(file, c.content));
    platform::SetUserHome(home.path());

    HKEY opened = nullptr;
    const LONG status = RegOpenKeyA(HKEY_CURRENT_USER, "Software", &opened);
    EXPECT_TRUE(status == ERROR_BADDB || status == ERROR_REGISTRY_CORRUPT || status == ERROR_CANTOPEN) << status;
    EXPECT_NE(SetText(HKEY_CURRENT_USER, "v", "d"), ERROR_SUCCESS);
    struct stat st {};
    ASSERT_EQ(stat(file.c_str(), &st), 0);
    if (c.content.empty())
      EXPECT_TRUE(S_ISDIR(st.st_mode));
    else
      EXPECT_EQ(ReadWholeFile(file), c.content);
    platform::SetUserHome(elsewhere.path());
    ASSERT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  }
}

// Another process sees a transaction's values only once it commits, and never those of
// one rolled back; keys opened below a transacted key belong to the transaction.
TEST_F(RegistryTest, TransactionsCommitTogetherOrNotAtAll) {
  RegCloseKey(CreateUserKey("Software\\Store"));
  const auto seenByAnotherProcess = [](const char* name) {
    return testing_support::RunInChild([name] {
      HKEY key = nullptr;
      if (RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Store", &key) != ERROR_SUCCESS) return 2;
      LONG status = ERROR_SUCCESS;
      QueryText(key, name, &status);
      return status == ERROR_SUCCESS ? 1 : 0;
    });
  };

  HANDLE transaction = CreateTransaction(nullptr, nullptr, 0, 0, 0, 0, nullptr);
  HKEY user = nullptr, store = nullptr;
  ASSERT_EQ(RegOpenKeyTransactedA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, &user, transaction, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyA(user, "Software\\Store", &store), ERROR_SUCCESS);
  ASSERT_EQ(SetText(store, "first", "1"), ERROR_SUCCESS);
  ASSERT_EQ(SetText(store, "second", "2"), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(store, "first"), "1");  // this process sees its own writes
  EXPECT_EQ(seenByAnotherProcess("first"), 0);
  HANDLE other = CreateTransaction(nullptr, nullptr, 0, 0, 0, 0, nullptr);
  HKEY refused = nullptr;
  EXPECT_EQ(RegOpenKeyTransactedA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &refused, other, nullptr),
            ERROR_TRANSACTIONAL_CONFLICT);
  EXPECT_TRUE(CommitTransaction(transaction));
  EXPECT_EQ(seenByAnotherProcess("second"), 1);
  EXPECT_EQ(SetText(store, "late", "3"), ERROR_TRANSACTION_NOT_ACTIVE);
  RegCloseKey(store);
  RegCloseKey(user);
  CloseHandle(transaction);

  // Closed without a commit: rolled back. A commit with nothing opened reports nothing done.
  ASSERT_EQ(RegOpenKeyTransactedA(HKEY_CURRENT_USER, "Software\\Store", 0, KEY_ALL_ACCESS, &store, other, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(SetText(store, "dropped", "4"), ERROR_SUCCESS);
  RegCloseKey(store);
  CloseHandle(other);
  EXPECT_EQ(seenByAnotherProcess("dropped"), 0);
  HANDLE empty = CreateTransaction(nullptr, nullptr, 0, 0, 0, 0, nullptr);
  EXPECT_FALSE(CommitTransaction(empty));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TRANSACTION_NOT_ACTIVE));
  CloseHandle(empty);
}

// A key opened again after another process replaced it is the new key, not the one
// this process looked up before.
TEST_F(RegistryTest, ReopeningFollowsKeysReplacedByAnotherProcess) {
  HKEY key = CreateUserKey("Software\\Replaced");
  ASSERT_EQ(SetText(key, "old", "1"), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Replaced", &key), ERROR_SUCCESS);
  RegCloseKey(key);
  ASSERT_EQ(testing_support::RunInChild([] {
              // The filler takes the deleted key's id, so the new key gets another one.
              HKEY filler = nullptr, fresh = nullptr;
              if (RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Replaced") != ERROR_SUCCESS) return 1;
              if (RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Filler", &filler) != ERROR_SUCCESS) return 2;
              return RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Replaced", &fresh) == ERROR_SUCCESS ? 0 : 3;
            }),
            0);
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Replaced", &key), ERROR_SUCCESS);
  ASSERT_EQ(SetText(key, "new", "2"), ERROR_SUCCESS);
  RegCloseKey(key);
  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", &software), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyA(software, "Replaced", &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "new"), "2");
  LONG status = ERROR_SUCCESS;
  QueryText(key, "old", &status);
  EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  RegCloseKey(software);
}
