// CreateTransaction and its ends. A transaction closed without a commit is rolled back.
#include "registry_transaction.h"

#include <atomic>
#include <memory>

#include "kernel_handles.h"
#include "ktmw32.h"
#include "registry_handles.h"

namespace platform {
namespace registry {
namespace {

class Transaction : public KernelObject {
 public:
  explicit Transaction(uint64_t id) : m_id(id) {}
  ~Transaction() override { Session().EndTransaction(m_id, false); }
  uint64_t id() const { return m_id; }

 private:
  uint64_t m_id;
};

BOOL End(HANDLE handle, bool commit) {
  const uint64_t id = TransactionId(handle);
  LONG status = id ? Session().EndTransaction(id, commit) : ERROR_INVALID_HANDLE;
  if (status == ERROR_SUCCESS) return TRUE;
  SetLastError(static_cast<DWORD>(status));
  return FALSE;
}

}  // namespace

uint64_t TransactionId(HANDLE handle) {
  auto transaction = std::dynamic_pointer_cast<Transaction>(FindHandle(handle));
  return transaction ? transaction->id() : 0;
}

}  // namespace registry
}  // namespace platform

HANDLE CreateTransaction(LPSECURITY_ATTRIBUTES, LPVOID, DWORD, DWORD, DWORD, DWORD, LPWSTR) {
  static std::atomic<uint64_t> lastId{0};
  return platform::AddHandle(std::make_unique<platform::registry::Transaction>(++lastId));
}

BOOL CommitTransaction(HANDLE TransactionHandle) { return platform::registry::End(TransactionHandle, true); }

BOOL RollbackTransaction(HANDLE TransactionHandle) { return platform::registry::End(TransactionHandle, false); }
