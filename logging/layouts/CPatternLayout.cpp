#include "logging/layouts/CPatternLayout.h"

#include "logging/core/SystemUtilities.h"
#include "logging/core/Text.h"
#include "logging/core/TimeFormat.h"
#include "platform/Environment.h"

namespace scrivlog {
namespace {

constexpr std::string_view DefaultPattern = "%-5p - %m%n";
constexpr std::string_view Conversions = "abcdmnprtuMOR";
// The environment value read for %u and %O is cut to what a buffer of 2000 characters
// holds with its terminator.
constexpr size_t MaxEnvironmentText = 1999;

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether a date pattern writes milliseconds: an S outside quoted text.
bool ShowsMilliseconds(std::string_view pattern) {
    bool quoted = false;
    for (char c : pattern) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c == 'S')
            return true;
    }
    return false;
}

bool SameSecond(const platform::DateTime& a, const platform::DateTime& b) {
    return a.Second == b.Second && a.Minute == b.Minute && a.Hour == b.Hour && a.Day == b.Day &&
           a.Month == b.Month && a.Year == b.Year;
}

// The executable's file name: what follows the last separator of its path.
const std::string& ProcessFileName() {
    static const std::string name = [] {
        std::string path = platform::ExecutablePath();
        size_t separator = path.find_last_of("\\/");
        if (path.empty() || separator == std::string::npos)
            return std::string("[NoModuleName]");
        return path.substr(separator + 1);
    }();
    return name;
}

void AppendEnvironmentText(std::string& out, const char* name) {
    thread_local std::string value;
    value.clear();
    if (!platform::GetEnvironmentValue(name, value))
        return;
    out.append(value, 0, MaxEnvironmentText);
}

// The category cut to its last `depth` components (depth > 0). The first character is
// never looked at: a leading dot does not count.
std::string_view LastComponents(std::string_view name, int depth) {
    for (size_t i = name.size(); i-- > 1;) {
        if (name[i] == '.' && --depth == 0)
            return name.substr(i + 1);
    }
    return name;
}

}  // namespace

CPatternLayout::CPatternLayout() {
    SetConversionPattern(DefaultPattern);
}

CPatternLayout::~CPatternLayout() = default;

const char* CPatternLayout::GetClassName() const {
    return "PatternLayout";
}

bool CPatternLayout::SetParam(std::string_view name, std::string_view value) {
    if (!EqualsIgnoreCase(name, "ConversionPattern"))
        return false;
    SetConversionPattern(value);
    return true;
}

std::string CPatternLayout::GetParam(std::string_view name) const {
    return EqualsIgnoreCase(name, "ConversionPattern") ? m_pattern
                                                       : CLayoutSkeleton::GetParam(name);
}

void CPatternLayout::SetConversionPattern(std::string_view pattern) {
    std::lock_guard<std::mutex> guard(m_cacheLock);
    m_pattern.assign(pattern);
    Compile();
}

std::string_view CPatternLayout::AbbreviateCategory(std::string_view name,
                                                    std::string_view option) {
    if (option.empty())
        return name;
    int32_t depth = ParseInt(option);
    if (depth <= 0)
        return {};
    return LastComponents(name, depth);
}

void CPatternLayout::Compile() {
    m_pieces.clear();
    m_valid = false;
    const std::string& p = m_pattern;
    const size_t n = p.size();
    std::string literal;
    auto flushLiteral = [&] {
        if (literal.empty())
            return;
        Piece piece;
        piece.text.swap(literal);
        m_pieces.push_back(std::move(piece));
        literal.clear();
    };
    size_t i = 0;
    while (i < n) {
        char c = p[i];
        if (c == '\\') {
            // An escape takes the character after it: "\\" a backslash, "\n" a line end,
            // anything else nothing. A backslash at the very end writes nothing.
            if (i + 1 < n) {
                if (p[i + 1] == '\\')
                    literal += '\\';
                else if (p[i + 1] == 'n')
                    literal += LineSeparator();
            }
            i += 2;
            continue;
        }
        if (c != '%') {
            literal += c;
            ++i;
            continue;
        }
        if (i + 1 < n && p[i + 1] == '%') {
            literal += '%';
            i += 2;
            continue;
        }
        // A conversion: modifier (anything up to the first letter), letter, {option}.
        size_t letterAt = i + 1;
        while (letterAt < n && !IsAsciiLetter(p[letterAt]))
            ++letterAt;
        if (letterAt >= n)
            return;  // no letter: malformed
        std::string_view modifier(p.data() + i + 1, letterAt - i - 1);
        if (modifier.size() > MaxModifierLength)
            return;
        Piece piece;
        piece.letter = p[letterAt];
        if (Conversions.find(piece.letter) == std::string_view::npos)
            return;
        size_t next = letterAt + 1;
        if (next < n && p[next] == '{') {
            size_t close = p.find('}', next + 1);
            if (close == std::string::npos)
                return;  // unclosed option: malformed
            piece.text.assign(p, next + 1, close - next - 1);
            next = close + 1;
        }
        i = next;
        if (piece.letter == 'R')
            continue;  // shows nothing, not even padding
        if (!modifier.empty() && modifier[0] == '-') {
            piece.rightAligned = false;
            modifier.remove_prefix(1);
        }
        int32_t width = ParseInt(modifier);
        piece.width = static_cast<size_t>(width < 0 ? 0 : (width > MaxWidth ? MaxWidth : width));
        if (piece.letter == 'c') {
            if (piece.text.empty())
                piece.depth = -1;
            else
                piece.depth = ParseInt(piece.text) > 0 ? ParseInt(piece.text) : 0;
        } else if (piece.letter == 'd') {
            piece.millisecondsAppended = piece.text.empty() ||
                                         EqualsIgnoreCase(piece.text, "ISO8601") ||
                                         EqualsIgnoreCase(piece.text, "ABSOLUTE");
            piece.keyedByMillisecond = !piece.millisecondsAppended &&
                                       !EqualsIgnoreCase(piece.text, "YY_MM_dd_HH_mm_ss") &&
                                       ShowsMilliseconds(piece.text);
        }
        flushLiteral();
        m_pieces.push_back(std::move(piece));
    }
    flushLiteral();
    m_valid = true;
}

void CPatternLayout::AppendTime(Piece& piece, std::string& out) {
    platform::DateTime now = platform::LocalTime();
    std::unique_lock<std::mutex> guard(m_cacheLock, std::try_to_lock);
    if (!guard.owns_lock()) {  // another appender is formatting with this layout
        AppendFormattedTime(out, now, piece.text);
        return;
    }
    bool hit = piece.cacheValid && SameSecond(piece.cachedTime, now) &&
               (!piece.keyedByMillisecond || piece.cachedTime.Millisecond == now.Millisecond);
    if (!hit) {
        piece.cachedText.clear();
        AppendFormattedTime(piece.cachedText, now, piece.text);
        // The named forms end in exactly three digits of milliseconds.
        if (piece.millisecondsAppended)
            piece.cachedText.resize(piece.cachedText.size() - 3);
        piece.cachedTime = now;
        piece.cacheValid = true;
    }
    out += piece.cachedText;
    if (piece.millisecondsAppended) {
        int ms = now.Millisecond < 0 ? 0 : now.Millisecond % 1000;
        out += static_cast<char>('0' + ms / 100);
        out += static_cast<char>('0' + ms / 10 % 10);
        out += static_cast<char>('0' + ms % 10);
    }
}

namespace {

void AppendPadded(std::string& out, std::string_view value, size_t width, bool rightAligned) {
    size_t fill = value.size() < width ? width - value.size() : 0;
    if (rightAligned && fill)
        out.append(fill, ' ');
    out += value;
    if (!rightAligned && fill)
        out.append(fill, ' ');
}

}  // namespace

bool CPatternLayout::Format(const CLoggingEvent& event, std::string& text) {
    text.clear();
    if (!m_valid)
        return false;
    for (Piece& piece : m_pieces) {
        // Values at hand are padded as they are appended; the others are appended
        // first and padded afterwards.
        std::string_view value;
        switch (piece.letter) {
            case 0:
                text += piece.text;
                continue;
            case 'a':
                value = event.AppenderName.view();
                break;
            case 'b':
                value = event.AppenderClassName.view();
                break;
            case 'c':
                if (piece.depth < 0)
                    value = event.Category.view();
                else if (piece.depth > 0)
                    value = LastComponents(event.Category.view(), piece.depth);
                break;
            case 'm':
                value = event.Message.view();
                break;
            case 'n':
                value = LineSeparator();
                break;
            case 'p':
                value = LevelToString(event.Level);
                break;
            case 't':
                value = event.ThreadName.view();
                break;
            case 'M':
                value = ProcessFileName();
                break;
            default: {
                size_t start = text.size();
                if (piece.letter == 'd')
                    AppendTime(piece, text);
                else if (piece.letter == 'r')
                    AppendDecimal(text, event.ElapsedTime);
                else
                    AppendEnvironmentText(text, piece.letter == 'u' ? "USERNAME" : "COMPUTERNAME");
                size_t length = text.size() - start;
                if (length < piece.width) {
                    if (piece.rightAligned)
                        text.insert(start, piece.width - length, ' ');
                    else
                        text.append(piece.width - length, ' ');
                }
                continue;
            }
        }
        AppendPadded(text, value, piece.width, piece.rightAligned);
    }
    return true;
}

}  // namespace scrivlog
