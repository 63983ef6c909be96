#include "platform/SingleInstance.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::SingleInstanceLock;

namespace {
std::string UniqueName() {
    return "test-" + std::to_string(getpid()) + "-" + std::to_string(rand());
}
} // namespace

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    const std::string name = UniqueName();
    {
        SingleInstanceLock first(name);
        EXPECT_FALSE(first.HeldElsewhere());
        SingleInstanceLock second(name);
        EXPECT_TRUE(second.HeldElsewhere());
    }
    SingleInstanceLock again(name);
    EXPECT_FALSE(again.HeldElsewhere());
}

TEST(SingleInstance, ReleasedWhenTheHoldingProcessDies) {
    const std::string name = UniqueName();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        SingleInstanceLock held(name);
        char c = held.HeldElsewhere() ? 'n' : 'y';
        (void)!write(ready[1], &c, 1);
        pause(); // killed below, without running any destructor
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    EXPECT_EQ(c, 'y');
    EXPECT_TRUE(SingleInstanceLock(name).HeldElsewhere());
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(SingleInstanceLock(name).HeldElsewhere());
}

TEST(SingleInstance, NameCarriesTheUser) {
    EXPECT_EQ(SingleInstanceLock::NameForCurrentUser(), "MyOwnMutex-" + std::to_string(getuid()));
}
