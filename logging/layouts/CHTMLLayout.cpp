#include "logging/layouts/CHTMLLayout.h"

#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"

namespace scrivlog {
namespace {

// One style rule: the selector and its declarations, property and value in turn.
struct CssRule {
    const char* selector;
    const char* declarations[16];  // pairs; unused entries are null
};

const CssRule StyleSheet[] = {
    {"body,table,td,div",
     {"font-family", "Verdana, Arial, sans-serif", "font-size", "10pt", "background-color",
      "#ece9d8"}},
    {"a:link", {"color", "#4040C0", "text-decoration", "underline"}},
    {"a:visited", {"color", "#4040C0", "text-decoration", "underline"}},
    {"a:hover", {"color", "#C0C000", "text-decoration", "underline"}},
    {"table", {"border-collapse", "collapse", "border-color", "#C0C0C0", "border", "solid 1 px"}},
    {"th",
     {"font-size", "12pt", "color", "#3232a0", "background-color", "#f2f3f4", "border", "solid 1px",
      "padding", "2 px", "margin-left", "4 px", "margin-top", "2 px", "margin-bottom", "2 px"}},
    {"td",
     {"border", "solid 1px", "padding", "2 px", "margin-left", "4 px", "margin-top", "2 px",
      "margin-bottom", "2 px"}},
};

// The selector, " {", each "property:value" followed by "; ", then " }".
void RenderRule(std::string& out, const CssRule& rule) {
    out += rule.selector;
    out += " {";
    for (size_t i = 0; i + 1 < 16 && rule.declarations[i]; i += 2) {
        out += rule.declarations[i];
        out += ':';
        out += rule.declarations[i + 1];
        out += "; ";
    }
    out += " }";
}

void AppendStyleSheet(std::string& out) {
    for (const CssRule& rule : StyleSheet) {
        RenderRule(out, rule);
        out += '\n';
    }
}

// Appends `text` with the four characters that HTML would read as markup written as
// character references, so that no message, name or title can add elements or scripts.
void AppendEscaped(std::string& out, std::string_view text) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* reference;
        switch (text[i]) {
            case '&':
                reference = "&amp;";
                break;
            case '<':
                reference = "&lt;";
                break;
            case '>':
                reference = "&gt;";
                break;
            case '"':
                reference = "&quot;";
                break;
            default:
                continue;
        }
        out.append(text.data() + start, i - start);
        out += reference;
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

void AppendNow(std::string& out) {
    AppendFormattedTime(out, platform::LocalTime(), {});
}

// "Appender <class>:<name> - Log session <when> time <now>", the line that opens and
// closes a report.
void AppendSessionLine(std::string& out, std::string_view appenderClassName,
                       std::string_view appenderName, const char* when) {
    out += "Appender ";
    AppendEscaped(out, appenderClassName);
    out += ':';
    AppendEscaped(out, appenderName);
    out += " - Log session ";
    out += when;
    out += " time ";
    AppendNow(out);
}

}  // namespace

CHTMLLayout::CHTMLLayout() : Title(DefaultTitle) {}

const char* CHTMLLayout::GetClassName() const {
    return "HTMLLayout";
}

bool CHTMLLayout::SetParam(std::string_view name, std::string_view value) {
    if (CLayoutSkeleton::SetParam(name, value))
        return true;
    if (!EqualsIgnoreCase(name, "Title"))
        return false;
    Title.assign(value);
    return true;
}

std::string CHTMLLayout::GetParam(std::string_view name) const {
    return EqualsIgnoreCase(name, "Title") ? Title : CLayoutSkeleton::GetParam(name);
}

const char* CHTMLLayout::LevelToHtmlColour(Level level) {
    switch (level) {
        case Levels::Fatal:
            return "\"Magenta\"";
        case Levels::Error:
            return "\"Red\"";
        case Levels::Warn:
            return "\"Yellow\"";
        case Levels::Debug:
            return "\"Green\"";
        default:
            return "\"Black\"";
    }
}

bool CHTMLLayout::FormatHeader(std::string& text, std::string_view appenderClassName,
                               std::string_view appenderName) {
    text.clear();
    text += "<html><head><title>";
    if (Title == DefaultTitle) {
        text += "HTML layout ";
        AppendEscaped(text, appenderClassName);
        text += ':';
        AppendEscaped(text, appenderName);
        text += " log messages report";
    } else {
        AppendEscaped(text, Title);
    }
    text += "</title>";
    text += "<style type=\"text/css\">";
    AppendStyleSheet(text);
    text += "</style></head><body topmargin=6 leftmargin=6 ><hr size=2 noshade>";
    AppendSessionLine(text, appenderClassName, appenderName, "start");
    text += "<br><br>E:means Ellapsed time<br><br>";
    text +=
        "<table cellspacing=0 cellpadding=4 border=1 bordercolor=#224466 width=\"100%\">"
        "<tr><th>E</th><th>Date</th><th>Logger</th><th>Level</th><th>Message</th></tr>\n";
    return true;
}

bool CHTMLLayout::FormatFooter(std::string& text, std::string_view appenderClassName,
                               std::string_view appenderName) {
    text.assign("</table><br>");
    AppendSessionLine(text, appenderClassName, appenderName, "end");
    text += "<hr size=2 noshade></body></html>\n";
    return true;
}

bool CHTMLLayout::Format(const CLoggingEvent& event, std::string& text) {
    text.assign("<tr><td>");
    AppendDecimal(text, event.ElapsedTime);
    text += "</td><td>";
    AppendNow(text);
    text += "</td><td>";
    AppendEscaped(text, event.Category.view());
    text += "</td><td><font color=";
    text += LevelToHtmlColour(event.Level);
    text += '>';
    text += LevelToString(event.Level);
    text += "</font></td><td>";
    AppendEscaped(text, event.Message.view());
    text += "</td>\n";
    return true;
}

}  // namespace scrivlog
