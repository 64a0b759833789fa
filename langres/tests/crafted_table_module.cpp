// A language module with a hand-made resource table: a good empty one, or one damaged
// as the compile definitions say; or no table at all (NO_TABLE).
#include <cstdint>

#include "resource_format.h"

#ifdef NO_TABLE
extern "C" const uint32_t some_other_data[1] = {1};
#else
#ifndef TABLE_MAGIC
#define TABLE_MAGIC resource_format::kMagic
#endif
#ifndef TABLE_FORMAT_VERSION
#define TABLE_FORMAT_VERSION resource_format::kFormatVersion
#endif
#ifndef TABLE_STRING_COUNT
#define TABLE_STRING_COUNT 0
#endif
#ifndef TABLE_STRINGS_OFFSET
#define TABLE_STRINGS_OFFSET resource_format::kHeaderSize
#endif

extern "C" const uint32_t corvex_resource_table[resource_format::kHeaderWords] = {TABLE_MAGIC,
                                                                                  TABLE_FORMAT_VERSION,
                                                                                  resource_format::kHeaderSize,
                                                                                  TABLE_STRING_COUNT,
                                                                                  TABLE_STRINGS_OFFSET,
                                                                                  0,
                                                                                  resource_format::kHeaderSize,
                                                                                  0};
#endif
