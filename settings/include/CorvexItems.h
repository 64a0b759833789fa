// The items of the settings object's lists: currencies and default folders.
#pragma once

#include "afxobject.h"
#include "afxstr.h"

class CCorvexCurrencyItem : public CObject {
 public:
  CCorvexCurrencyItem() = default;
  CCorvexCurrencyItem(const CString& name, double value) : m_Name(name), m_Value(value) {}

  const CString& GetName() const { return m_Name; }
  void SetName(const CString& name) { m_Name = name; }
  double GetDValue() const { return m_Value; }
  void SetDValue(double value) { m_Value = value; }
  // The rate as "%.5f" in the C locale.
  CString GetStrValue() const;

 private:
  CString m_Name;
  double m_Value = 0.0;
};

class CCorvexFolderItem : public CObject {
 public:
  CCorvexFolderItem(const CString& code, const CString& label, const CString& id)
      : m_Code(code), m_Label(label), m_Id(id) {}

  const CString& GetCode() const { return m_Code; }
  const CString& GetLabel() const { return m_Label; }
  const CString& GetId() const { return m_Id; }
  void SetCode(const CString& code) { m_Code = code; }
  void SetLabel(const CString& label) { m_Label = label; }
  void SetId(const CString& id) { m_Id = id; }

 private:
  CString m_Code;   // the "DIRECTORIES_VISIBLE" value
  CString m_Label;  // the folder path
  CString m_Id;     // the key
};

// One column of a table layout ("Column<i>" and its companion keys).
class CCorvexColumnInfo : public CObject {
 public:
  CCorvexColumnInfo() = default;

  int GetIndex() const { return m_Index; }
  void SetIndex(int index) { m_Index = index; }
  // "Column<i>" = "<field>#<order>": the data the column shows and its place on screen.
  int GetField() const { return m_Field; }
  int GetOrder() const { return m_Order; }
  void SetFieldAndOrder(int field, int order) {
    m_Field = field;
    m_Order = order;
  }
  int GetAlignment() const { return m_Alignment; }
  void SetAlignment(int alignment) { m_Alignment = alignment; }
  float GetWidth() const { return m_Width; }
  void SetWidth(float width) { m_Width = width; }
  int GetDefaultWidth() const { return m_DefaultWidth; }
  void SetDefaultWidth(int width) { m_DefaultWidth = width; }

 private:
  int m_Index = 0;
  int m_Field = 0;
  int m_Order = 0;
  int m_Alignment = 0;
  float m_Width = 0.0f;
  int m_DefaultWidth = 1;
};
