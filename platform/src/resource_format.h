// The binary layout of a module's resource table, shared by the resource compiler
// (which writes it) and the platform (which reads it).
//
// The table is one exported byte array. Every number is a little-endian 32-bit word
// and every offset counts from the table's first byte. A text is an (offset, length)
// pair whose bytes are followed by a NUL inside the table.
//
//   header      kHeaderWords words, see HeaderWord
//   strings     stringCount x (id, text)                       sorted by id
//   dialogs     dialogCount x (id, record offset)              sorted by id
//   dialog      x, y, cx, cy, style, title, control count, then its controls
//   control     id, class, text, style, x, y, cx, cy, anchors
//   version     file version[4], product version[4], language, code page,
//               value count, then value count x (name, value)
//   texts       every text, NUL-terminated
#pragma once

#include <cstdint>

namespace resource_format {

// The exported table's symbol (CorvexResources.cmake exports it from programs too).
constexpr const char kTableSymbol[] = "corvex_resource_table";
constexpr uint32_t kMagic = 0x54525643;  // "CVRT"
constexpr uint32_t kFormatVersion = 1;

enum HeaderWord : uint32_t {
  kMagicWord,
  kFormatVersionWord,
  kTableSizeWord,
  kStringCountWord,
  kStringsOffsetWord,
  kDialogCountWord,
  kDialogsOffsetWord,
  kVersionOffsetWord,  // 0: no version block
  kHeaderWords
};

constexpr uint32_t kWord = 4;
constexpr uint32_t kHeaderSize = kHeaderWords * kWord;
constexpr uint32_t kStringEntrySize = 3 * kWord;
constexpr uint32_t kDialogEntrySize = 2 * kWord;
constexpr uint32_t kDialogRecordSize = 8 * kWord;
constexpr uint32_t kControlRecordSize = 11 * kWord;
constexpr uint32_t kVersionRecordSize = 11 * kWord;
constexpr uint32_t kVersionValueSize = 4 * kWord;
constexpr uint32_t kAllAnchors = 15;

}  // namespace resource_format
