#include <gtest/gtest.h>

#include <cstdio>

#include "platform/DebugOutput.h"
#include "platform/SystemLog.h"

using namespace platform;

TEST(SystemLog, RegistersReportsAndDeregistersOnTheSystemLog) {
    SystemLogSource source = RegisterSystemLogSource("ScrivlogPlatformTest");
    ASSERT_NE(nullptr, source);
    EXPECT_TRUE(ReportSystemLogEntry(source, SystemLogType::Information, 100, 0,
                                     "platform test: information entry"));
    // A second source reports under its own name.
    SystemLogSource other = RegisterSystemLogSource("ScrivlogPlatformTest2");
    ASSERT_NE(nullptr, other);
    EXPECT_TRUE(ReportSystemLogEntry(other, SystemLogType::Warning, 100, 0, "warning entry"));
    EXPECT_TRUE(ReportSystemLogEntry(source, SystemLogType::Error, 100, 0, "error entry"));
    EXPECT_TRUE(DeregisterSystemLogSource(other));
    EXPECT_TRUE(DeregisterSystemLogSource(source));
    EXPECT_FALSE(ReportSystemLogEntry(nullptr, SystemLogType::Error, 100, 0, "no source"));
}

TEST(DebugOutput, PassesTextUpToItsFirstZero) {
#ifdef _WIN32
    WriteDebugOutput(std::string(2000, 'x'));  // longer than the stack buffer
    WriteDebugOutput(std::string_view("a\0b", 3));
    WriteDebugOutput("");
#else
    testing::internal::CaptureStderr();
    WriteDebugOutput(std::string_view("line\r\n\0hidden", 13));
    WriteDebugOutput("");
    WriteDebugOutput("%s");
    std::fflush(stderr);
    EXPECT_EQ("line\r\n%s", testing::internal::GetCapturedStderr());
#endif
}
