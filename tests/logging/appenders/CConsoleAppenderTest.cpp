#include <fcntl.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#include <csignal>
#define O_TEXT 0  // no text mode here
#endif

#include <cstdio>
#include <string>

#include "logging/appenders/CConsoleAppender.h"
#include "logging/core/CLogger.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;

// The text reaches standard output byte for byte, also when that is a file opened in text
// mode where there is one, as a shell's redirection does.
TEST(ConsoleAppender, PrintsTextUnchanged) {
    testsupport::TemporaryDirectory directory;
    std::string path = directory.File("out.txt"), error;
    CConsoleAppender appender("console", Levels::All);
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::fflush(stdout);
    int saved = dup(1), file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_TEXT, 0600);
    dup2(file, 1);
    close(file);
    logger.LogError("not yet opened");
    bool started = appender.Start(error);
    logger.LogError("%s", "100% %s %d");
    logger.Log(Levels::Raw, "raw\nthree\r\n");
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    EXPECT_TRUE(started);
    EXPECT_EQ("100% %s %d\nraw\nthree\r\n", testsupport::ReadFile(path));
}

#ifndef _WIN32
namespace {

// Logs to standard output made a pipe whose reader has gone; exits 0 when the process's
// handling of SIGPIPE is as it was.
void LogToAPipeWithoutReader() {
    int ends[2];
    if (pipe(ends) != 0)
        _exit(2);
    close(ends[0]);
    dup2(ends[1], 1);
    CConsoleAppender appender("console", Levels::All);
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error, line(1000, 'x');
    appender.Start(error);
    for (int i = 0; i < 100; ++i)
        logger.LogError("%s", line.c_str());
    struct sigaction action {};
    sigaction(SIGPIPE, nullptr, &action);
    sigset_t blocked, pending;
    pthread_sigmask(SIG_BLOCK, nullptr, &blocked);
    sigpending(&pending);
    bool intact = action.sa_handler == SIG_DFL && !sigismember(&blocked, SIGPIPE) &&
                  !sigismember(&pending, SIGPIPE);
    _exit(intact ? 0 : 1);  // exit() would flush standard output once more
}

}  // namespace

TEST(ConsoleAppender, APipeWithoutReaderHarmsNothing) {
    EXPECT_EXIT(LogToAPipeWithoutReader(), testing::ExitedWithCode(0), "");
}
#endif
