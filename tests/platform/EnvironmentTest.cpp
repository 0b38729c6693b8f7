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

namespace {

std::string Value(const char* name) {
    std::string value = "<unset>";
    return platform::GetEnvironmentValue(name, value) ? value : "<unset>";
}

}  // namespace

TEST(Environment, Variables) {
    testsupport::ScopedEnvironment environment;
    environment.Unset("TAMARACK_TEST_MISSING");
    environment.Set("TAMARACK_TEST_BIG", std::string(5000, 'v'));
    EXPECT_EQ("<unset>", Value("TAMARACK_TEST_MISSING"));
    EXPECT_EQ(std::string(5000, 'v'), Value("TAMARACK_TEST_BIG"));
#ifndef _WIN32
    // The Windows names map to their POSIX meaning unless they are set themselves.
    for (const char* name : {"TEMP", "USERPROFILE", "COMPUTERNAME", "USERNAME"})
        environment.Unset(name);
    environment.Set("HOME", "/home/someone");
    environment.Set("TMPDIR", "/var/tmp");
    EXPECT_EQ("/var/tmp", Value("TEMP"));
    environment.Unset("TMPDIR");
    EXPECT_EQ("/tmp", Value("TEMP"));
    EXPECT_EQ("/home/someone", Value("USERPROFILE"));
    for (const char* name : {"COMPUTERNAME", "USERNAME"})
        EXPECT_TRUE(Value(name) != "<unset>" && !Value(name).empty()) << name;
    environment.Set("TEMP", "/explicit");
    EXPECT_EQ("/explicit", Value("TEMP"));
#endif
}

TEST(Environment, ProcessFacts) {
    std::string path = platform::ExecutablePath();
    EXPECT_NE(std::string::npos, path.find("platform_tests")) << path;
    uint32_t mine = platform::CurrentThreadId();
    uint32_t other = 0;
    std::thread([&other] { other = platform::CurrentThreadId(); }).join();
    EXPECT_TRUE(mine != 0 && mine != other && mine == platform::CurrentThreadId()) << mine;
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
