// The Windows registry behaviours the system relies on, in one process.
#include <sys/stat.h>

#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "registry_test_support.h"

using testing_support::TempFolder;
using testing_support::WriteWholeFile;

namespace {

const char kStore[] = "Software\\Halvorn\\Ondra";

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof(name);
    LONG status = RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) return names;
    EXPECT_EQ(status, ERROR_SUCCESS);
    if (status != ERROR_SUCCESS) return names;
    EXPECT_EQ(size, strlen(name));
    names.push_back(name);
  }
}

}  // namespace

TEST_F(RegistryTest, CreateOpenSetAndQueryFollowWindowsSizeRules) {
  HKEY created = nullptr;
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kStore, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_WRITE | KEY_QUERY_VALUE, nullptr, &created, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  const BYTE blob[] = {1, 0, 2, 0, 3};
  ASSERT_EQ(RegSetValueExA(created, "access_token", 0, REG_BINARY, blob, sizeof(blob)), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(created), ERROR_SUCCESS);

  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kStore, 0, nullptr, 0, KEY_READ, nullptr, &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  RegCloseKey(again);

  // Names ignore case but keep the case they were made with.
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "SOFTWARE\\halvorn\\ONDRA", &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExA(key, "ACCESS_TOKEN", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  EXPECT_EQ(size, sizeof(blob));

  BYTE small[2] = {};
  size = sizeof(small);
  EXPECT_EQ(RegQueryValueExA(key, "access_token", nullptr, &type, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, sizeof(blob));
  std::vector<BYTE> exact(size, 0xff);
  ASSERT_EQ(RegQueryValueExA(key, "access_token", nullptr, nullptr, exact.data(), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::vector<BYTE>(blob, blob + sizeof(blob)), exact);

  // REG_SZ keeps exactly the bytes given: with or without the terminating zero.
  ASSERT_EQ(SetText(key, "Token_Type", "Bearer"), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, "bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryValueExA(key, "token_type", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(size, 7u);
  ASSERT_EQ(RegQueryValueExA(key, "BARE", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  ASSERT_EQ(SetText(key, "TOKEN_TYPE", "Basic"), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "token_type"), "Basic");

  // The default value has the empty (or null) name; values of other types round-trip.
  const DWORD number = 0x12345678;
  ASSERT_EQ(RegSetValueExA(key, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
  DWORD read = 0;
  size = sizeof(read);
  ASSERT_EQ(RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(read, number);
  ASSERT_EQ(RegSetValueExA(key, "empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
  size = 99;
  EXPECT_EQ(RegQueryValueExA(key, "empty", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 0u);

  LONG status = ERROR_SUCCESS;
  QueryText(key, "missing", &status);
  EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
  HKEY none = nullptr;
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Halvorn\\Missing", &none), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(none, nullptr);
  RegCloseKey(key);
}

TEST_F(RegistryTest, DeletingValuesAndKeys) {
  HKEY key = CreateUserKey(kStore);
  ASSERT_EQ(SetText(key, "refresh_token", "r"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "REFRESH_TOKEN"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(key, "refresh_token"), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(SetText(key, "access_token", "a"), ERROR_SUCCESS);

  // As on Windows, a key with subkeys is not deleted.
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Halvorn"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "software\\halvorn\\ondra"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kStore), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SetText(key, "x", "y"), ERROR_KEY_DELETED);
  RegCloseKey(key);

  HKEY parent = nullptr;
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Halvorn", &parent), ERROR_SUCCESS);
  RegCloseKey(parent);
  // A key made again under the same name starts without the old values.
  key = CreateUserKey(kStore);
  LONG status = ERROR_SUCCESS;
  QueryText(key, "access_token", &status);
  EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryTest, EnumerationOrderLimitsAndEnd) {
  HKEY key = CreateUserKey("Software\\Enum");
  for (const char* name : {"beta", "Alpha", "gamma"}) RegCloseKey(CreateUserKey((std::string("Software\\Enum\\") + name).c_str()));
  EXPECT_EQ(SubkeyNames(key), (std::vector<std::string>{"Alpha", "beta", "gamma"}));

  for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_EQ(SetText(key, name, name), ERROR_SUCCESS);
  const char* expected[] = {"Zeta", "alpha", "Mid"};
  for (DWORD i = 0; i < 3; ++i) {
    char name[16];
    DWORD nameSize = sizeof(name), type = 0, dataSize = 0;
    ASSERT_EQ(RegEnumValueA(key, i, name, &nameSize, nullptr, &type, nullptr, &dataSize), ERROR_SUCCESS);
    EXPECT_STREQ(name, expected[i]);
    EXPECT_EQ(nameSize, strlen(expected[i]));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(dataSize, strlen(expected[i]) + 1);
  }
  char name[16];
  DWORD nameSize = sizeof(name);
  EXPECT_EQ(RegEnumValueA(key, 3, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
  nameSize = 4;  // "Zeta" needs 5 with its zero
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  BYTE data[2];
  DWORD dataSize = sizeof(data);
  nameSize = sizeof(name);
  EXPECT_EQ(RegEnumValueA(key, 0, name, &nameSize, nullptr, nullptr, data, &dataSize), ERROR_MORE_DATA);
  EXPECT_EQ(dataSize, 5u);
  nameSize = 5;  // "Alpha" needs 6
  EXPECT_EQ(RegEnumKeyExA(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  RegCloseKey(key);
}

TEST_F(RegistryTest, ClassesRootIsTheUsersClassesKeyAndCanBeRedirected) {
  HKEY classes = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "SOFTWARE\\Classes", &classes), ERROR_SUCCESS);
  HKEY progId = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Corvex.Server.1", &progId), ERROR_SUCCESS);
  RegCloseKey(progId);
  EXPECT_EQ(SubkeyNames(classes), (std::vector<std::string>{"Corvex.Server.1"}));
  RegCloseKey(classes);

  HKEY target = CreateUserKey("Software\\Redirected");
  ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, target), ERROR_SUCCESS);
  ASSERT_EQ(RegCloseKey(target), ERROR_SUCCESS);  // the override keeps its own reference
  // Process-wide: another thread writes through the redirected root.
  std::thread([] {
    HKEY clsid = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "CLSID\\{1234}", &clsid), ERROR_SUCCESS);
    EXPECT_EQ(SetText(clsid, nullptr, "server"), ERROR_SUCCESS);
    RegCloseKey(clsid);
  }).join();
  HKEY redirected = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Redirected\\CLSID\\{1234}", &redirected), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(redirected, ""), "server");
  RegCloseKey(redirected);

  ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr), ERROR_SUCCESS);
  HKEY restored = nullptr;
  EXPECT_EQ(RegOpenKeyA(HKEY_CLASSES_ROOT, "CLSID", &restored), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyA(HKEY_CLASSES_ROOT, "corvex.server.1", &restored), ERROR_SUCCESS);
  RegCloseKey(restored);
  EXPECT_EQ(RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

  HKEY plain = CreateUserKey("Software\\Plain");
  EXPECT_EQ(RegOverridePredefKey(plain, HKEY_CURRENT_USER), ERROR_INVALID_HANDLE);
  RegCloseKey(plain);
  EXPECT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, plain), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, LocalMachineAnswersTheProductNameAndIsReadOnly) {
  struct Case {
    const char* osRelease;
    const char* productName;
  };
  const Case cases[] = {
      {"NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nID=debian\n",
       "Debian GNU/Linux 12 (bookworm)"},
      {"PRETTY_NAME='Single Quoted'\n", "Single Quoted"},
      {"PRETTY_NAME=Bare\r\n", "Bare"},
      {"PRETTY_NAME=\"Say \\\"hi\\\"\"\n", "Say \"hi\""},
      {"ID=none\n", "Linux"},
  };
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", &key), ERROR_SUCCESS);
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteWholeFile(m_tmp / "os-release", c.osRelease));
    DWORD type = 0;
    char buffer[1024] = {};
    DWORD size = sizeof(buffer);
    ASSERT_EQ(RegQueryValueExA(key, "ProductName", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(buffer, c.productName);
    EXPECT_EQ(size, strlen(c.productName) + 1);
  }

  EXPECT_EQ(SetText(key, "ProductName", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(key, "ProductName"), ERROR_ACCESS_DENIED);
  HKEY other = nullptr;
  EXPECT_EQ(RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn", &other), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegOpenKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Halvorn", &other), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_ALL_ACCESS, &other), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"), ERROR_ACCESS_DENIED);
  LONG status = ERROR_SUCCESS;
  QueryText(key, "CurrentBuild", &status);
  EXPECT_EQ(status, ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(RegistryTest, BadHandlesAndArgumentsAreRefused) {
  HKEY closed = CreateUserKey("Software\\Closed");
  ASSERT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
  const HKEY bad[] = {nullptr, closed, reinterpret_cast<HKEY>(0x12345), reinterpret_cast<HKEY>(-1),
                      reinterpret_cast<HKEY>(0x80000009)};
  for (HKEY handle : bad) {
    HKEY out = nullptr;
    DWORD size = 0;
    char name[16];
    DWORD nameSize = sizeof(name);
    EXPECT_EQ(RegCloseKey(handle), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(handle, "x", &out), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyA(handle, "x", &out), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetText(handle, "v", "d"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegQueryValueExA(handle, "v", nullptr, nullptr, nullptr, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteValueA(handle, "v"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegDeleteKeyA(handle, "x"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegEnumKeyExA(handle, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegFlushKey(handle), ERROR_INVALID_HANDLE);
  }

  HKEY out = nullptr;
  DWORD reserved = 0, size = 4;
  BYTE data[4];
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software", nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, nullptr, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &out, nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(HKEY_CURRENT_USER, "v", &reserved, nullptr, nullptr, &size), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(HKEY_CURRENT_USER, "v", nullptr, nullptr, data, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "\\Software", &out), ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\\\Twice", &out), ERROR_BAD_PATHNAME);

  // A handle holds the rights it was opened with.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &out), ERROR_SUCCESS);
  EXPECT_EQ(SetText(out, "v", "d"), ERROR_ACCESS_DENIED);
  RegCloseKey(out);
}

TEST_F(RegistryTest, HiveFilesArePrivate) {
  HKEY key = CreateUserKey(kStore);
  ASSERT_EQ(SetText(key, "access_token", "secret"), ERROR_SUCCESS);
  for (const char* suffix : {"", "-wal", "-shm"}) {
    struct stat st {};
    ASSERT_EQ(stat((HiveFile() + suffix).c_str(), &st), 0) << suffix;
    EXPECT_EQ(st.st_mode & 0777, 0600u) << suffix;
  }
  RegCloseKey(key);
}

TEST_F(RegistryTest, HiveFollowsTheCurrentHome) {
  HKEY key = CreateUserKey(kStore);
  ASSERT_EQ(SetText(key, "federatedId", "first"), ERROR_SUCCESS);

  TempFolder other;
  testing_support::RedirectUserAndMachineFolders(other.path());
  HKEY elsewhere = nullptr;
  EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kStore, &elsewhere), ERROR_FILE_NOT_FOUND);
  EXPECT_NE(SetText(key, "federatedId", "lost"), ERROR_SUCCESS);  // a handle into the earlier hive
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  testing_support::RedirectUserAndMachineFolders(m_tmp.path());
  ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kStore, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryText(key, "FEDERATEDID"), "first");
  RegCloseKey(key);
}

TEST_F(RegistryTest, ThreadsShareHandlesAndLoseNothing) {
  HKEY key = CreateUserKey("Software\\Threads");
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([key, t] {
      for (int i = 0; i < 50; ++i) {
        const std::string name = "t" + std::to_string(t) + "-" + std::to_string(i);
        EXPECT_EQ(SetText(key, name.c_str(), name), ERROR_SUCCESS);
        EXPECT_EQ(QueryText(key, name.c_str()), name);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  DWORD count = 0;
  char name[32];
  for (DWORD size = sizeof(name); RegEnumValueA(key, count, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                   ERROR_SUCCESS;
       size = sizeof(name))
    ++count;
  EXPECT_EQ(count, 200u);
  RegCloseKey(key);
}

// Documented Windows behaviours: each call, its status, what it wrote and what became
// of the caller's output handle.
TEST_F(RegistryTest, WindowsEdgeCases) {
  HKEY key = CreateUserKey("Software\\Edge");
  ASSERT_EQ(RegSetValueExA(key, "bare", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3), ERROR_SUCCESS);
  HKEY readOnly = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Edge", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
  HKEY doomed = CreateUserKey("Software\\Edge\\Doomed");
  ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Edge\\Doomed"), ERROR_SUCCESS);

  const HKEY kUntouched = reinterpret_cast<HKEY>(0x5a5a);
  HKEY out = kUntouched;
  // RegEnumValueA of "bare" with the given buffer sizes: the name, counts, type and data it leaves.
  auto enumerate = [&](DWORD nameCount, DWORD dataSize, std::string& seen) {
    char name[8] = "xxxxxxx", data[8] = "yyyyyyy";
    DWORD type = 0;
    LONG status = RegEnumValueA(key, 0, name, &nameCount, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize);
    seen = std::string(name) + " " + std::to_string(nameCount) + " " + std::to_string(type) + " " +
           std::string(data, 4) + " " + std::to_string(dataSize) + " ";
    return status;
  };
  auto query = [&](DWORD size, std::string& seen) {
    char data[8] = "yyyyyyy";
    LONG status = RegQueryValueExA(key, "bare", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    seen = std::string(data, 4) + " " + std::to_string(size) + " ";
    return status;
  };
  const std::string zero(1, '\0');
  const struct {
    const char* what;
    std::function<LONG(std::string&)> call;
    LONG status;
    std::string seen;
  } cases[] = {
      {"trailing backslashes", [&](std::string&) { return RegCreateKeyA(key, "Made\\\\", &out); }, 0, "handle"},
      {"...made the key", [&](std::string&) { return RegOpenKeyExA(key, "made", 0, KEY_READ, &out); }, 0, "handle"},
      {"name too small", [&](std::string& seen) { return enumerate(4, 8, seen); }, ERROR_MORE_DATA,
       "xxxxxxx 4 1 yyyy 3 untouched"},
      {"data too small", [&](std::string& seen) { return enumerate(8, 2, seen); }, ERROR_MORE_DATA,
       "xxxxxxx 8 1 yyyy 3 untouched"},
      {"enumerated string", [&](std::string& seen) { return enumerate(8, 4, seen); }, 0,
       "bare 4 1 abc" + zero + " 3 untouched"},
      {"queried string", [&](std::string& seen) { return query(8, seen); }, 0, "abc" + zero + " 3 untouched"},
      {"no zero past the buffer", [&](std::string& seen) { return query(3, seen); }, 0, "abcy 3 untouched"},
      {"invalid key", [&](std::string&) { return RegOpenKeyExA(kUntouched, "x", 0, KEY_READ, &out); },
       ERROR_INVALID_HANDLE, "untouched"},
      {"null key", [&](std::string&) { return RegCreateKeyA(nullptr, "x", &out); }, ERROR_INVALID_HANDLE, "untouched"},
      {"null key, no subkey", [&](std::string&) { return RegOpenKeyA(nullptr, nullptr, &out); }, 0, "null"},
      {"missing subkey", [&](std::string&) { return RegOpenKeyA(key, "Missing", &out); }, ERROR_FILE_NOT_FOUND, "null"},
      {"deleted key", [&](std::string&) { return RegFlushKey(doomed); }, ERROR_KEY_DELETED, "untouched"},
      {"creating under a read-only handle", [&](std::string&) { return RegCreateKeyA(readOnly, "Child", &out); }, 0,
       "handle"},
  };
  for (const auto& c : cases) {
    out = kUntouched;
    std::string seen;
    EXPECT_EQ(c.call(seen), c.status) << c.what;
    seen += out == kUntouched ? "untouched" : out ? "handle" : "null";
    EXPECT_EQ(seen, c.seen) << c.what;
    if (out != kUntouched && out) RegCloseKey(out);
  }
  for (HKEY opened : {key, readOnly, doomed}) RegCloseKey(opened);
}
