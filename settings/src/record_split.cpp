#include <cstring>
#include <string>

#include "csv_reader.h"

namespace {

// CStringArray::Add takes a C string; this keeps NUL bytes.
void appendField(CStringArray& fields, const char* text, size_t length) {
  INT_PTR index = fields.GetSize();
  fields.SetSize(index + 1);
  fields[index] = CString(text, static_cast<int>(length));
}

// Reads the quoted field that starts after the opening quote at `at`; returns where it ended.
size_t readQuotedField(const char* line, size_t length, size_t at, std::string& field) {
  field.clear();
  while (at < length) {
    const void* quote = std::memchr(line + at, '"', length - at);
    size_t end = quote ? static_cast<size_t>(static_cast<const char*>(quote) - line) : length;
    field.append(line + at, end - at);
    if (end == length) return length;
    if (end + 1 < length && line[end + 1] == '"') {
      field += '"';
      at = end + 2;
    } else {
      return end + 1;
    }
  }
  return at;
}

size_t findSeparator(const char* line, size_t length, size_t at, char separator) {
  const void* found = std::memchr(line + at, separator, length - at);
  return found ? static_cast<size_t>(static_cast<const char*>(found) - line) : length;
}

}  // namespace

void SplitRecord(const char* line, size_t length, CStringArray& fields, char separator) {
  fields.RemoveAll();
  if (!line) return;
  std::string quoted;
  size_t at = 0;
  while (at < length) {
    if (line[at] == '"') {
      at = readQuotedField(line, length, at + 1, quoted);
      appendField(fields, quoted.data(), quoted.size());
      at = findSeparator(line, length, at, separator);
    } else {
      size_t end = findSeparator(line, length, at, separator);
      appendField(fields, line + at, end - at);
      at = end;
    }
    ++at;  // past the separator
  }
}
