// The cases every suite library with a language module must pass: where its module
// is found, and what happens with each kind of bad module. A library's test suite
// instantiates them:
//
//   INSTANTIATE_TEST_SUITE_P(Network, LanguageModuleTest, ::testing::Values(SuiteLibrary{...}));
#pragma once

#include <gtest/gtest.h>

#include <ostream>

struct SuiteLibrary {
  const char* name;       // "CorvexNetwork": <name>.so, Lng/<name>.LNG
  const char* initEntry;  // "InitCorvexNetworkDLL"
  const char* stringId;   // a string of its language module ...
  const char* text;       // ... and its text
  const char* logTitle;   // title of the library's log lines
};

inline std::ostream& operator<<(std::ostream& out, const SuiteLibrary& library) { return out << library.name; }

class LanguageModuleTest : public ::testing::TestWithParam<SuiteLibrary> {};
