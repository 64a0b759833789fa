#include "language_module_cases.h"

#include <filesystem>
#include <functional>
#include <string>

#include "program_folder.h"
#include "test_support.h"

namespace {

const std::string kBuilt = CORVEX_PROGRAM_DIR;
const std::string kCrafted = CORVEX_TEST_BIN_DIR "/crafted/";

class Layout {
 public:
  explicit Layout(const SuiteLibrary& library) : m_library(library) { m_folder.copyIn(builtLibrary(), libraryFile()); }

  std::string libraryFile() const { return std::string(m_library.name) + ".so"; }
  std::string moduleFile() const { return std::string("Lng/") + m_library.name + ".LNG"; }
  std::string builtLibrary() const { return kBuilt + "/" + libraryFile(); }
  std::string builtModule() const { return kBuilt + "/" + moduleFile(); }

  // Loads the library from the program folder, runs its init entry, reads its string.
  std::vector<std::string> run(const std::string& subfolder, const std::string& extension,
                               const std::string& library = "") const {
    return m_folder.runProbe({"set", subfolder, extension, "load",
                              m_folder.path(library.empty() ? libraryFile() : library), "init", m_library.initEntry,
                              "string", m_library.stringId});
  }
  std::string found() const { return std::string("string ") + m_library.stringId + " " + m_library.text; }
  std::string missing() const { return std::string("string ") + m_library.stringId + " "; }

  const ProgramFolder& folder() const { return m_folder; }

 private:
  SuiteLibrary m_library;
  ProgramFolder m_folder;
};

TEST_P(LanguageModuleTest, FoundInTheSubfolderBesideTheLibrary) {
  Layout layout(GetParam());
  layout.folder().copyIn(layout.builtModule(), layout.moduleFile());
  std::vector<std::string> lines = layout.run("Lng", "LNG");
  EXPECT_TRUE(Contains(lines, "init 1"));
  EXPECT_TRUE(Contains(lines, layout.found()));
  EXPECT_TRUE(layout.folder().warnings().empty());
}

TEST_P(LanguageModuleTest, NamesAreMatchedIgnoringCase) {
  Layout layout(GetParam());
  std::string lower = layout.moduleFile();
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  layout.folder().copyIn(layout.builtModule(), lower);
  std::vector<std::string> lines = layout.run("Lng", "LNG");
  EXPECT_TRUE(Contains(lines, "init 1")) << lower;
  EXPECT_TRUE(Contains(lines, layout.found()));
}

TEST_P(LanguageModuleTest, EmptySubfolderMeansBesideTheLibrary) {
  Layout layout(GetParam());
  layout.folder().copyIn(layout.builtModule(), std::string(GetParam().name) + ".LNG");
  EXPECT_TRUE(Contains(layout.run("", "LNG"), "init 1"));
}

TEST_P(LanguageModuleTest, NoExtensionLoadsNothing) {
  Layout layout(GetParam());
  layout.folder().copyIn(layout.builtModule(), layout.moduleFile());
  std::vector<std::string> lines = layout.run("Lng", "");
  EXPECT_TRUE(Contains(lines, "init 0"));
  EXPECT_TRUE(Contains(lines, layout.missing()));
  // Never set at all: the same.
  lines = layout.folder().runProbe({"load", layout.folder().path(layout.libraryFile()), "init", GetParam().initEntry});
  EXPECT_TRUE(Contains(lines, "init 0"));
  EXPECT_TRUE(layout.folder().warnings().empty());
}

TEST_P(LanguageModuleTest, LibraryPathTooLongToReadWholeLoadsNothing) {
  Layout layout(GetParam());
  std::string deep;
  while (deep.size() < 300) deep += std::string(60, 'd') + "/";
  layout.folder().linkLibraries(deep);
  layout.folder().copyIn(layout.builtLibrary(), deep + layout.libraryFile());
  layout.folder().copyIn(layout.builtModule(), deep + layout.moduleFile());
  std::vector<std::string> lines = layout.run("Lng", "LNG", deep + layout.libraryFile());
  EXPECT_TRUE(Contains(lines, "load 1"));
  EXPECT_TRUE(Contains(lines, "init 0"));
  EXPECT_TRUE(Contains(lines, layout.missing()));
}

TEST_P(LanguageModuleTest, UnloadingTheLibraryTakesItsTextsAway) {
  Layout layout(GetParam());
  layout.folder().copyIn(layout.builtModule(), layout.moduleFile());
  std::vector<std::string> lines = layout.folder().runProbe(
      {"set", "Lng", "LNG", "load", layout.folder().path(layout.libraryFile()), "init", GetParam().initEntry, "init",
       GetParam().initEntry, "free", "string", GetParam().stringId});
  EXPECT_EQ(lines, (std::vector<std::string>{"set 1 1", "load 1", "init 1", "init 1", "free 1", layout.missing()}));
}

// Each way a language module can be unusable: 0, one warning naming the file and the
// reason, nothing attached, no crash.
TEST_P(LanguageModuleTest, BadModulesAreRefusedWithOneWarning) {
  using Make = std::function<void(const Layout&, const std::string& path)>;
  auto copy = [](const std::string& source) {
    return [source](const Layout&, const std::string& path) { std::filesystem::copy_file(source, path); };
  };
  auto write = [](const std::string& content) {
    return [content](const Layout&, const std::string& path) { testing_support::WriteWholeFile(path, content); };
  };
  auto truncated = [](size_t size) {
    return [size](const Layout& layout, const std::string& path) {
      testing_support::WriteWholeFile(path, testing_support::ReadWholeFile(layout.builtModule()).substr(0, size));
    };
  };
  auto otherMachine = [](const Layout& layout, const std::string& path) {
    std::string elf = testing_support::ReadWholeFile(layout.builtModule());
    elf[18] = 3;  // e_machine: i386
    elf[19] = 0;
    testing_support::WriteWholeFile(path, elf);
  };
  struct Case {
    const char* what;
    Make make;
    const char* reason;
  } cases[] = {
      {"missing", [](const Layout&, const std::string&) {}, "file not found"},
      {"empty", write(""), "not a loadable shared object"},
      {"text", write("STRING 14385 \"not compiled\"\n"), "not a loadable shared object"},
      {"windows module", write("MZ\x90" + std::string(500, '\0')), "not a loadable shared object"},
      {"folder", [](const Layout&, const std::string& path) { std::filesystem::create_directory(path); },
       "not a loadable shared object"},
      {"header only", truncated(64), "not a loadable shared object"},
      {"first half", truncated(4096), "not a loadable shared object"},
      {"other machine", otherMachine, "not a loadable shared object"},
      {"no table", copy(kCrafted + "no_table.so"), "no resource table"},
      {"bad magic", copy(kCrafted + "bad_magic.so"), "damaged resource table"},
      {"bad version", copy(kCrafted + "bad_version.so"), "damaged resource table"},
      {"bad offset", copy(kCrafted + "bad_offset.so"), "damaged resource table"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Layout layout(GetParam());
    std::filesystem::create_directories(layout.folder().path("Lng"));
    const std::string modulePath = layout.folder().path(layout.moduleFile());
    c.make(layout, modulePath);
    std::vector<std::string> lines = layout.run("Lng", "LNG");
    EXPECT_TRUE(Contains(lines, "init 0"));
    EXPECT_TRUE(Contains(lines, layout.missing()));
    std::vector<std::string> warnings = layout.folder().warnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(std::string(" - D - Warning - ") + GetParam().logTitle + ": "), std::string::npos)
        << warnings[0];
    EXPECT_NE(warnings[0].find(modulePath + ": " + c.reason), std::string::npos) << warnings[0];
  }
}

// The hand-made table the damaged ones start from is itself good.
TEST_P(LanguageModuleTest, GoodEmptyTableIsAttached) {
  Layout layout(GetParam());
  std::filesystem::create_directories(layout.folder().path("Lng"));
  layout.folder().copyIn(kCrafted + "good_table.so", layout.moduleFile());
  std::vector<std::string> lines = layout.run("Lng", "LNG");
  EXPECT_TRUE(Contains(lines, "init 1"));
  EXPECT_TRUE(Contains(lines, layout.missing()));
}

}  // namespace
