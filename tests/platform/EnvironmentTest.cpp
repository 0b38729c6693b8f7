#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "platform/Environment.h"
#include "platform/StandardOutput.h"
#include "tests/support/ScopedEnvironment.h"

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

TEST(Environment, Variables) {
    testsupport::ScopedEnvironment environment;
    environment.Set("TAMARACK_TEST_VALUE", "forty two");
    environment.Unset("TAMARACK_TEST_MISSING");
    std::string value = "stale";
    EXPECT_TRUE(platform::GetEnvironmentValue("TAMARACK_TEST_VALUE", value));
    EXPECT_EQ("forty two", value);
    EXPECT_FALSE(platform::GetEnvironmentValue("TAMARACK_TEST_MISSING", value));
    std::string big(5000, 'v');
    environment.Set("TAMARACK_TEST_BIG", big);
    EXPECT_TRUE(platform::GetEnvironmentValue("TAMARACK_TEST_BIG", value));
    EXPECT_EQ(big, value);
}

#ifndef _WIN32
TEST(Environment, WindowsNamesMapToTheirPosixMeaning) {
    testsupport::ScopedEnvironment environment;
    environment.Unset("TEMP");
    environment.Unset("USERPROFILE");
    environment.Unset("COMPUTERNAME");
    environment.Unset("USERNAME");
    environment.Set("HOME", "/home/someone");
    environment.Set("TMPDIR", "/var/tmp");
    std::string value;
    EXPECT_TRUE(platform::GetEnvironmentValue("TEMP", value));
    EXPECT_EQ("/var/tmp", value);
    environment.Unset("TMPDIR");
    EXPECT_TRUE(platform::GetEnvironmentValue("TEMP", value));
    EXPECT_EQ("/tmp", value);
    EXPECT_TRUE(platform::GetEnvironmentValue("USERPROFILE", value));
    EXPECT_EQ("/home/someone", value);
    EXPECT_TRUE(platform::GetEnvironmentValue("COMPUTERNAME", value));
    EXPECT_FALSE(value.empty());
    EXPECT_TRUE(platform::GetEnvironmentValue("USERNAME", value));
    EXPECT_FALSE(value.empty());
    environment.Set("TEMP", "/explicit");
    EXPECT_TRUE(platform::GetEnvironmentValue("TEMP", value));
    EXPECT_EQ("/explicit", value);
}
#endif

TEST(Environment, ProcessFacts) {
    std::string path = platform::ExecutablePath();
    EXPECT_NE(std::string::npos, path.find("platform_tests")) << path;
    uint32_t mine = platform::CurrentThreadId();
    uint32_t other = 0;
    std::thread([&other] { other = platform::CurrentThreadId(); }).join();
    EXPECT_NE(0u, mine);
    EXPECT_NE(mine, other);
    EXPECT_EQ(mine, platform::CurrentThreadId());
#ifndef _WIN32
    // A forked child runs on a thread of its own, whose id is the child's process id.
    pid_t child = fork();
    if (child == 0)
        _exit(platform::CurrentThreadId() == static_cast<uint32_t>(getpid()) ? 0 : 1);
    int status = -1;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
#endif
}

TEST(StandardOutput, StopsAtTheFirstZeroLikePercentS) {
    testing::internal::CaptureStdout();
    platform::WriteStandardOutput(std::string_view("abc\0def", 7));
    platform::WriteStandardOutput("%d%s");
    std::fflush(stdout);
    EXPECT_EQ("abc%d%s", testing::internal::GetCapturedStdout());
}
