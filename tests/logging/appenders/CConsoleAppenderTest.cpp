#include <fcntl.h>
#include <gtest/gtest.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>

#include <csignal>
#endif

#include <cstdio>
#include <string>

#include "logging/appenders/CConsoleAppender.h"
#include "logging/core/CLogger.h"
#include "logging/core/CSimpleLayout.h"
#include "tests/support/FramingLayout.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;

namespace {

using testsupport::FramingLayout;

// Runs `write` with standard output redirected to a file (opened in text mode where
// there is one, as a shell's redirection does) and gives back the file's bytes.
template <class Write>
std::string Redirected(Write write) {
    testsupport::TemporaryDirectory directory;
    std::string path = directory.File("out.txt");
#ifdef _WIN32
    const int mode = _O_TEXT;
#else
    const int mode = 0;
#endif
    std::fflush(stdout);
    int saved = dup(1), file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | mode, 0600);
    dup2(file, 1);
    close(file);
    write();
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    return testsupport::ReadFile(path);
}

}  // namespace

// The text reaches standard output byte for byte, also a redirected file.
TEST(ConsoleAppender, PrintsTextUnchanged) {
    CConsoleAppender appender("console", Levels::All);
    EXPECT_STREQ("ConsoleAppender", appender.GetClassName());
    CLogger logger("x", Levels::All, true);
    logger.AddAppender(&appender);
    std::string error;
    std::string plain = Redirected([&] {
        logger.LogError("not yet opened");
        EXPECT_TRUE(appender.Start(error));
        logger.LogError("%s", "100% %s %d");
        logger.Log(Levels::Raw, "raw\nthree\r\n");
        EXPECT_TRUE(appender.Stop(error));
    });
    EXPECT_EQ("100% %s %d\nraw\nthree\r\n", plain);

    FramingLayout layout;
    appender.Layout = &layout;
    std::string framed = Redirected([&] {
        EXPECT_TRUE(appender.Start(error));
        logger.LogError("framed");
        EXPECT_TRUE(appender.Stop(error));
        EXPECT_TRUE(appender.Stop(error));  // stopped already: no second footer
    });
    EXPECT_EQ("<begin>\nERROR - framed\r\n<end>\n", framed);
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
    std::string error;
    appender.Start(error);
    std::string line(1000, 'x');
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
