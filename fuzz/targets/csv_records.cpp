// The CSV reader and the record splitter: any bytes as an information file, read line by
// line and split the way the information import does, then read again record by record.
#include <string>

#include "csv_reader.h"
#include "fuzz_support.h"
#include "infos_lines.h"

using fuzzing::Require;

namespace {

constexpr int kInfosFieldCount = 8;  // the fields of an information line

void importLines(const char* path) {
  CSVReader reader(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText);
  CString line;
  CStringArray fields;
  while (reader.ReadString(line)) {
    Require(static_cast<size_t>(line.GetLength()) <= CSVReader::kMaxLineLength, "lines over the cap are passed over");
    if (!IsCleanInfosLine(line)) continue;
    SplitRecord(line.GetString(), static_cast<size_t>(line.GetLength()), fields);
    Require(fields.GetSize() <= line.GetLength(), "no more fields than bytes");
    fields.SetSize(kInfosFieldCount);
    for (INT_PTR i = 0; i < fields.GetSize(); ++i) fields[i].Trim();
  }
}

void readRecords(const char* path) {
  CSVReader reader;
  Require(reader.Open(path, CFile::modeRead | CFile::typeBinary), "the file opens");
  CStringArray fields;
  while (reader.ReadRecord(fields))
    Require(static_cast<size_t>(fields.GetSize()) <= CSVReader::kMaxLineLength + 1, "no more fields than bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  static const std::string path = fuzzing::PrivateFolder() + "/infos.csv";
  fuzzing::WriteFile(path, data, size);
  importLines(path.c_str());
  readRecords(path.c_str());
  CStringArray fields;
  SplitRecord(reinterpret_cast<const char*>(data), size, fields, ',');
  return 0;
}
