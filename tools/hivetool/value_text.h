// Registry types and data as the tool writes and reads them on the command line.
#pragma once

#include <string>

#include "winreg.h"

namespace hivetool {

std::string TypeName(DWORD type);
bool TypeFromName(const std::string& name, DWORD& type);

// Text, 0x-hex numbers, "\0"-joined strings, or bytes in hex.
std::string DataText(DWORD type, const std::string& bytes);
// The bytes to store for `text` given as /d; false if the text does not fit the type.
bool DataFromText(DWORD type, const std::string& text, std::string& bytes);

}  // namespace hivetool
