// Reads a resource source. One statement per line; '#' starts a comment line.
//
//   STRING <id> "<text>"
//   DIALOG <id> <x> <y> <cx> <cy> "<title>" [<style>]
//     CONTROL <id> "<class>" "<text>" <style> <x> <y> <cx> <cy> [<anchors>]
//   END
//   VERSION FILEVERSION <a.b.c.d>
//   VERSION PRODUCTVERSION <a.b.c.d>
//   VERSION LANGUAGE <language id> <code page>
//   VERSION VALUE "<name>" "<value>"
//
// Numbers are decimal or 0x-hexadecimal. Anchors are NONE or sides joined by '|'
// (LEFT|TOP|RIGHT|BOTTOM); a control without them is anchored LEFT|TOP. Quoted text
// takes the C escapes (\n \t \" \\ \x41 \101 ...). Keywords ignore case.
#pragma once

#include <istream>
#include <stdexcept>
#include <string>

#include "resource_table.h"

// Thrown with "<file>:<line>: <what is wrong>".
class ResourceSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

ModuleResources ParseResourceSource(std::istream& in, const std::string& fileName);
