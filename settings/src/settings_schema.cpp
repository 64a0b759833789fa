#include "SettingsSchema.h"

namespace {

using File = SettingFile;
using Layer = SettingLayer;

constexpr SettingSchemaEntry kSchema[SETTING_COUNT] = {
#define X(id, file, section, key, size, text, number, layer) \
  {File::file, section, key, size, text, number, Layer::layer},
    CORVEX_SETTINGS_SCHEMA(X)
#undef X
};

}  // namespace

const SettingSchemaEntry& SettingSchema(SettingId id) { return kSchema[id]; }
