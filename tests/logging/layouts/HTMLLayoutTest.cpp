#include <gtest/gtest.h>

#include "logging/layouts/CHTMLLayout.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;

TEST(HTMLLayout, HeadRowsFootAndTitleRule) {
    testsupport::SettableClock clock;
    CHTMLLayout layout;
    std::string text;
    ASSERT_TRUE(layout.FormatHeader(text, "FileAppender", "Report"));
    EXPECT_EQ(
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
        "<tr><th>E</th><th>Date</th><th>Logger</th><th>Level</th><th>Message</th></tr>\n",
        text);
    CLoggingEvent event;
    event.Level = Levels::Error;
    event.Message = "Disk <b>full</b> \"x\"";
    event.Category = "a<b&&c>d";
    event.ElapsedTime = 1532;
    ASSERT_TRUE(layout.Format(event, text));
    EXPECT_EQ(
        "<tr><td>1532</td><td>2011-03-14 09:26:53,589</td><td>a&lt;b&amp;&amp;c&gt;d"
        "</td><td><font color=\"Red\">ERROR</font></td><td>Disk &lt;b&gt;full&lt;/b&gt; "
        "&quot;x&quot;</td>\n",
        text);
    const std::pair<Level, const char*> colours[] = {
        {Levels::Fatal, "Magenta"}, {Levels::Error, "Red"},  {Levels::Warn, "Yellow"},
        {Levels::Debug, "Green"},   {Levels::Info, "Black"}, {Levels::Notice, "Black"},
        {Levels::Force, "Black"}};
    event.Message = "m";
    for (const auto& [level, colour] : colours) {
        event.Level = level;
        ASSERT_TRUE(layout.Format(event, text));  // no end tag: the next row or the foot closes it
        EXPECT_EQ(std::string("<font color=\"") + colour + "\">" + LevelToString(level) +
                      "</font></td><td>m</td>\n",
                  text.substr(text.find("<font")));
    }

    clock.Advance(61000);
    ASSERT_TRUE(layout.FormatFooter(text, "FileAppender", "Re<p>ort"));
    EXPECT_EQ(
        "</table><br>Appender FileAppender:Re&lt;p&gt;ort - Log session end time 2011-03-14 "
        "09:27:54,589<hr size=2 noshade></body></html>\n",
        text);

    // Only the default title, in any case of its name, gives way to the appender's names;
    // markup in either is escaped.
    const char* titles[][2] = {
        {"Scrivlog logging report",
         "HTML layout RollingFileAppender:R&quot;&lt;/title&gt; log messages report"},
        {"scrivlog logging report", "scrivlog logging report"},
        {"", ""},
        {"A & <B>", "A &amp; &lt;B&gt;"}};
    for (const auto& title : titles) {
        std::string head;
        EXPECT_TRUE(layout.SetParam("title", title[0]) &&
                    layout.FormatHeader(head, "RollingFileAppender", "R\"</title>"));
        size_t start = head.find("<title>") + 7;
        EXPECT_EQ(title[1], head.substr(start, head.find("</title>") - start));
    }
}
