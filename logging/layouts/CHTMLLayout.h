// Writes a log as one HTML document: a head with a fixed style sheet and the opening of
// a five-column table (elapsed time, date, logger, level, message), one row per event,
// and a foot that closes the table. Lines end with a line feed alone. Texts from events,
// names and the title are escaped (&, <, >, "), so they show as written and add no markup.
#pragma once

#include <string>

#include "logging/core/CLayoutSkeleton.h"

namespace scrivlog {

class CHTMLLayout : public CLayoutSkeleton {
  public:
    // The title "Scrivlog logging report".
    CHTMLLayout();

    const char* GetClassName() const override;
    // "Title".
    bool SetParam(std::string_view name, std::string_view value) override;
    std::string GetParam(std::string_view name) const override;
    bool FormatHeader(std::string& text, std::string_view appenderClassName,
                      std::string_view appenderName) override;
    bool FormatFooter(std::string& text, std::string_view appenderClassName,
                      std::string_view appenderName) override;
    // One table row, without its end tag.
    bool Format(const CLoggingEvent& event, std::string& text) override;

    // The quoted colour of a level's cell: "\"Red\"" for errors, and so on.
    static const char* LevelToHtmlColour(Level level);

    // With the default title, the document is titled after the appender.
    static constexpr const char* DefaultTitle = "Scrivlog logging report";
    std::string Title;
};

}  // namespace scrivlog
