#include "setting_counts.h"

int CountWithinCeiling(int count) {
  if (count < 0) return 0;
  return count > kSettingCountCeiling ? kSettingCountCeiling : count;
}
