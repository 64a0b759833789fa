// Upper-casing of UTF-8 text by whole characters.
#pragma once

#include <string>

// Each well-formed UTF-8 character in its upper case ("é" gives "É"); other bytes as
// they are.
std::string UpperCaseUtf8(const std::string& text);
