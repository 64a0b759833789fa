#include "CorvexItems.h"
#include "platform_numbers.h"

CString CCorvexCurrencyItem::GetStrValue() const { return CString(platform::FormatDoubleC("%.5f", m_Value)); }
