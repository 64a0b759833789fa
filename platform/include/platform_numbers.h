// Number text read and written in the C locale, whatever locale the process runs in
// (Qt sets the environment's locale at start-up, which would turn "2.5" into 2).
#pragma once

#include <string>

namespace platform {

// strtod, atof and atol of the C locale.
double StrtodC(const char* text, char** end);
double AtofC(const char* text);
long long AtolC(const char* text);

// printf of one double with a format of one conversion ("%.2f", "%4f", ...).
std::string FormatDoubleC(const char* format, double value);

}  // namespace platform
