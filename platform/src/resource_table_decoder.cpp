#include <cstring>

#include "resource_format.h"
#include "resource_table.h"

using namespace resource_format;

namespace platform {
namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the table's words are read in place");

class DecodeError {};

// Reads words and texts of a table, throwing DecodeError at anything out of bounds.
class TableReader {
 public:
  TableReader(const unsigned char* table, size_t size) : m_table(table), m_size(size) {}

  uint32_t word(uint64_t offset) const {
    require(offset + kWord <= m_size);
    uint32_t value;
    std::memcpy(&value, m_table + offset, kWord);
    return value;
  }
  int signedWord(uint64_t offset) const { return static_cast<int32_t>(word(offset)); }

  // The text whose (offset, length) pair is at `offset`. The compiler writes every text
  // once, so all the texts read add up to less than the table: more would mean shared
  // texts, by which a table of kilobytes could decode to gigabytes.
  std::string text(uint64_t offset) const {
    const uint64_t start = word(offset), length = word(offset + kWord);
    require(start + length < m_size && m_table[start + length] == '\0');
    m_textBytes += length + 1;
    require(m_textBytes <= m_size);
    return std::string(reinterpret_cast<const char*>(m_table + start), length);
  }

  // Checks that `count` records of `recordSize` bytes fit from `offset` on.
  void requireArea(uint64_t offset, uint64_t count, uint64_t recordSize) const {
    require(offset >= kHeaderSize && offset + count * recordSize <= m_size);
  }

  static void require(bool condition) {
    if (!condition) throw DecodeError();
  }

 private:
  const unsigned char* m_table;
  size_t m_size;
  mutable uint64_t m_textBytes = 0;
};

void readStrings(const TableReader& table, ModuleResources& resources) {
  const uint32_t count = table.word(kStringCountWord * kWord), offset = table.word(kStringsOffsetWord * kWord);
  table.requireArea(offset, count, kStringEntrySize);
  for (uint64_t entry = offset; entry < offset + uint64_t(count) * kStringEntrySize; entry += kStringEntrySize) {
    const UINT id = table.word(entry);
    TableReader::require(resources.strings.empty() || id > resources.strings.rbegin()->first);
    resources.strings.emplace_hint(resources.strings.end(), id, table.text(entry + kWord));
  }
}

DialogControlTemplate readControl(const TableReader& table, uint64_t record) {
  DialogControlTemplate control;
  control.id = table.signedWord(record);
  control.className = table.text(record + kWord);
  control.text = table.text(record + 3 * kWord);
  control.style = table.word(record + 5 * kWord);
  control.x = table.signedWord(record + 6 * kWord);
  control.y = table.signedWord(record + 7 * kWord);
  control.cx = table.signedWord(record + 8 * kWord);
  control.cy = table.signedWord(record + 9 * kWord);
  control.anchors = table.word(record + 10 * kWord);
  TableReader::require(control.anchors <= kAllAnchors);
  return control;
}

DialogTemplate readDialog(const TableReader& table, UINT id, uint64_t record) {
  table.requireArea(record, 1, kDialogRecordSize);
  DialogTemplate dialog;
  dialog.id = id;
  dialog.x = table.signedWord(record);
  dialog.y = table.signedWord(record + kWord);
  dialog.cx = table.signedWord(record + 2 * kWord);
  dialog.cy = table.signedWord(record + 3 * kWord);
  dialog.style = table.word(record + 4 * kWord);
  dialog.title = table.text(record + 5 * kWord);
  const uint32_t controlCount = table.word(record + 7 * kWord);
  const uint64_t controls = record + kDialogRecordSize;
  table.requireArea(controls, controlCount, kControlRecordSize);
  for (uint32_t i = 0; i < controlCount; ++i) dialog.controls.push_back(readControl(table, controls + i * kControlRecordSize));
  return dialog;
}

void readDialogs(const TableReader& table, ModuleResources& resources) {
  const uint32_t count = table.word(kDialogCountWord * kWord), offset = table.word(kDialogsOffsetWord * kWord);
  table.requireArea(offset, count, kDialogEntrySize);
  for (uint64_t entry = offset; entry < offset + uint64_t(count) * kDialogEntrySize; entry += kDialogEntrySize) {
    const UINT id = table.word(entry);
    TableReader::require(resources.dialogs.empty() || id > resources.dialogs.rbegin()->first);
    resources.dialogs.emplace_hint(resources.dialogs.end(), id, readDialog(table, id, table.word(entry + kWord)));
  }
}

WORD versionPart(const TableReader& table, uint64_t offset) {
  const uint32_t part = table.word(offset);
  TableReader::require(part <= 0xFFFF);
  return static_cast<WORD>(part);
}

void readVersion(const TableReader& table, ModuleResources& resources) {
  const uint32_t record = table.word(kVersionOffsetWord * kWord);
  if (record == 0) return;
  table.requireArea(record, 1, kVersionRecordSize);
  VersionInfo version;
  for (int i = 0; i < 4; ++i) {
    version.fileVersion[i] = versionPart(table, record + i * kWord);
    version.productVersion[i] = versionPart(table, record + (4 + i) * kWord);
  }
  version.language = versionPart(table, record + 8 * kWord);
  version.codePage = versionPart(table, record + 9 * kWord);
  const uint32_t valueCount = table.word(record + 10 * kWord);
  const uint64_t values = record + kVersionRecordSize;
  table.requireArea(values, valueCount, kVersionValueSize);
  for (uint64_t value = values; value < values + uint64_t(valueCount) * kVersionValueSize; value += kVersionValueSize)
    version.values[table.text(value)] = table.text(value + 2 * kWord);
  resources.version = std::move(version);
}

}  // namespace

std::unique_ptr<const ModuleResources> DecodeResourceTable(const unsigned char* table, size_t size) {
  if (!table || size < kHeaderSize) return nullptr;
  try {
    const TableReader header(table, size);
    TableReader::require(header.word(kMagicWord * kWord) == kMagic);
    TableReader::require(header.word(kFormatVersionWord * kWord) == kFormatVersion);
    const uint32_t tableSize = header.word(kTableSizeWord * kWord);
    TableReader::require(tableSize >= kHeaderSize && tableSize <= size);
    const TableReader reader(table, tableSize);
    auto resources = std::make_unique<ModuleResources>();
    readStrings(reader, *resources);
    readDialogs(reader, *resources);
    readVersion(reader, *resources);
    return resources;
  } catch (const DecodeError&) {
    return nullptr;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace platform
