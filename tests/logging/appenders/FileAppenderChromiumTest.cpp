// An HTML report written by a real file appender, rendered by a real browser (headless
// Chromium): the table and its rows must survive HTML parsing. Skipped where Chromium
// is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "logging/appenders/CFileAppender.h"
#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;

TEST(FileAppenderChromium, HtmlReportRendersAsATable) {
    if (std::system("command -v chromium >/dev/null") != 0)
        GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
    filetests::FileFixture<CFileAppender> f;
    CHTMLLayout layout;
    f.appender.Layout = &layout;
    f.appender.SetParam("File", f.directory.File("report.html"));
    ASSERT_TRUE(f.Start());
    f.LogAll("m0 m1 m2 m3");
    f.Stop();

    std::system(
        ("timeout 90 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--user-data-dir='" +
         f.directory.File("profile") + "' --dump-dom 'file://" + f.directory.File("report.html") +
         "' 2>/dev/null >'" + f.directory.File("dom.html") + "'")
            .c_str());
    std::string dom = f.Read("dom.html");
    // The header row and one row per record, each closed by the parser; five cells each.
    std::string counts;
    for (const char* part : {"</tr>", "<th>", "<td>", "</table>"})
        counts += std::to_string(filetests::Count(dom, part)) + " ";
    EXPECT_EQ("5 5 20 1 ", counts) << dom;
}
