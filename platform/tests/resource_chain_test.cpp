#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "afxdll.h"
#include "afxstr.h"
#include "test_support.h"
#include "winmodule.h"
#include "winresource.h"

namespace {

const std::string kTestBin = CORVEX_TEST_BIN_DIR;
const std::string kOne = kTestBin + "/Lng/ResTestOne.LNG";
const std::string kTwo = kTestBin + "/Lng/ResTestTwo.LNG";

std::string chainString(UINT id) {
  std::string text;
  return platform::LoadResourceString(id, text) ? text : "<missing>";
}

// A language module attached to the chain the way an extension library attaches.
struct AttachedModule {
  explicit AttachedModule(const std::string& path) : module(AfxLoadLibrary(path.c_str())) {
    AfxInitExtensionModule(extension, module);
    new CDynLinkLibrary(extension);
  }
  ~AttachedModule() { detach(); }
  void detach() {
    if (!module) return;
    AfxTermExtensionModule(extension);
    AfxFreeLibrary(module);
    module = nullptr;
  }
  HMODULE module;
  AFX_EXTENSION_MODULE extension;
};

}  // namespace

TEST(ResourceChain, ProgramFirstThenTheLatestAttached) {
  EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr));
  EXPECT_EQ(chainString(301), "<missing>");
  {
    AttachedModule one(kOne);
    ASSERT_NE(one.module, nullptr);
    AttachedModule two(kTwo);
    ASSERT_NE(two.module, nullptr);

    const struct {
      UINT id;
      const char* text;
    } cases[] = {
        {200, "program: found first"},   // in the program and in one
        {300, "two: found before one"},  // in one and in two
        {301, "one: only here"},
        {302, "two: only here"},
        {999, "<missing>"},
    };
    for (const auto& c : cases) EXPECT_EQ(chainString(c.id), c.text) << c.id;
    CString loaded("stale");
    EXPECT_TRUE(loaded.LoadString(302));
    EXPECT_STREQ(loaded, "two: only here");
    EXPECT_FALSE(loaded.LoadString(999));
    EXPECT_STREQ(loaded, "");
    EXPECT_STREQ(CString(MAKEINTRESOURCE(301)), "one: only here");
    EXPECT_EQ(platform::FindDialogTemplate(4105).value().title, "Sign in");
    EXPECT_EQ(platform::FindDialogTemplate(4106).value().title, "Two's dialog");

    // The resource handle replaces the program at the head of the search; the
    // program's own table is then out of it.
    AfxSetResourceHandle(one.module);
    EXPECT_EQ(chainString(200), "one: shadowed by the program");
    EXPECT_EQ(chainString(100), "<missing>");
    EXPECT_EQ(platform::FindDialogTemplate(4105).value().title, "One's dialog");
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr));

    two.detach();
    EXPECT_EQ(chainString(300), "one: shadowed by two");
    EXPECT_EQ(chainString(302), "<missing>");
  }
  EXPECT_EQ(chainString(301), "<missing>");
  EXPECT_EQ(GetModuleHandleA(kOne.c_str()), nullptr);
}

TEST(ResourceChain, DestroyingALibraryObjectTakesItOut) {
  AFX_EXTENSION_MODULE extension;
  HMODULE two = AfxLoadLibrary(kTwo.c_str());
  ASSERT_TRUE(AfxInitExtensionModule(extension, two));
  auto* library = new CDynLinkLibrary(extension);
  EXPECT_EQ(library->m_hResource, two);
  EXPECT_EQ(chainString(302), "two: only here");
  delete library;
  EXPECT_EQ(chainString(302), "<missing>");
  AfxTermExtensionModule(extension);  // nothing left to delete
  EXPECT_TRUE(AfxFreeLibrary(two));
}

TEST(ResourceChain, UnloadingAnExtensionLibraryEndsItsLanguageModule) {
  HMODULE library = LoadLibraryA((kTestBin + "/ResTestExt.so").c_str());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(chainString(500), "extension library's own string");

  // Through void (*)(): the cast g++ accepts between unrelated function types.
  auto attach = reinterpret_cast<int (*)(const char*)>(
      reinterpret_cast<void (*)()>(GetProcAddress(library, "ResTestExtAttachLanguage")));
  ASSERT_NE(attach, nullptr);
  ASSERT_EQ(attach(kOne.c_str()), 1);
  EXPECT_EQ(chainString(500), "<missing>");  // its resources are now the language module's
  EXPECT_EQ(chainString(301), "one: only here");
  std::string cached = chainString(300);

  EXPECT_TRUE(FreeLibrary(library));
  EXPECT_EQ(GetModuleHandleA(kOne.c_str()), nullptr);
  EXPECT_EQ(chainString(301), "<missing>");
  EXPECT_EQ(chainString(300), "<missing>");
  EXPECT_EQ(cached, "one: shadowed by two");  // copied out, still valid
}

TEST(ResourceChain, SearchesWhileLibrariesAttachAndDetach) {
  HMODULE one = AfxLoadLibrary(kOne.c_str());
  ASSERT_NE(one, nullptr);
  std::atomic<bool> done{false};
  std::atomic<int> wrong{0};
  std::vector<std::thread> searchers;
  for (int i = 0; i < 3; ++i)
    searchers.emplace_back([&] {
      while (!done) {
        std::string text = chainString(301);
        if (text != "one: only here" && text != "<missing>") ++wrong;
      }
    });
  for (int round = 0; round < 300; ++round) {
    AFX_EXTENSION_MODULE extension;
    AfxInitExtensionModule(extension, one);
    new CDynLinkLibrary(extension);
    AfxTermExtensionModule(extension);
  }
  done = true;
  for (std::thread& searcher : searchers) searcher.join();
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(AfxFreeLibrary(one));
}

// Libraries load strings and use handles from their unload code, after main has
// returned: nothing they reach may be destroyed before them.
TEST(ResourceChain, LibrariesStillUseThePlatformAfterMainReturns) {
  const testing_support::ChildResult probe = testing_support::RunProgram(kTestBin + "/unload_probe", {});
  EXPECT_EQ(probe.exitCode, 0) << probe.output;
}
