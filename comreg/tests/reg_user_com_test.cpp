#include <dlfcn.h>
#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>

#include <string>

#include "objbase.h"
#include "tavix32.h"
#include "test_support.h"
#include "winerror.h"
#include "winreg.h"

namespace {

const char kProgId[] = TEST_SERVER_PROGID;
const char kClsid[] = TEST_SERVER_CLSID;

std::string server(const char* name) { return std::string(CORVEX_TEST_BIN_DIR) + "/" + name + ".so"; }

std::string realPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.c_str(), resolved) ? resolved : path;
}

bool isMapped(const std::string& path) {
  if (path.empty()) return false;  // dlopen would name the program itself
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

// The default value of a key, or "(absent)".
std::string defaultValue(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "(absent)";
  char text[MAX_PATH] = {};
  DWORD size = sizeof(text) - 1;
  LONG status = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? text : "(absent)";
}

// Where a write to HKEY_CLASSES_ROOT lands now: "scratch", "classes" or "nowhere".
std::string classesRootTarget() {
  const BYTE mark[] = "x";
  if (RegSetValueExA(HKEY_CLASSES_ROOT, "probe", 0, REG_SZ, mark, sizeof(mark)) != ERROR_SUCCESS) return "nowhere";
  RegDeleteValueA(HKEY_CLASSES_ROOT, "probe");
  HKEY key = nullptr;
  std::string target = "nowhere";
  for (const char* candidate : {"Scratch", "Software\\Classes"}) {
    if (RegOpenKeyA(HKEY_CURRENT_USER, candidate, &key) != ERROR_SUCCESS) continue;
    DWORD size = 0;
    RegSetValueExA(key, "seen", 0, REG_SZ, mark, sizeof(mark));
    if (RegQueryValueExA(HKEY_CLASSES_ROOT, "seen", nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS) {
      target = candidate == std::string("Scratch") ? "scratch" : "classes";
    }
    RegDeleteValueA(key, "seen");
    RegCloseKey(key);
  }
  return target;
}

void overrideClassesRootWithScratchKey() {
  HKEY scratch = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Scratch", &scratch), ERROR_SUCCESS);
  ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, scratch), ERROR_SUCCESS);
  RegCloseKey(scratch);  // the override keeps its own reference
  ASSERT_EQ(classesRootTarget(), "scratch");
}

class RegUserComTest : public testing::Test {
 protected:
  void SetUp() override { testing_support::RedirectUserAndMachineFolders(m_tmp.path()); }
  void TearDown() override { RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr); }

  testing_support::TempFolder m_tmp;
};

}  // namespace

TEST_F(RegUserComTest, RegistersUnderTheUsersClassesThenFindsTheProgId) {
  const std::string path = server("test_com_server");
  ASSERT_EQ(classesRootTarget(), "classes");  // a fresh hive has the classes key
  EXPECT_EQ(RegUserCom(path.c_str(), kProgId), S_OK);
  EXPECT_EQ(defaultValue(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + kProgId + "\\CLSID"), kClsid);
  EXPECT_EQ(defaultValue(HKEY_CURRENT_USER, std::string("Software\\Classes\\CLSID\\") + kClsid + "\\InprocServer32"),
            realPath(path));
  EXPECT_FALSE(isMapped(path));
  EXPECT_EQ(classesRootTarget(), "classes");

  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(u"Tamberlo.TestServer", &clsid), S_OK);
  EXPECT_EQ(clsid.Data1, 0x6B1D3C2Eu);
  // Registered already: the library is not even looked for.
  EXPECT_EQ(RegUserCom((m_tmp / "no/such/server.so").c_str(), kProgId), S_OK);
}

TEST_F(RegUserComTest, FailuresComeBackAsHresultsAndTheLibraryIsFreed) {
  testing_support::WriteWholeFile(m_tmp / "server.txt", "not a library\n");
  struct Case {
    std::string path;
    bool nullPath;
    HRESULT result;
  } cases[] = {
      {m_tmp / "missing.so", false, static_cast<HRESULT>(0x8007007E)},
      {server("test_com_server_needs_library"), false, static_cast<HRESULT>(0x8007007E)},
      {m_tmp / "server.txt", false, static_cast<HRESULT>(0x800700C1)},
      {m_tmp.path(), false, static_cast<HRESULT>(0x800700C1)},
      {"", false, static_cast<HRESULT>(0x80070057)},
      {"", true, static_cast<HRESULT>(0x80070057)},
      {server("test_com_server_no_export"), false, static_cast<HRESULT>(0x8007007F)},
      {server("test_com_server_fails"), false, SELFREG_E_CLASS},
  };
  for (const Case& c : cases) {
    for (const char* progId : {static_cast<const char*>(nullptr), "", "Tamberlo.Unregistered"}) {
      SCOPED_TRACE(c.path + " with " + (progId ? progId : "(null)"));
      EXPECT_EQ(RegUserCom(c.nullPath ? nullptr : c.path.c_str(), progId), c.result);
      EXPECT_FALSE(isMapped(c.path));
      EXPECT_EQ(classesRootTarget(), "classes");
    }
  }
  EXPECT_EQ(defaultValue(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + kProgId + "\\CLSID"), "(absent)");
}

// An override made by the caller survives failures before the redirection; once the
// redirection is made, the default classes root comes back whatever the outcome.
TEST_F(RegUserComTest, CallersOverrideKeptBeforeTheRedirectionAndUndoneAfter) {
  struct Case {
    std::string path;
    HRESULT result;
    const char* classesRootAfter;
  } cases[] = {
      {m_tmp / "missing.so", static_cast<HRESULT>(0x8007007E), "scratch"},
      {server("test_com_server_no_export"), static_cast<HRESULT>(0x8007007F), "scratch"},
      {server("test_com_server_fails"), SELFREG_E_CLASS, "classes"},
      {server("test_com_server"), S_OK, "classes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    overrideClassesRootWithScratchKey();
    EXPECT_EQ(RegUserCom(c.path.c_str(), kProgId), c.result);
    EXPECT_EQ(classesRootTarget(), c.classesRootAfter);
    EXPECT_FALSE(isMapped(c.path));
  }
  // The registration went to the user's classes, not to the caller's scratch key.
  EXPECT_EQ(defaultValue(HKEY_CURRENT_USER, std::string("Software\\Classes\\") + kProgId + "\\CLSID"), kClsid);
  EXPECT_EQ(defaultValue(HKEY_CURRENT_USER, std::string("Scratch\\") + kProgId + "\\CLSID"), "(absent)");
}

TEST_F(RegUserComTest, MissingClassesKeyGivesTheProgIdFailureOrTheRegistryStatus) {
  const std::string path = server("test_com_server");
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes"), ERROR_SUCCESS);
  EXPECT_EQ(RegUserCom(path.c_str(), kProgId), CO_E_CLASSSTRING);
  EXPECT_EQ(RegUserCom(path.c_str(), nullptr), static_cast<HRESULT>(0x80070002));
  EXPECT_EQ(RegUserCom(path.c_str(), ""), static_cast<HRESULT>(0x80070002));
  EXPECT_FALSE(isMapped(path));
}
