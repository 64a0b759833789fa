#include "column_layout.h"

#include <cstdlib>

#include "CorvexItems.h"
#include "Setwell.h"
#include "platform_numbers.h"
#include "setting_counts.h"
#include "setting_read.h"

namespace {

constexpr int kColumnSize = 8;
constexpr int kNumberSize = 32;

CString numbered(const char* name, int index) {
  CString key;
  key.Format("%s%d", name, index);
  return key;
}

// "<field>#<order>"; both 0 without "#" or when the order is not below the count.
void readFieldAndOrder(const CString& text, int count, CCorvexColumnInfo& column) {
  const int hash = text.Find('#');
  if (hash < 0) return;
  const int order = std::atoi(text.Mid(hash + 1));
  if (order >= count) return;
  column.SetFieldAndOrder(std::atoi(text.Left(hash)), order);
}

CCorvexColumnInfo* readColumn(const char* file, const char* section, int i, int count) {
  auto* column = new CCorvexColumnInfo;
  column->SetIndex(i - 1);
  readFieldAndOrder(ReadSettingText(file, section, numbered("Column", i), kColumnSize, "", 1), count, *column);
  const CString alignment = ReadSettingText(file, section, numbered("ColumnAlignment", i), kNumberSize, "", 1);
  if (!alignment.IsEmpty()) column->SetAlignment(std::atoi(alignment));
  const CString width = ReadSettingText(file, section, numbered("ColumnWidth", i), kNumberSize, "", 1);
  column->SetWidth(static_cast<float>(platform::AtofC(width)));
  const CString defaultWidth = ReadSettingText(file, section, numbered("ColumnDefaultWidth", i), kNumberSize, "", 1);
  if (!defaultWidth.IsEmpty()) column->SetDefaultWidth(std::atoi(defaultWidth));
  return column;
}

void write(const char* file, const char* section, const CString& key, const CString& value) {
  Setwell::GetInstance()->WriteParameter(section, key, value, file, 1);
}

CString integer(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

}  // namespace

void LoadColumnLayout(const char* file, const char* section, CObArray& columns) {
  FreeColumnLayout(columns);
  const int count = CountWithinCeiling(Setwell::GetInstance()->ReadIntParameter(section, "NbColumns", 0, file, 1, 0));
  for (int i = 1; i <= count; ++i) columns.Add(readColumn(file, section, i, count));
}

void SaveColumnLayout(const char* file, const char* section, int displayLines, const CObArray& columns) {
  write(file, section, "NbDisplayLines", integer(displayLines));
  write(file, section, "NbColumns", integer(static_cast<int>(columns.GetSize())));
  for (INT_PTR k = 0; k < columns.GetSize(); ++k) {
    const auto* column = static_cast<const CCorvexColumnInfo*>(columns[k]);
    const int i = static_cast<int>(k + 1);
    write(file, section, numbered("Column", i), integer(column->GetField()) + "#" + integer(column->GetOrder()));
    write(file, section, numbered("ColumnAlignment", i), integer(column->GetAlignment()));
    // Nine significant digits give the same float back.
    write(file, section, numbered("ColumnWidth", i), CString(platform::FormatDoubleC("%.9g", column->GetWidth())));
    write(file, section, numbered("ColumnDefaultWidth", i), integer(column->GetDefaultWidth()));
  }
}

void FreeColumnLayout(CObArray& columns) {
  for (INT_PTR i = 0; i < columns.GetSize(); ++i) delete columns[i];
  columns.RemoveAll();
}
