#include "registry_handles.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform_paths.h"
#include "registry_hive.h"
#include "registry_machine.h"

namespace platform {
namespace registry {
namespace {

constexpr uintptr_t kFirstHandle = 0x1000;
constexpr char kHiveFileName[] = "/registry.db";

struct OpenHive {
  std::unique_ptr<Hive> hive;
  std::string file;
  pid_t pid = 0;
  dev_t device = 0;
  ino_t inode = 0;
  uint64_t generation = 0;
};

struct State {
  std::mutex mutex;
  std::map<uintptr_t, KeyRef> handles;
  uintptr_t nextHandle = kFirstHandle;
  std::map<HKEY, KeyRef> overrides;
  OpenHive current;
  uint64_t lastGeneration = 0;
  uint64_t transaction = 0;  // running on the current hive, 0 for none
  MachineKeys machine;
  // Connections a forked child inherited: neither usable nor closable there.
  std::vector<std::unique_ptr<Hive>> carriedOverFork;
};

State& state() {
  static State* s = new State;  // never destroyed: registry calls may come from exit handlers
  return *s;
}

bool SameFile(const OpenHive& open, const std::string& file, const struct stat& st) {
  return open.hive && open.file == file && open.pid == getpid() && open.device == st.st_dev && open.inode == st.st_ino;
}

// Closing checkpoints the log into the hive file, so the file alone holds everything.
void CloseHiveAtExit() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.current.pid == getpid()) s.current = OpenHive();
}

// The hive of the current home, reopened when the home, the process or the file changed.
LONG CurrentHive(OpenHive*& result) {
  State& s = state();
  // A running transaction stays on its hive, unlooked-at.
  if (s.transaction && s.current.hive && s.current.pid == getpid()) {
    result = &s.current;
    return ERROR_SUCCESS;
  }
  // The open hive is checked by one look at its file; the folder is made only for a new one.
  std::string file = UserStateFolderName() + kHiveFileName;
  struct stat st {};
  if (stat(file.c_str(), &st) == 0 && SameFile(s.current, file, st)) {
    result = &s.current;
    return ERROR_SUCCESS;
  }
  const std::string folder = UserStateFolder();
  if (folder.empty()) return ERROR_PATH_NOT_FOUND;
  file = folder + kHiveFileName;
  // A transaction of a hive left behind is rolled back when its connection closes.
  s.transaction = 0;
  if (s.current.hive && s.current.pid != getpid()) {
    s.current.hive->Abandon();
    s.carriedOverFork.push_back(std::move(s.current.hive));
  }
  s.current = OpenHive();
  std::unique_ptr<Hive> hive;
  LONG status = Hive::Open(file, hive);
  if (status != ERROR_SUCCESS) return status;
  if (stat(file.c_str(), &st) != 0) return ERROR_CANTOPEN;
  s.current = OpenHive{std::move(hive), file, getpid(), st.st_dev, st.st_ino, ++s.lastGeneration};
  static const bool closedAtExit = std::atexit(CloseHiveAtExit) == 0;
  (void)closedAtExit;
  result = &s.current;
  return ERROR_SUCCESS;
}

LONG PredefinedKey(HKEY handle, KeyRef& ref) {
  State& s = state();
  auto overridden = s.overrides.find(handle);
  if (overridden != s.overrides.end()) {
    ref = overridden->second;
    return ERROR_SUCCESS;
  }
  if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_USERS) {
    ref = KeyRef{false, handle == HKEY_USERS ? MachineKeys::kUsersRoot : MachineKeys::kLocalMachineRoot, 0, KEY_READ};
    return ERROR_SUCCESS;
  }
  OpenHive* open = nullptr;
  LONG status = CurrentHive(open);
  if (status != ERROR_SUCCESS) return status;
  ref = KeyRef{true, Hive::kRootKey, open->generation, KEY_ALL_ACCESS};
  if (handle == HKEY_CLASSES_ROOT) return open->hive->OpenKey(Hive::kRootKey, {"Software", "Classes"}, ref.id);
  return ERROR_SUCCESS;
}

}  // namespace

bool IsPredefined(HKEY handle) {
  return handle == HKEY_CLASSES_ROOT || handle == HKEY_CURRENT_USER || handle == HKEY_LOCAL_MACHINE ||
         handle == HKEY_USERS;
}

Session::Session() : m_lock(state().mutex) {}

LONG Session::Resolve(HKEY handle, REGSAM needed, ResolvedKey& key) {
  State& s = state();
  if (IsPredefined(handle)) {
    LONG status = PredefinedKey(handle, key.ref);
    if (status != ERROR_SUCCESS) return status;
  } else {
    auto found = s.handles.find(reinterpret_cast<uintptr_t>(handle));
    if (found == s.handles.end()) return ERROR_INVALID_HANDLE;
    key.ref = found->second;
  }
  if ((key.ref.access & needed) != needed) return ERROR_ACCESS_DENIED;
  if (!key.ref.inHive) {
    key.store = &s.machine;
    return ERROR_SUCCESS;
  }
  OpenHive* open = nullptr;
  LONG status = CurrentHive(open);
  if (status != ERROR_SUCCESS) return status;
  if (open->generation != key.ref.hiveGeneration) return ERROR_KEY_DELETED;
  if (key.ref.transaction && key.ref.transaction != s.transaction) return ERROR_TRANSACTION_NOT_ACTIVE;
  key.store = open->hive.get();
  return ERROR_SUCCESS;
}

LONG Session::BeginTransaction(uint64_t id) {
  State& s = state();
  OpenHive* open = nullptr;
  LONG status = CurrentHive(open);
  if (status != ERROR_SUCCESS || s.transaction == id) return status;
  if (s.transaction) return ERROR_TRANSACTIONAL_CONFLICT;
  status = open->hive->BeginTransaction();
  if (status == ERROR_SUCCESS) s.transaction = id;
  return status;
}

LONG Session::EndTransaction(uint64_t id, bool commit) {
  State& s = state();
  OpenHive* open = nullptr;
  LONG status = CurrentHive(open);
  if (status != ERROR_SUCCESS) return status;
  if (s.transaction != id) return commit ? ERROR_TRANSACTION_NOT_ACTIVE : ERROR_SUCCESS;
  s.transaction = 0;
  return open->hive->EndTransaction(commit);
}

HKEY Session::AddHandle(const KeyRef& ref) {
  State& s = state();
  uintptr_t value = s.nextHandle;
  s.nextHandle += 4;
  s.handles[value] = ref;
  return reinterpret_cast<HKEY>(value);
}

LONG Session::CloseHandle(HKEY handle) {
  if (IsPredefined(handle)) return ERROR_SUCCESS;
  return state().handles.erase(reinterpret_cast<uintptr_t>(handle)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Session::Override(HKEY predefined, const KeyRef* replacement) {
  if (!IsPredefined(predefined)) return ERROR_INVALID_HANDLE;
  if (replacement)
    state().overrides[predefined] = *replacement;
  else
    state().overrides.erase(predefined);
  return ERROR_SUCCESS;
}

}  // namespace registry
}  // namespace platform
