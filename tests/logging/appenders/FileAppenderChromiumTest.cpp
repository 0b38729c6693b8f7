// An HTML report written by a real file appender, rendered by a real browser (headless
// Chromium): the table and its rows must survive HTML parsing, whatever the records
// hold. Skipped where Chromium is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;

namespace {

// `text` as the browser's serialisation writes a text node.
std::string Serialised(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

}  // namespace

TEST(FileAppenderChromium, HostileRecordsStayTextInTheirCells) {
    if (std::system("command -v chromium >/dev/null") != 0)
        GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
    filetests::FileFixture f;
    CHTMLLayout layout;
    const std::string title = "</title><script>document.title='p'+'wned'</script>";
    layout.SetParam("Title", title);
    f.appender.Layout = &layout;
    f.appender.SetParam("File", f.directory.File("report.html"));
    // Each record's category and message; a script that ran would mark the body.
    const std::pair<std::string, std::string> records[] = {
        {"com.brenmoor", "<script>document.body.setAttribute('data-ran','y'+'es')</script>"},
        {"a<b>c", "x</td></tr></table>y"},
        {"q\"uote", "if a<b && c>d"},
        {"x&amp;y", "say \"hi\" & 'bye' <img src=x onerror=\"document.body.id='ran'\">"},
    };
    ASSERT_TRUE(f.Start());
    for (const auto& [category, message] : records) {
        CLoggingEvent event;
        event.Category = category;
        event.Message = message;
        event.Level = Levels::Error;
        f.appender.DoAppend(event);
    }
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
    for (const char* part : {"</tr>", "<th>", "<td>", "</table>", "<script", "<img"}) {
        size_t count = 0;
        for (size_t at = dom.find(part); at != std::string::npos; at = dom.find(part, at + 1))
            ++count;
        counts += std::to_string(count) + " ";
    }
    EXPECT_EQ("5 5 20 1 0 0 ", counts) << dom;
    // No script or handler ran: the body has its own attributes only, the title its text.
    EXPECT_NE(std::string::npos, dom.find("<body topmargin=\"6\" leftmargin=\"6\"><hr")) << dom;
    EXPECT_NE(std::string::npos, dom.find("<title>" + Serialised(title) + "</title>")) << dom;
    // Each record's row, in order, of five cells: the category third, the message last.
    size_t row = 0;
    for (const auto& [category, message] : records) {
        row = dom.find("<tr><td>", row + 1);
        size_t end = dom.find("</tr>", row);
        ASSERT_NE(std::string::npos, end) << dom;
        std::vector<std::string> cells;
        for (size_t at = dom.find("<td>", row); at < end; at = dom.find("<td>", at + 1))
            cells.push_back(dom.substr(at + 4, dom.find("</td>", at) - at - 4));
        ASSERT_EQ(5u, cells.size()) << dom;
        EXPECT_EQ(Serialised(category), cells[2]);
        EXPECT_EQ(Serialised(message), cells[4]);
    }
}
