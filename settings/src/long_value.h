// Whole numbers of settings texts read as the suite's 32-bit strtol reads them: a value
// past the 32-bit range gives the nearest end of it.
#pragma once

// `end` (may be null) receives where the reading stopped.
long StrtolInt32(const char* text, int base, const char** end = nullptr);
