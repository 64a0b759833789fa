// Lays resources out as resource_format.h says, and wraps the table in a C++ source.
#pragma once

#include <string>
#include <vector>

#include "resource_table.h"

std::vector<unsigned char> BuildResourceTable(const ModuleResources& resources);

// A C++ source defining the exported table (extern "C", resource_format::kTableSymbol).
std::string TableSource(const std::vector<unsigned char>& table, const std::string& sourceName);
