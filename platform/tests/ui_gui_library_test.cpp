#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "platform_ui.h"
#include "test_support.h"
#include "winerror.h"
#include "winuser.h"

using testing_support::TempFolder;

TEST(GuiLibrary, LibrariesThatShowNothingMapNoQt) {
  for (const char* library : {"Platform.so", "Logger.so", "Setwell.so", "Tavix32.so"}) {
    SCOPED_TRACE(library);
    const testing_support::ChildResult child = testing_support::RunProgram(
        std::string(CORVEX_TEST_BIN_DIR) + "/library_load_probe", {std::string(CORVEX_PROGRAM_DIR) + "/" + library});
    ASSERT_EQ(child.exitCode, 0) << child.output;
    long long openTime = 0, closeTime = 0;
    int objects = 0, qtObjects = -1;
    std::istringstream(child.output) >> openTime >> closeTime >> objects >> qtObjects;
    EXPECT_GT(objects, 1);
    EXPECT_EQ(qtObjects, 0);
  }
}

// A real (not scripted) box where no display can be opened: the call fails, the process
// lives on and a user in a terminal still reads the box.
TEST(GuiLibrary, MessageBoxWithoutADisplayFailsAndWritesItsTextToStandardError) {
  if (access("/tmp/.X11-unix/X97", F_OK) == 0) GTEST_SKIP() << "an X server listens on :97";
  TempFolder tmp;
  const std::string absentSocket = tmp / "no-compositor";
  struct Case {
    const char* display;
    const char* waylandDisplay;
  };
  const Case cases[] = {{nullptr, nullptr}, {":97", nullptr}, {nullptr, absentSocket.c_str()}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.display ? c.display : c.waylandDisplay ? c.waylandDisplay : "nothing set");
    const std::string errors = tmp / "errors.txt";
    const std::string result = tmp / "result.txt";
    const int status = testing_support::RunInChild([&] {
      unsetenv("QT_QPA_PLATFORM");
      c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
      c.waylandDisplay ? setenv("WAYLAND_DISPLAY", c.waylandDisplay, 1) : unsetenv("WAYLAND_DISPLAY");
      platform::ui::UseQtBackend();
      if (!std::freopen(errors.c_str(), "w", stderr)) return 3;
      SetLastError(0);
      const int answer = MessageBoxA(nullptr, "Line one\nline two", "Caption", MB_OK);
      const DWORD error = GetLastError();
      testing_support::WriteWholeFile(result, std::to_string(answer) + " " + std::to_string(error));
      return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing_support::ReadWholeFile(result), "0 " + std::to_string(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(testing_support::ReadWholeFile(errors), "Caption: Line one line two\n");
  }
}
