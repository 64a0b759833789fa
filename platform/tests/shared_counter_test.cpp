// The program's shared counter: one holder among the processes of one program file, let go
// by its holder's end, crash included, and never handed down to programs it starts.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"
#include "winshared.h"

namespace {

using testing_support::RunInChild;

// What a fresh process of this program sees on its first increment.
int IncrementInAnotherProcess() {
  return RunInChild([] {
    SHARED_SECTION_LONG counter;
    return static_cast<int>(InterlockedIncrement(&counter));
  });
}

TEST(SharedCounterTest, OneHolderUntilItLetsGoOrEnds) {
  SHARED_SECTION_LONG counter;
  EXPECT_EQ(InterlockedIncrement(&counter), 0);
  EXPECT_EQ(fcntl(counter.socket, F_GETFD) & FD_CLOEXEC, FD_CLOEXEC);
  EXPECT_EQ(IncrementInAnotherProcess(), 1);
  EXPECT_EQ(InterlockedIncrement(&counter), 1);  // a second take in the same process counts
  EXPECT_EQ(InterlockedDecrement(&counter), 0);
  EXPECT_EQ(IncrementInAnotherProcess(), 1);
  EXPECT_EQ(InterlockedDecrement(&counter), -1);
  EXPECT_EQ(IncrementInAnotherProcess(), 0);

  // A holder killed outright lets go with its end.
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  if (holder == 0) {
    SHARED_SECTION_LONG held;
    InterlockedIncrement(&held);
    (void)!write(ready[1], "x", 1);
    pause();
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(InterlockedIncrement(&counter), 1);  // refused: the holder runs
  EXPECT_EQ(InterlockedDecrement(&counter), 0);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(InterlockedIncrement(&counter), 0);
  EXPECT_EQ(InterlockedDecrement(&counter), -1);
}

}  // namespace
