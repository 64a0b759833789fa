// Reference counting of the browser objects: a counter from 0, changed with interlocked
// increments and decrements, the object deleted when it comes back to 0. Objects are held
// only by CefRefPtr.
#pragma once

#include <atomic>
#include <utility>

class CefBaseRefCounted {
 public:
  virtual void AddRef() const = 0;
  // True when this call deleted the object.
  virtual bool Release() const = 0;
  virtual bool HasOneRef() const = 0;
  virtual bool HasAtLeastOneRef() const = 0;

 protected:
  virtual ~CefBaseRefCounted() = default;
};

// The counter behind the four calls above.
class CefRefCount {
 public:
  void AddRef() const { m_count.fetch_add(1, std::memory_order_relaxed); }
  // True when the count came back to 0: the owner deletes itself.
  bool Release() const { return m_count.fetch_sub(1, std::memory_order_acq_rel) == 1; }
  bool HasOneRef() const { return m_count.load(std::memory_order_acquire) == 1; }
  bool HasAtLeastOneRef() const { return m_count.load(std::memory_order_acquire) != 0; }

 private:
  mutable std::atomic<int> m_count{0};
};

// The four calls for a class that counts with a CefRefCount of its own.
#define IMPLEMENT_REFCOUNTING(ClassName)                                          \
 public:                                                                          \
  void AddRef() const override { m_refCount.AddRef(); }                           \
  bool Release() const override {                                                 \
    if (!m_refCount.Release()) return false;                                      \
    delete static_cast<const ClassName*>(this);                                   \
    return true;                                                                  \
  }                                                                               \
  bool HasOneRef() const override { return m_refCount.HasOneRef(); }              \
  bool HasAtLeastOneRef() const override { return m_refCount.HasAtLeastOneRef(); } \
                                                                                  \
 private:                                                                         \
  CefRefCount m_refCount

// A counted reference: holds one reference to its object while it points at it.
template <class T>
class CefRefPtr {
 public:
  CefRefPtr() = default;
  CefRefPtr(std::nullptr_t) {}
  CefRefPtr(T* object) : m_object(object) { addRef(); }
  CefRefPtr(const CefRefPtr& other) : CefRefPtr(other.m_object) {}
  CefRefPtr(CefRefPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
  template <class U>
  CefRefPtr(const CefRefPtr<U>& other) : CefRefPtr(other.get()) {}
  ~CefRefPtr() { release(); }

  CefRefPtr& operator=(CefRefPtr other) noexcept {
    std::swap(m_object, other.m_object);
    return *this;
  }

  T* get() const { return m_object; }
  T* operator->() const { return m_object; }
  T& operator*() const { return *m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  operator T*() const { return m_object; }

 private:
  void addRef() const {
    if (m_object) m_object->AddRef();
  }
  void release() const {
    if (m_object) m_object->Release();
  }

  T* m_object = nullptr;
};
