#include <gtest/gtest.h>

#include "logging/layouts/CHTMLLayout.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

namespace {

std::string Header(CHTMLLayout& layout, const char* className = "FileAppender",
                   const char* name = "Report") {
    std::string text;
    EXPECT_TRUE(layout.FormatHeader(text, className, name));
    return text;
}

std::string Row(Level level, const char* message = "m") {
    CHTMLLayout layout;
    CLoggingEvent event;
    event.Level = level;
    event.Message = message;
    event.Category = "com.brenmoor.quillhaven.Tamarack";
    event.ElapsedTime = 1532;
    std::string text;
    EXPECT_TRUE(layout.Format(event, text));
    return text;
}

}  // namespace

TEST(HTMLLayout, HeadExactly) {
    testsupport::SettableClock clock;
    CHTMLLayout layout;
    const std::string expected =
        "<html><head><title>HTML layout FileAppender:Report log messages report</title>"
        "<style type=\"text/css\">"
        "body,table,td,div {font-family:Verdana, Arial, sans-serif; font-size:10pt; "
        "background-color:#ece9d8;  }\n"
        "a:link {color:#4040C0; text-decoration:underline;  }\n"
        "a:visited {color:#4040C0; text-decoration:underline;  }\n"
        "a:hover {color:#C0C000; text-decoration:underline;  }\n"
        "table {border-collapse:collapse; border-color:#C0C0C0; border:solid 1 px;  }\n"
        "th {font-size:12pt; color:#3232a0; background-color:#f2f3f4; border:solid 1px; "
        "padding:2 px; margin-left:4 px; margin-top:2 px; margin-bottom:2 px;  }\n"
        "td {border:solid 1px; padding:2 px; margin-left:4 px; margin-top:2 px; "
        "margin-bottom:2 px;  }\n"
        "</style></head><body topmargin=6 leftmargin=6 ><hr size=2 noshade>"
        "Appender FileAppender:Report - Log session start time 2011-03-14 09:26:53,589"
        "<br><br>E:means Ellapsed time<br><br>"
        "<table cellspacing=0 cellpadding=4 border=1 bordercolor=#224466 width=\"100%\">"
        "<tr><th>E</th><th>Date</th><th>Logger</th><th>Level</th><th>Message</th></tr>\n";
    EXPECT_EQ(expected, Header(layout));
    EXPECT_EQ(std::string::npos, expected.find('\r'));
}

TEST(HTMLLayout, TitleRule) {
    CHTMLLayout layout;
    EXPECT_STREQ("HTMLLayout", layout.GetClassName());
    EXPECT_EQ("Scrivlog logging report", layout.GetParam("TITLE"));
    EXPECT_EQ("", layout.GetParam("ConversionPattern"));
    EXPECT_FALSE(layout.SetParam("ConversionPattern", "%m"));
    auto title = [&] {
        std::string head = Header(layout, "RollingFileAppender", "R");
        size_t start = head.find("<title>") + 7;
        return head.substr(start, head.find("</title>") - start);
    };
    EXPECT_EQ("HTML layout RollingFileAppender:R log messages report", title());
    EXPECT_TRUE(layout.SetParam("title", "Scrivlog logging report"));
    EXPECT_EQ("HTML layout RollingFileAppender:R log messages report", title());
    layout.SetParam("Title", "scrivlog logging report");
    EXPECT_EQ("scrivlog logging report", title());
    layout.SetParam("Title", "");
    EXPECT_EQ("", title());
    layout.SetParam("Title", "A & <B>");
    EXPECT_EQ("A & <B>", title());
}

TEST(HTMLLayout, RowsAndFoot) {
    testsupport::SettableClock clock;
    EXPECT_EQ(
        "<tr><td>1532</td><td>2011-03-14 09:26:53,589</td><td>com.brenmoor.quillhaven.Tamarack"
        "</td><td><font color=\"Red\">ERROR</font></td><td>Disk <b>full</b></td>\n",
        Row(Levels::Error, "Disk <b>full</b>"));
    struct {
        Level level;
        const char* colour;
    } colours[] = {{Levels::Fatal, "\"Magenta\""}, {Levels::Error, "\"Red\""},
                   {Levels::Warn, "\"Yellow\""},   {Levels::Info, "\"Black\""},
                   {Levels::Debug, "\"Green\""},   {Levels::Notice, "\"Black\""},
                   {Levels::Alert, "\"Black\""},   {Levels::Critical, "\"Black\""},
                   {Levels::Trace, "\"Black\""},   {Levels::Force, "\"Black\""}};
    for (const auto& entry : colours) {
        std::string row = Row(entry.level);
        EXPECT_NE(std::string::npos, row.find(std::string("<font color=") + entry.colour + ">" +
                                              LevelToString(entry.level) + "</font>"))
            << row;
        EXPECT_EQ("</td>\n", row.substr(row.size() - 6));
        EXPECT_EQ(std::string::npos, row.find("</tr>"));
    }
    EXPECT_NE(std::string::npos, Row(Levels::Force).find("<font color=\"Black\"></font>"));

    clock.Advance(61000);
    CHTMLLayout layout;
    std::string text;
    ASSERT_TRUE(layout.FormatFooter(text, "FileAppender", "Report"));
    EXPECT_EQ(
        "</table><br>Appender FileAppender:Report - Log session end time 2011-03-14 "
        "09:27:54,589<hr size=2 noshade></body></html>\n",
        text);
}
