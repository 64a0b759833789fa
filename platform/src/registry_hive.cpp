#include "registry_hive.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <functional>

namespace platform {
namespace registry {
namespace {

// Marks the file as a hive of ours ("CRVX"), so another SQLite database is refused.
constexpr int kApplicationId = 0x43525658;
constexpr int kSchemaVersion = 1;
constexpr int kBusyTimeoutMs = 10000;

const char* const kSchema[] = {
    // Names are kept as created and compared without regard to ASCII case (NOCASE).
    // AUTOINCREMENT: a key id is never reused, so a handle to a deleted key stays dead.
    "CREATE TABLE keys(id INTEGER PRIMARY KEY AUTOINCREMENT, parent INTEGER NOT NULL,"
    " name TEXT NOT NULL COLLATE NOCASE, UNIQUE(parent, name))",
    "CREATE TABLE vals(key INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE,"
    " type INTEGER NOT NULL, data BLOB NOT NULL, UNIQUE(key, name))",
    // Values enumerate in the order they were first written: an index entry ends with the rowid.
    "CREATE INDEX vals_in_order ON vals(key)",
    "INSERT INTO keys(id, parent, name) VALUES (1, 0, '')",
    "INSERT INTO keys(id, parent, name) VALUES (2, 1, 'Software')",
    "INSERT INTO keys(id, parent, name) VALUES (3, 2, 'Classes')",
};

LONG StatusOf(int code) {
  switch (code & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return ERROR_SUCCESS;
    case SQLITE_NOTADB:
      return ERROR_BADDB;
    case SQLITE_CORRUPT:
      return ERROR_REGISTRY_CORRUPT;
    case SQLITE_CANTOPEN:
      return ERROR_CANTOPEN;
    case SQLITE_FULL:
      return ERROR_DISK_FULL;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH:
      return ERROR_ACCESS_DENIED;
    case SQLITE_NOMEM:
      return ERROR_OUTOFMEMORY;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return ERROR_LOCK_VIOLATION;
    case SQLITE_TOOBIG:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_REGISTRY_IO_FAILED;
  }
}

}  // namespace

// A cached prepared statement, reset for reuse when it goes out of scope.
class Hive::Statement {
 public:
  Statement(sqlite3_stmt* stmt, int prepareCode) : m_stmt(stmt), m_prepareCode(prepareCode) {}
  Statement(Statement&& other) noexcept : m_stmt(other.m_stmt), m_prepareCode(other.m_prepareCode) {
    other.m_stmt = nullptr;
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement() {
    if (!m_stmt) return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
  }

  Statement& Bind(int index, int64_t number) {
    if (m_stmt) sqlite3_bind_int64(m_stmt, index, number);
    return *this;
  }
  Statement& Bind(int index, const std::string& text) {
    if (m_stmt) sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& BindBlob(int index, const BYTE* data, DWORD size) {
    // A zero-length blob still binds as a blob, not as NULL.
    static const BYTE kNothing = 0;
    if (m_stmt) sqlite3_bind_blob64(m_stmt, index, size ? data : &kNothing, size, SQLITE_TRANSIENT);
    return *this;
  }

  // SQLITE_ROW, SQLITE_DONE or an error code.
  int Step() { return m_stmt ? sqlite3_step(m_stmt) : m_prepareCode; }
  // Steps through every row; SQLITE_DONE or an error code.
  int Run() {
    int code;
    while ((code = Step()) == SQLITE_ROW) {
    }
    return code;
  }

  int64_t Number(int column) const { return sqlite3_column_int64(m_stmt, column); }
  bool IsNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
  std::string Bytes(int column) const {
    const void* data = sqlite3_column_blob(m_stmt, column);
    int size = sqlite3_column_bytes(m_stmt, column);
    return data ? std::string(static_cast<const char*>(data), static_cast<size_t>(size)) : std::string();
  }

 private:
  sqlite3_stmt* m_stmt;
  int m_prepareCode;
};

LONG Hive::Open(const std::string& file, std::unique_ptr<Hive>& hive) {
  // Made here rather than by SQLite so that it is private from the start; the -wal
  // and -shm files take the same mode. An existing file is never touched.
  int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd >= 0) ::close(fd);

  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  std::unique_ptr<Hive> opened(new Hive(db));
  if (code != SQLITE_OK) return StatusOf(code);
  sqlite3_extended_result_codes(db, 1);
  sqlite3_busy_timeout(db, kBusyTimeoutMs);
  // Checked before anything is written, so a file that is not a hive stays as it is.
  LONG status = opened->CheckOrInitialize();
  if (status == ERROR_SUCCESS) status = opened->UseWriteAheadLog();
  if (status == ERROR_SUCCESS) hive = std::move(opened);
  return status;
}

Hive::~Hive() {
  if (!m_db) return;
  for (auto& entry : m_statements) sqlite3_finalize(entry.second);
  sqlite3_close(m_db);
}

void Hive::Abandon() {
  m_statements.clear();
  m_db = nullptr;
}

Hive::Statement Hive::Prepare(const char* sql) {
  auto found = m_statements.find(sql);
  if (found != m_statements.end()) return Statement(found->second, SQLITE_OK);
  sqlite3_stmt* stmt = nullptr;
  int code = sqlite3_prepare_v3(m_db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
  if (code != SQLITE_OK) return Statement(nullptr, code);
  m_statements.emplace(sql, stmt);
  return Statement(stmt, SQLITE_OK);
}

LONG Hive::Execute(const char* sql) { return StatusOf(Prepare(sql).Run()); }

LONG Hive::UseWriteAheadLog() {
  Statement journal = Prepare("PRAGMA journal_mode=WAL");
  int code = journal.Step();
  if (code != SQLITE_ROW) return StatusOf(code);
  if (journal.Bytes(0) != "wal") return ERROR_LOCK_VIOLATION;
  // In WAL mode NORMAL survives any process crash; RegFlushKey makes it durable on disk.
  return Execute("PRAGMA synchronous=NORMAL");
}

LONG Hive::QueryNumber(const char* sql, int64_t& number) {
  Statement query = Prepare(sql);
  int code = query.Step();
  if (code == SQLITE_ROW) number = query.Number(0);
  return code == SQLITE_DONE ? ERROR_REGISTRY_CORRUPT : StatusOf(code);
}

LONG Hive::CheckOrInitialize() {
  int64_t application = 0, tables = 0, version = 0;
  LONG status = QueryNumber("PRAGMA application_id", application);
  if (status == ERROR_SUCCESS && application == 0) {
    status = QueryNumber("SELECT count(*) FROM sqlite_master", tables);
    if (status != ERROR_SUCCESS) return status;
    return tables == 0 ? Initialize() : ERROR_BADDB;
  }
  if (status == ERROR_SUCCESS && application != kApplicationId) return ERROR_BADDB;
  if (status == ERROR_SUCCESS) status = QueryNumber("PRAGMA user_version", version);
  if (status == ERROR_SUCCESS && version != kSchemaVersion) return ERROR_BADDB;
  if (status != ERROR_SUCCESS) return status;

  Statement check = Prepare("PRAGMA quick_check");
  int code = check.Step();
  if (code != SQLITE_ROW) return code == SQLITE_DONE ? ERROR_REGISTRY_CORRUPT : StatusOf(code);
  return check.Bytes(0) == "ok" ? ERROR_SUCCESS : ERROR_REGISTRY_CORRUPT;
}

LONG Hive::Initialize() {
  return Change([this]() -> LONG {
    // Another process may have made the hive since the first look.
    int64_t application = 0;
    LONG status = QueryNumber("PRAGMA application_id", application);
    if (status != ERROR_SUCCESS || application == kApplicationId) return status;
    for (const char* sql : kSchema) {
      status = StatusOf(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr));
      if (status != ERROR_SUCCESS) return status;
    }
    const std::string stamp = "PRAGMA application_id=" + std::to_string(kApplicationId) +
                              "; PRAGMA user_version=" + std::to_string(kSchemaVersion);
    return StatusOf(sqlite3_exec(m_db, stamp.c_str(), nullptr, nullptr, nullptr));
  });
}

LONG Hive::Change(const std::function<LONG()>& change) {
  const bool nested = !sqlite3_get_autocommit(m_db);
  LONG status = Execute(nested ? "SAVEPOINT change" : "BEGIN IMMEDIATE");
  if (status != ERROR_SUCCESS) return status;
  status = change();
  if (status == ERROR_SUCCESS) status = Execute(nested ? "RELEASE change" : "COMMIT");
  if (status == ERROR_SUCCESS) return status;
  if (nested) {
    Execute("ROLLBACK TO change");
    Execute("RELEASE change");
  } else {
    Execute("ROLLBACK");
  }
  return status;
}

LONG Hive::Write(const std::function<LONG()>& change) {
  // One write statement is atomic by itself: inside a transaction it needs no savepoint.
  return sqlite3_get_autocommit(m_db) ? Change(change) : change();
}

LONG Hive::BeginTransaction() { return Execute("BEGIN IMMEDIATE"); }

LONG Hive::EndTransaction(bool commit) {
  LONG status = commit ? Execute("COMMIT") : ERROR_SUCCESS;
  if (!commit || status != ERROR_SUCCESS) Execute("ROLLBACK");
  return status;
}

LONG Hive::Grant(REGSAM desired, REGSAM& granted) const {
  granted = (desired & MAXIMUM_ALLOWED) ? KEY_ALL_ACCESS : desired;
  return ERROR_SUCCESS;
}

LONG Hive::KeyExists(KeyId key) {
  Statement find = Prepare("SELECT 1 FROM keys WHERE id = ?");
  int code = find.Bind(1, key).Step();
  if (code == SQLITE_DONE) return ERROR_KEY_DELETED;
  return StatusOf(code);
}

LONG Hive::FindChild(KeyId parent, const std::string& name, KeyId& child) {
  Statement find = Prepare("SELECT id FROM keys WHERE parent = ? AND name = ?");
  int code = find.Bind(1, parent).Bind(2, name).Step();
  if (code == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
  if (code == SQLITE_ROW) child = find.Number(0);
  return StatusOf(code);
}

LONG Hive::AddChild(KeyId parent, const std::string& name, KeyId& child) {
  int code = Prepare("INSERT INTO keys(parent, name) VALUES (?, ?)").Bind(1, parent).Bind(2, name).Run();
  child = sqlite3_last_insert_rowid(m_db);
  return StatusOf(code);
}

LONG Hive::OpenKey(KeyId parent, const KeyPath& path, KeyId& key) {
  // The suite opens one key again and again (the token store, a value at a time): while
  // no key was added or removed, the last lookup stands for the price of one query.
  // While this connection holds a transaction, no other one commits.
  int64_t version = m_opened.version;
  LONG status = sqlite3_get_autocommit(m_db) ? QueryNumber("PRAGMA data_version", version) : ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  if (m_opened.version == version && m_opened.keyChanges == m_keyChanges && m_opened.parent == parent &&
      m_opened.path == path) {
    key = m_opened.key;
    return ERROR_SUCCESS;
  }
  status = KeyExists(parent);
  KeyId current = parent;
  for (size_t i = 0; status == ERROR_SUCCESS && i < path.size(); ++i) status = FindChild(current, path[i], current);
  if (status != ERROR_SUCCESS) return status;
  key = current;
  m_opened = OpenedPath{parent, path, current, version, m_keyChanges};
  return ERROR_SUCCESS;
}

LONG Hive::CreateKey(KeyId parent, const KeyPath& path, KeyId& key, bool& created) {
  ++m_keyChanges;
  return Change([&]() -> LONG {
    LONG status = KeyExists(parent);
    KeyId current = parent;
    created = false;
    for (size_t i = 0; status == ERROR_SUCCESS && i < path.size(); ++i) {
      status = FindChild(current, path[i], current);
      created = status == ERROR_FILE_NOT_FOUND;
      if (created) status = AddChild(current, path[i], current);
    }
    if (status == ERROR_SUCCESS) key = current;
    return status;
  });
}

LONG Hive::DeleteKey(KeyId key) {
  ++m_keyChanges;
  return Change([&]() -> LONG {
    LONG status = KeyExists(key);
    if (status != ERROR_SUCCESS) return status;
    if (key == kRootKey) return ERROR_ACCESS_DENIED;
    int code = Prepare("SELECT 1 FROM keys WHERE parent = ? LIMIT 1").Bind(1, key).Step();
    if (code == SQLITE_ROW) return ERROR_ACCESS_DENIED;
    if (code != SQLITE_DONE) return StatusOf(code);
    status = StatusOf(Prepare("DELETE FROM vals WHERE key = ?").Bind(1, key).Run());
    if (status != ERROR_SUCCESS) return status;
    return StatusOf(Prepare("DELETE FROM keys WHERE id = ?").Bind(1, key).Run());
  });
}

LONG Hive::SetValue(KeyId key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
  return Write([&]() -> LONG {
    LONG status = KeyExists(key);
    if (status != ERROR_SUCCESS) return status;
    // Rewriting keeps the value's place in the enumeration and the case of its name.
    Statement write = Prepare(
        "INSERT INTO vals(key, name, type, data) VALUES (?, ?, ?, ?)"
        " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data");
    return StatusOf(write.Bind(1, key).Bind(2, name).Bind(3, type).BindBlob(4, data, size).Run());
  });
}

LONG Hive::GetValue(KeyId key, const std::string& name, Value& value) {
  // One query asks for the key and its value: a read of the hive, not two.
  Statement read = Prepare(
      "SELECT vals.name, vals.type, vals.data FROM keys LEFT JOIN vals ON vals.key = keys.id AND vals.name = ?"
      " WHERE keys.id = ?");
  int code = read.Bind(1, name).Bind(2, key).Step();
  if (code == SQLITE_DONE) return ERROR_KEY_DELETED;
  if (code != SQLITE_ROW) return StatusOf(code);
  if (read.IsNull(0)) return ERROR_FILE_NOT_FOUND;
  value = Value{read.Bytes(0), static_cast<DWORD>(read.Number(1)), read.Bytes(2)};
  return ERROR_SUCCESS;
}

LONG Hive::DeleteValue(KeyId key, const std::string& name) {
  return Write([&]() -> LONG {
    LONG status = KeyExists(key);
    if (status != ERROR_SUCCESS) return status;
    status = StatusOf(Prepare("DELETE FROM vals WHERE key = ? AND name = ?").Bind(1, key).Bind(2, name).Run());
    if (status == ERROR_SUCCESS && sqlite3_changes(m_db) == 0) status = ERROR_FILE_NOT_FOUND;
    return status;
  });
}

LONG Hive::SubkeyAt(KeyId key, DWORD index, std::string& name) {
  LONG status = KeyExists(key);
  if (status != ERROR_SUCCESS) return status;
  Statement read = Prepare("SELECT name FROM keys WHERE parent = ? ORDER BY name LIMIT 1 OFFSET ?");
  int code = read.Bind(1, key).Bind(2, static_cast<int64_t>(index)).Step();
  if (code == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
  if (code != SQLITE_ROW) return StatusOf(code);
  name = read.Bytes(0);
  return ERROR_SUCCESS;
}

LONG Hive::ValueAt(KeyId key, DWORD index, Value& value) {
  // A walk over n values reads the key once, not n times: the listing is kept until
  // this or another connection changes the hive.
  int64_t version = 0;
  LONG status = QueryNumber("PRAGMA data_version", version);
  if (status != ERROR_SUCCESS) return status;
  const int64_t changes = sqlite3_total_changes64(m_db);
  if (m_listing.key != key || m_listing.version != version || m_listing.changes != changes) {
    m_listing = Listing();
    status = ListValues(key, m_listing.values);
    if (status != ERROR_SUCCESS) return status;
    m_listing.key = key;
    m_listing.version = version;
    m_listing.changes = changes;
  }
  if (index >= m_listing.values.size()) return ERROR_NO_MORE_ITEMS;
  value = m_listing.values[index];
  return ERROR_SUCCESS;
}

LONG Hive::ListValues(KeyId key, std::vector<Value>& values) {
  LONG status = KeyExists(key);
  if (status != ERROR_SUCCESS) return status;
  Statement read = Prepare("SELECT name, type, data FROM vals WHERE key = ? ORDER BY rowid");
  read.Bind(1, key);
  int code;
  while ((code = read.Step()) == SQLITE_ROW)
    values.push_back(Value{read.Bytes(0), static_cast<DWORD>(read.Number(1)), read.Bytes(2)});
  return StatusOf(code);
}

LONG Hive::Flush(KeyId key) {
  LONG status = KeyExists(key);
  // Checkpointing syncs the log and copies it into the database file.
  return status == ERROR_SUCCESS ? Execute("PRAGMA wal_checkpoint(PASSIVE)") : status;
}

}  // namespace registry
}  // namespace platform
