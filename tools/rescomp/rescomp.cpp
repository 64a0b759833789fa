// rescomp <source.rc> <output.cpp>: compiles a resource source into a C++ source that
// defines the module's resource table. On an error nothing is written and the exit
// status is 1.
#include <fstream>
#include <iostream>
#include <sstream>

#include "resource_source_parser.h"
#include "resource_table_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: rescomp <source.rc> <output.cpp>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot open\n";
    return 1;
  }
  std::string source;
  try {
    ModuleResources resources = ParseResourceSource(in, argv[1]);
    source = TableSource(BuildResourceTable(resources), argv[1]);
  } catch (const ResourceSourceError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << source;
  if (!out.flush()) {
    std::cerr << argv[2] << ": cannot write\n";
    return 1;
  }
  return 0;
}
