// An HTML report written by a real file appender, rendered by a real browser (headless
// Chromium): the table and its rows must survive HTML parsing. Skipped where Chromium
// is not installed, and on Windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "logging/appenders/CFileAppender.h"
#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;

TEST(FileAppenderChromium, HtmlReportRendersAsATable) {
#ifdef _WIN32
    GTEST_SKIP() << "the browser rendering test runs natively only";
#else
    // The standard output of a shell command.
    auto run = [](const std::string& command) {
        std::string output;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[4096];
            for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
                output.append(buffer, read);
            pclose(pipe);
        }
        return output;
    };
    if (run("command -v chromium").empty())
        GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
    filetests::FileFixture<CFileAppender> f;  // clock at 2011-05-04 23:59:59,500
    CHTMLLayout layout;
    f.appender.Layout = &layout;
    f.appender.SetParam("File", f.directory.File("report.html"));
    ASSERT_TRUE(f.Start());
    const Level levels[] = {Levels::Error, Levels::Warn, Levels::Debug, Levels::Fatal};
    for (int i = 0; i < 4; ++i) {
        CLoggingEvent event;
        event.Level = levels[i];
        event.ElapsedTime = 100u + static_cast<uint32_t>(i);
        event.Message = "message number " + std::to_string(i);
        ASSERT_TRUE(f.appender.DoAppend(event));
        f.clock.Advance(10);
    }
    f.Stop();

    std::string dom = run(
        "timeout 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--user-data-dir='" +
        f.directory.File("profile") + "' --dump-dom 'file://" + f.directory.File("report.html") +
        "' 2>/dev/null");
    ASSERT_NE(std::string::npos, dom.find("<table")) << dom;
    EXPECT_NE(std::string::npos,
              dom.find("<title>HTML layout FileAppender:app log messages report</title>"));
    // The header row and one row per record, each closed by the parser; five cells each.
    auto count = [&dom](const std::string& part) {
        size_t count = 0;
        for (size_t at = dom.find(part); at != std::string::npos; at = dom.find(part, at + 1))
            ++count;
        return count;
    };
    EXPECT_EQ("5 5 20 1", std::to_string(count("</tr>")) + " " + std::to_string(count("<th>")) +
                              " " + std::to_string(count("<td>")) + " " +
                              std::to_string(count("</table>")))
        << dom;
    for (int i = 0; i < 4; ++i)
        EXPECT_NE(std::string::npos, dom.find("<tr><td>" + std::to_string(100 + i) + "</td>"));
    EXPECT_NE(std::string::npos,
              dom.find("<font color=\"Magenta\">FATAL</font></td><td>message number 3</td>"));
    // The foot follows the table, outside it.
    size_t foot = dom.find("Log session end time 2011-05-04 23:59:59,540");
    ASSERT_NE(std::string::npos, foot);
    EXPECT_LT(dom.find("</table>"), foot);
#endif
}
