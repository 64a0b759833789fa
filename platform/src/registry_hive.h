// The user's hive: keys and typed values in an SQLite database file.
//
// The file is created with mode 0600 and kept in WAL mode; each change is one
// IMMEDIATE transaction under a busy timeout, so several processes can write at
// once and a process killed in the middle of a write leaves the old or the new
// value. A file that is not a readable hive is reported, never replaced.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "registry_store.h"

struct sqlite3;
struct sqlite3_stmt;

namespace platform {
namespace registry {

class Hive : public KeyStore {
 public:
  // Opens the hive file, making a fresh hive (with Software\Classes) when the file is
  // missing or empty. Returns ERROR_BADDB, ERROR_REGISTRY_CORRUPT, ERROR_CANTOPEN...
  static LONG Open(const std::string& file, std::unique_ptr<Hive>& hive);
  ~Hive() override;
  Hive(const Hive&) = delete;
  Hive& operator=(const Hive&) = delete;

  static constexpr KeyId kRootKey = 1;

  // A connection carried into a forked child must not be used nor closed there.
  void Abandon();

  LONG Grant(REGSAM desired, REGSAM& granted) const override;
  LONG OpenKey(KeyId parent, const KeyPath& path, KeyId& key) override;
  LONG CreateKey(KeyId parent, const KeyPath& path, KeyId& key, bool& created) override;
  LONG DeleteKey(KeyId key) override;
  LONG SetValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size) override;
  LONG GetValue(KeyId key, const std::string& name, Value& value) override;
  LONG DeleteValue(KeyId key, const std::string& name) override;
  LONG SubkeyAt(KeyId key, DWORD index, std::string& name) override;
  LONG ValueAt(KeyId key, DWORD index, Value& value) override;
  LONG Flush(KeyId key) override;

  // A transaction spanning many calls: changes made until it ends are savepoints in it,
  // visible to other connections only once it is committed.
  LONG BeginTransaction();
  // Commits (else rolls back) the transaction; a failed commit rolls it back.
  LONG EndTransaction(bool commit);

 private:
  explicit Hive(sqlite3* db) : m_db(db) {}
  class Statement;

  LONG UseWriteAheadLog();
  LONG CheckOrInitialize();
  LONG Initialize();
  Statement Prepare(const char* sql);
  LONG Execute(const char* sql);
  // The first column of the first row of a one-row query.
  LONG QueryNumber(const char* sql, int64_t& number);
  // Runs `change` in one IMMEDIATE transaction, or in a savepoint of the running one:
  // kept on success, else rolled back.
  LONG Change(const std::function<LONG()>& change);
  // Change, for a change that writes with one statement.
  LONG Write(const std::function<LONG()>& change);
  LONG KeyExists(KeyId key);
  LONG FindChild(KeyId parent, const std::string& name, KeyId& child);
  LONG AddChild(KeyId parent, const std::string& name, KeyId& child);
  LONG ListValues(KeyId key, std::vector<Value>& values);

  // The values of the key enumerated last, as of a version of the hive.
  struct Listing {
    KeyId key = 0;
    int64_t version = -1;  // PRAGMA data_version: commits of other connections
    int64_t changes = -1;  // rows changed by this connection
    std::vector<Value> values;
  };

  // The key opened last, by its parent and path, while no key was added or removed:
  // `version` is PRAGMA data_version (commits of other connections), `keyChanges`
  // counts this connection's key changes.
  struct OpenedPath {
    KeyId parent = 0;
    KeyPath path;
    KeyId key = 0;
    int64_t version = -1;
    uint64_t keyChanges = 0;
  };

  sqlite3* m_db;
  std::unordered_map<const char*, sqlite3_stmt*> m_statements;
  Listing m_listing;
  OpenedPath m_opened;
  uint64_t m_keyChanges = 0;
};

}  // namespace registry
}  // namespace platform
