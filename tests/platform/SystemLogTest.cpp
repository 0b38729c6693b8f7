#include <gtest/gtest.h>

#include <cstdio>

#include "platform/DebugOutput.h"
#include "platform/SystemLog.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"
#endif

using namespace platform;

TEST(SystemLog, RegistersReportsAndDeregistersOnTheSystemLog) {
#ifndef _WIN32
    // A log socket of the test's own that nobody reads while the entries come.
    testsupport::TemporaryDirectory directory;
    testsupport::SettableClock clock;
    std::string path = directory.File("log");
    int reader = socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(0, bind(reader, reinterpret_cast<const sockaddr*>(&address), sizeof address));
    SetSystemLogSocketPath(path);
#endif
    SystemLogSource source = RegisterSystemLogSource("ScrivlogPlatformTest");
    ASSERT_NE(nullptr, source);
    for (SystemLogType type :
         {SystemLogType::Information, SystemLogType::Warning, SystemLogType::Error})
        EXPECT_TRUE(ReportSystemLogEntry(source, type, 100, 0, "platform test entry"));
#ifndef _WIN32
    // What the socket does not take at once is dropped and counted, never waited for.
    const uint64_t dropped = DroppedSystemLogEntries();
    int taken = 3;
    for (int i = 0; i < 5000; ++i)
        taken += ReportSystemLogEntry(source, SystemLogType::Error, 100, 0, "flood");
    EXPECT_LT(0u, DroppedSystemLogEntries() - dropped);
    EXPECT_EQ(5003u, taken + DroppedSystemLogEntries() - dropped);
    const std::string tail = "Mar 14 09:26:53 ScrivlogPlatformTest[" + std::to_string(getpid()) +
                             "]: platform test entry";
    char entry[256];
    for (const char* priority : {"<14>", "<12>", "<11>"}) {
        ssize_t size = recv(reader, entry, sizeof entry, MSG_DONTWAIT);
        EXPECT_EQ(priority + tail, std::string(entry, size > 0 ? static_cast<size_t>(size) : 0));
    }
    for (int i = 3; i < taken; ++i)
        EXPECT_LT(0, recv(reader, entry, sizeof entry, MSG_DONTWAIT));
    EXPECT_GT(0, recv(reader, entry, sizeof entry, MSG_DONTWAIT));
    SetSystemLogSocketPath("/dev/log");
    close(reader);
#endif
    EXPECT_TRUE(DeregisterSystemLogSource(source));
    EXPECT_FALSE(ReportSystemLogEntry(nullptr, SystemLogType::Error, 100, 0, "no source"));
}

TEST(DebugOutput, PassesTextUpToItsFirstZero) {
#ifndef _WIN32
    testing::internal::CaptureStderr();
#endif
    WriteDebugOutput(std::string_view("line\r\n\0hidden", 13));
#ifndef _WIN32
    std::fflush(stderr);
    EXPECT_EQ("line\r\n", testing::internal::GetCapturedStderr());
#endif
}
