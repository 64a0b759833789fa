// CObject and CException: the roots of the MFC class tree the suite's classes derive from.
#pragma once

#include "wintypes.h"

class CArchive;

class CObject {
 public:
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& archive);

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// MFC throws exceptions by pointer: `throw new CFileException(...)`, caught as
// `catch (CException* e)` and released with e->Delete().
class CException : public CObject {
 public:
  virtual BOOL GetErrorMessage(LPSTR message, UINT maxLength, PUINT helpContext = nullptr) const;
  void Delete() { delete this; }
};
