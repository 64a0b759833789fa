// Counts read from settings files ("HierarchieCount", "NbColumns"), kept to what the
// suite can use: a damaged file must not make the start-up loop for ever.
#pragma once

// Far past any real settings file.
constexpr int kSettingCountCeiling = 1024;

// 0 for a negative count, the ceiling for a larger one, else the count.
int CountWithinCeiling(int count);
