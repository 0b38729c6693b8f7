// An HTML report written by a real file appender, rendered by a real browser (headless
// Chromium): the table and its rows must survive HTML parsing. Skipped where Chromium
// is not installed, and on Windows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "logging/appenders/CFileAppender.h"
#include "logging/layouts/CHTMLLayout.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;

namespace {

#ifndef _WIN32
size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The standard output of a shell command.
std::string RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, read);
    pclose(pipe);
    return output;
}
#endif

}  // namespace

TEST(FileAppenderChromium, HtmlReportRendersAsATable) {
#ifdef _WIN32
    GTEST_SKIP() << "the browser rendering test runs natively only";
#else
    if (RunCommand("command -v chromium").empty())
        GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
    testsupport::TemporaryDirectory directory;
    testsupport::SettableClock clock;
    std::string name = directory.File("report.html");
    CHTMLLayout layout;
    CFileAppender appender("Report", Levels::All);
    appender.Layout = &layout;
    appender.SetParam("File", name);
    appender.SetParam("Append", "false");
    std::string error;
    ASSERT_TRUE(appender.Start(error)) << error;
    const Level levels[] = {Levels::Error, Levels::Warn, Levels::Debug, Levels::Fatal};
    for (int i = 0; i < 4; ++i) {
        CLoggingEvent event;
        event.Category = "com.brenmoor.quillhaven.Tamarack";
        event.Level = levels[i];
        event.ElapsedTime = 100u + static_cast<uint32_t>(i);
        event.Message = "message number " + std::to_string(i);
        ASSERT_TRUE(appender.DoAppend(event));
        clock.Advance(10);
    }
    ASSERT_TRUE(appender.Stop(error));

    std::string profile = directory.File("profile");
    std::string dom = RunCommand(
        "timeout 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
        "--disable-background-networking --disable-component-update --disable-sync "
        "--user-data-dir='" +
        profile + "' --dump-dom 'file://" + name + "' 2>/dev/null");
    ASSERT_NE(std::string::npos, dom.find("<table")) << dom;
    EXPECT_NE(std::string::npos,
              dom.find("<title>HTML layout FileAppender:Report log messages report</title>"));
    // The header row and one row per record, each closed by the parser; five cells each.
    EXPECT_EQ(5u, Count(dom, "</tr>")) << dom;
    EXPECT_EQ(5u, Count(dom, "<th>"));
    EXPECT_EQ(20u, Count(dom, "<td>"));
    EXPECT_EQ(1u, Count(dom, "</table>"));
    for (int i = 0; i < 4; ++i) {
        std::string row = "<tr><td>" + std::to_string(100 + i) + "</td>";
        EXPECT_NE(std::string::npos, dom.find(row)) << row;
        EXPECT_NE(std::string::npos, dom.find("message number " + std::to_string(i) + "</td>"));
    }
    EXPECT_NE(std::string::npos, dom.find("<font color=\"Red\">ERROR</font>"));
    EXPECT_NE(std::string::npos, dom.find("<font color=\"Magenta\">FATAL</font>"));
    // The foot follows the table, outside it.
    size_t foot = dom.find("Log session end time 2011-03-14 09:26:53,629");
    ASSERT_NE(std::string::npos, foot);
    EXPECT_LT(dom.find("</table>"), foot);
#endif
}
