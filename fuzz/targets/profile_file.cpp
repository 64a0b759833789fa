// Profile files: any bytes as a settings file, read the ways the settings layers read it
// (section and key lists, values whole and cut short, numbers, whole sections), then one
// value written and read back.
#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "winprofile.h"

using fuzzing::Require;

namespace {

constexpr DWORD kListSize = 65520;  // the size the settings layer's list reads start with
constexpr DWORD kValueSize = 4096;  // the size of a whole-value read
constexpr size_t kKeysRead = 16;    // keys read per input: each read reads the file again

// The names of a list up to its first empty one, as the settings layer walks it.
std::vector<std::string> namesOf(const std::vector<char>& list, DWORD count) {
  Require(count < list.size() && list[count] == '\0' && (count == 0 || list[count - 1] == '\0'),
          "a list ends with a name's zero and its own");
  std::vector<std::string> names;
  for (DWORD start = 0; start < count;) {
    const std::string name(&list[start]);
    if (name.empty()) break;
    names.push_back(name);
    start += static_cast<DWORD>(name.size()) + 1;
  }
  return names;
}

// One list buffer for all reads: a fresh 64 KB per read would cost more than the parse.
std::vector<char>& listBuffer() {
  static std::vector<char> list(kListSize);
  return list;
}

std::vector<std::string> sectionNames(const char* path) {
  return namesOf(listBuffer(), GetPrivateProfileSectionNamesA(listBuffer().data(), kListSize, path));
}

std::vector<std::string> keyNames(const std::string& section, const char* path) {
  return namesOf(listBuffer(),
                 GetPrivateProfileStringA(section.c_str(), nullptr, "", listBuffer().data(), kListSize, path));
}

std::vector<std::string> entries(const std::string& section, const char* path) {
  return namesOf(listBuffer(), GetPrivateProfileSectionA(section.c_str(), listBuffer().data(), kListSize, path));
}

// The value whole, and cut to a buffer of `cutSize` (1 to 3) bytes.
std::string value(const std::string& section, const std::string& key, DWORD cutSize, const char* path) {
  char whole[kValueSize];
  const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", whole, kValueSize, path);
  Require(count < kValueSize && whole[count] == '\0', "a value ends with its zero");
  char cut[3];
  const DWORD cutCount = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", cut, cutSize, path);
  Require(cutCount < cutSize && std::strlen(cut) == cutCount, "a cut value fits its buffer");
  GetPrivateProfileIntA(section.c_str(), key.c_str(), -1, path);
  return std::string(whole, count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  static const std::string path = fuzzing::PrivateFolder() + "/fuzz.ini";
  fuzzing::WriteFile(path, data, size);
  struct Read {
    std::string section, key, value;
  };
  std::vector<Read> reads;
  const std::vector<std::string> sections = sectionNames(path.c_str());
  for (const std::string& section : sections) {
    entries(section, path.c_str());
    for (const std::string& key : keyNames(section, path.c_str()))
      if (reads.size() < kKeysRead)
        reads.push_back({section, key, value(section, key, 1 + reads.size() % 3, path.c_str())});
  }
  const std::string section = sections.empty() ? "Fuzz" : sections.front();
  Require(WritePrivateProfileStringA(section.c_str(), "FuzzKey", "fuzz value", path.c_str()), "the write succeeds");
  Require(value(section, "FuzzKey", 3, path.c_str()) == "fuzz value", "the written value reads back");
  for (const Read& read : reads)
    if (strcasecmp(read.key.c_str(), "FuzzKey") != 0)
      Require(value(read.section, read.key, 3, path.c_str()) == read.value, "the write leaves the other values");
  return 0;
}
