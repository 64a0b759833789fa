// MFC collections: arrays indexed by INT_PTR and a map iterated with POSITION.
#pragma once

#include <map>
#include <vector>

#include "afxobject.h"
#include "afxstr.h"

typedef void* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// A growable array with MFC's members. Indices out of range are the caller's fault
// in MFC; here they are ignored (setters) or give a default value (getters).
template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
 public:
  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_items.empty(); }
  void SetSize(INT_PTR newSize, INT_PTR growBy = -1) {
    (void)growBy;
    m_items.resize(newSize > 0 ? static_cast<size_t>(newSize) : 0);
  }
  void RemoveAll() { m_items.clear(); }
  TYPE GetAt(INT_PTR index) const { return valid(index) ? m_items[static_cast<size_t>(index)] : TYPE(); }
  void SetAt(INT_PTR index, ARG_TYPE value) {
    if (valid(index)) m_items[static_cast<size_t>(index)] = value;
  }
  TYPE& ElementAt(INT_PTR index) { return m_items.at(static_cast<size_t>(index)); }
  const TYPE& operator[](INT_PTR index) const { return m_items.at(static_cast<size_t>(index)); }
  TYPE& operator[](INT_PTR index) { return ElementAt(index); }
  void SetAtGrow(INT_PTR index, ARG_TYPE value) {
    if (index < 0) return;
    if (index >= GetSize()) SetSize(index + 1);
    m_items[static_cast<size_t>(index)] = value;
  }
  INT_PTR Add(ARG_TYPE value) {
    m_items.push_back(value);
    return GetUpperBound();
  }
  INT_PTR Append(const CArray& other) {
    INT_PTR first = GetSize();
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    return first;
  }
  void Copy(const CArray& other) { m_items = other.m_items; }
  void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1) {
    if (index < 0 || count <= 0) return;
    if (index > GetSize()) SetSize(index);
    m_items.insert(m_items.begin() + index, static_cast<size_t>(count), value);
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1) {
    if (!valid(index) || count <= 0) return;
    INT_PTR end = index + count < GetSize() ? index + count : GetSize();
    m_items.erase(m_items.begin() + index, m_items.begin() + end);
  }

 private:
  bool valid(INT_PTR index) const { return index >= 0 && index < GetSize(); }
  std::vector<TYPE> m_items;
};

// Whole strings, NUL bytes included; text pointers convert on the way in.
class CStringArray : public CArray<CString, const CString&> {};

// An array of object pointers; it does not own the objects.
class CObArray : public CArray<CObject*, CObject*> {};

// A map with MFC's members. Iteration order is the key order.
template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
 public:
  explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
  void InitHashTable(UINT hashSize, BOOL allocNow = TRUE) {
    (void)hashSize;
    (void)allocNow;
  }
  INT_PTR GetCount() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetSize() const { return GetCount(); }
  BOOL IsEmpty() const { return m_items.empty(); }
  BOOL Lookup(ARG_KEY key, VALUE& value) const {
    auto found = m_items.find(KEY(key));
    if (found == m_items.end()) return FALSE;
    value = found->second;
    return TRUE;
  }
  void SetAt(ARG_KEY key, ARG_VALUE value) { m_items[KEY(key)] = value; }
  VALUE& operator[](ARG_KEY key) { return m_items[KEY(key)]; }
  BOOL RemoveKey(ARG_KEY key) { return m_items.erase(KEY(key)) ? TRUE : FALSE; }
  void RemoveAll() { m_items.clear(); }

  POSITION GetStartPosition() const { return m_items.empty() ? nullptr : toPosition(m_items.begin()); }
  // Returns the entry at `position` and moves it to the next one (null after the last).
  void GetNextAssoc(POSITION& position, KEY& key, VALUE& value) const {
    auto* entry = static_cast<const typename Items::value_type*>(position);
    key = entry->first;
    value = entry->second;
    auto next = m_items.upper_bound(entry->first);
    position = next == m_items.end() ? nullptr : toPosition(next);
  }

 private:
  typedef std::map<KEY, VALUE> Items;
  static POSITION toPosition(typename Items::const_iterator it) {
    return const_cast<void*>(static_cast<const void*>(&*it));
  }
  Items m_items;
};

class CMapStringToString : public CMap<CString, const char*, CString, const char*> {
 public:
  explicit CMapStringToString(INT_PTR blockSize = 10) : CMap(blockSize) {}
};

