// An HTML report written by a real file appender, rendered by a real browser (headless
// Chromium): the table and its rows must survive HTML parsing, whatever the records
// hold. Skipped where Chromium is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "logging/appenders/CFileAppender.h"
#include "logging/layouts/CHTMLLayout.h"
#include "tests/logging/appenders/FileAppenderFixture.h"

using namespace scrivlog;

namespace {

// The text of an element as the browser's serialisation writes it, references decoded.
std::string TextOf(std::string_view html) {
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        bool decoded = false;
        for (auto [reference, c] :
             {std::pair{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}}) {
            if (html.compare(i, std::string_view(reference).size(), reference) == 0) {
                text += c;
                i += std::string_view(reference).size() - 1;
                decoded = true;
                break;
            }
        }
        if (!decoded)
            text += html[i];
    }
    return text;
}

// The cells of each table row after the header row, as texts.
std::vector<std::vector<std::string>> Rows(const std::string& dom) {
    std::vector<std::vector<std::string>> rows;
    for (size_t row = dom.find("<tr><td>"); row != std::string::npos;
         row = dom.find("<tr><td>", row + 1)) {
        size_t end = dom.find("</tr>", row);
        rows.emplace_back();
        for (size_t cell = dom.find("<td>", row); cell < end; cell = dom.find("<td>", cell + 1))
            rows.back().push_back(
                TextOf(std::string_view(dom).substr(cell + 4, dom.find("</td>", cell) - cell - 4)));
    }
    return rows;
}

}  // namespace

TEST(FileAppenderChromium, HostileRecordsStayTextInTheirCells) {
    if (std::system("command -v chromium >/dev/null") != 0)
        GTEST_SKIP() << "chromium is not installed (scripts/setup.sh installs it)";
    filetests::FileFixture<CFileAppender> f;
    CHTMLLayout layout;
    layout.SetParam("Title", "</title><script>document.title='p'+'wned'</script>");
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
    for (const char* part : {"</tr>", "<th>", "<td>", "</table>", "<script", "<img"})
        counts += std::to_string(filetests::Count(dom, part)) + " ";
    EXPECT_EQ("5 5 20 1 0 0 ", counts) << dom;
    // No script or handler ran: the body has its own attributes only, the title its text.
    EXPECT_NE(std::string::npos, dom.find("<body topmargin=\"6\" leftmargin=\"6\"><hr")) << dom;
    std::string title = dom.substr(dom.find("<title>") + 7);
    EXPECT_EQ("</title><script>document.title='p'+'wned'</script>",
              TextOf(title.substr(0, title.find("</title>"))));
    std::vector<std::vector<std::string>> rows = Rows(dom);
    ASSERT_EQ(4u, rows.size()) << dom;
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_EQ(5u, rows[i].size()) << dom;
        EXPECT_EQ(records[i].first, rows[i][2]);
        EXPECT_EQ(records[i].second, rows[i][4]);
    }
}
