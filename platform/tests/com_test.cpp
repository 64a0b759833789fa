#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "afxstr.h"
#include "objbase.h"
#include "test_support.h"
#include "winreg.h"

namespace {

void registerProgId(const char* progId, DWORD type, const std::string& text) {
  HKEY key = nullptr;
  std::string path = std::string(progId) + "\\CLSID";
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

}  // namespace

TEST(CLSIDFromProgID, ReadsABracedGuidFromTheClassesRoot) {
  testing_support::TempFolder tmp;
  testing_support::RedirectUserAndMachineFolders(tmp.path());
  const GUID expected{0x6B1D3C2E, 0x8A4F, 0x4E1B, {0x9C, 0x0D, 0x2F, 0x3A, 0x4B, 0x5C, 0x6D, 0x7E}};
  struct Case {
    const char16_t* progId;
    const char* registered;
    DWORD type;
    HRESULT result;
  } cases[] = {
      {u"App.Upper", "{6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7E}", REG_SZ, S_OK},
      {u"App.Lower", "{6b1d3c2e-8a4f-4e1b-9c0d-2f3a4b5c6d7e}", REG_SZ, S_OK},
      {u"App.NoBraces", "6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7E", REG_SZ, CO_E_CLASSSTRING},
      {u"App.Short", "{6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7}", REG_SZ, CO_E_CLASSSTRING},
      {u"App.Dash", "{6B1D3C2E-8A4F-4E1B-9C0D+2F3A4B5C6D7E}", REG_SZ, CO_E_CLASSSTRING},
      {u"App.Hex", "{6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7G}", REG_SZ, CO_E_CLASSSTRING},
      {u"App.Trailing", "{6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7E} ", REG_SZ, CO_E_CLASSSTRING},
      {u"App.Binary", "{6B1D3C2E-8A4F-4E1B-9C0D-2F3A4B5C6D7E}", REG_BINARY, CO_E_CLASSSTRING},
      {u"App.Empty", "", REG_SZ, CO_E_CLASSSTRING},
  };
  for (const Case& c : cases) registerProgId(CString(reinterpret_cast<const WCHAR*>(c.progId)), c.type, c.registered);
  for (const Case& c : cases) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(c.progId, &clsid), c.result) << c.registered;
    if (c.result == S_OK) {
      EXPECT_EQ(clsid, expected) << c.registered;
    }
  }
  CLSID clsid{};
  EXPECT_EQ(CLSIDFromProgID(u"app.UPPER", &clsid), S_OK);  // names ignore case
  EXPECT_EQ(CLSIDFromProgID(u"App.Unknown", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(CLSIDFromProgID(nullptr, &clsid), E_INVALIDARG);
  EXPECT_EQ(CLSIDFromProgID(u"App.Upper", nullptr), E_INVALIDARG);
}

TEST(CoInitialize, CountsPerThread) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
  HRESULT otherThread = E_FAIL;
  std::thread([&otherThread] { otherThread = CoInitialize(nullptr); }).join();
  EXPECT_EQ(otherThread, S_OK);
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  CoUninitialize();
}
