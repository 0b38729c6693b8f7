// Formats an event after a printf-like conversion pattern: "%d [%-5p] %c{1} %m%n".
// Conversions: %a appender name, %b appender class, %c{n} category (its last n
// components), %d{format} local time, %m message, %n line end, %p level, %r elapsed
// milliseconds, %t thread, %u user, %M executable, %O computer, %R nothing; "%%" is a
// percent sign, "\\" a backslash and "\n" a line end. A modifier between % and the
// letter sets a minimum width ("-" pads on the right). A malformed pattern formats
// nothing.
//
// The pattern is compiled once, when it is set, and the text of the current second is
// kept between records, so formatting a record neither re-parses the pattern nor
// re-formats the date.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "logging/core/CLayoutSkeleton.h"
#include "platform/Clock.h"

namespace scrivlog {

class CPatternLayout : public CLayoutSkeleton {
  public:
    // The pattern "%-5p - %m%n".
    CPatternLayout();
    ~CPatternLayout() override;

    const char* GetClassName() const override;
    // "ConversionPattern": any text; errors show only when formatting.
    bool SetParam(std::string_view name, std::string_view value) override;
    std::string GetParam(std::string_view name) const override;
    // False (and nothing to write) when the pattern is malformed.
    bool Format(const CLoggingEvent& event, std::string& text) override;

    const std::string& GetConversionPattern() const { return m_pattern; }
    void SetConversionPattern(std::string_view pattern);

    // The category shortened to its last `option` dot-separated components; the whole
    // name for an empty option, the empty text for an option that is not positive.
    static std::string_view AbbreviateCategory(std::string_view name, std::string_view option);

    // The longest modifier between % and the letter; a longer one makes the pattern
    // malformed.
    static constexpr size_t MaxModifierLength = 49;
    // Widths beyond this are taken as this: no record can be longer when written.
    static constexpr int MaxWidth = 65535;

  private:
    // One compiled step of the pattern: literal text, or one conversion.
    struct Piece {
        char letter = 0;  // 0 for literal text
        bool rightAligned = true;
        size_t width = 0;
        std::string text;  // the literal text, or the option of the conversion
        int depth = 0;     // %c: components kept; -1 for the whole name
        // %d: the text of the last second formatted (for ISO8601 and ABSOLUTE without
        // the three digits of milliseconds, which follow it).
        bool millisecondsAppended = false;  // ISO8601 / ABSOLUTE
        bool keyedByMillisecond = false;    // a date pattern that shows milliseconds
        bool cacheValid = false;
        platform::DateTime cachedTime;
        std::string cachedText;
    };

    void Compile();
    void AppendTime(Piece& piece, std::string& out);

    std::string m_pattern;
    std::vector<Piece> m_pieces;
    bool m_valid = true;
    // Guards the date caches of the pieces, in case one layout serves several appenders.
    std::mutex m_cacheLock;
};

}  // namespace scrivlog
