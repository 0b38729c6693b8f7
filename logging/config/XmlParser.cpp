#include "logging/config/XmlParser.h"

#include <cstdio>

#include "logging/core/Text.h"

namespace scrivlog {

const XmlEntity XmlEntityTable[5] = {
    {'&', "&amp;"}, {'"', "&quot;"}, {'\'', "&apos;"}, {'<', "&lt;"}, {'>', "&gt;"}};

XmlParseSettings TheXmlParseSettings;

void XmlParseSettings::ClearError() {
    ErrorOccurred = false;
    ErrorPosition.reset();
    ErrorCode = 0;
    ErrorText.clear();
}

namespace {

constexpr size_t NotFound = std::string_view::npos;

bool IsWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsBlank(std::string_view text) {
    for (char c : text)
        if (!IsWhiteSpace(c))
            return false;
    return true;
}

// One parse over one text. Positions are offsets; the end of the text is text.size().
class Parser {
  public:
    Parser(std::string_view text, XmlParseSettings& settings)
        : m_text(text), m_settings(settings) {}

    std::optional<size_t> LoadElement(XmlNode& node, size_t position, int depth);

  private:
    bool AtEnd(size_t position) const { return position >= m_text.size(); }
    bool StartsWith(size_t position, std::string_view prefix) const {
        return m_text.compare(position < m_text.size() ? position : m_text.size(), prefix.size(),
                              prefix) == 0;
    }
    bool StartsWithIgnoreCase(size_t position, std::string_view prefix) const {
        return position <= m_text.size() && m_text.size() - position >= prefix.size() &&
               EqualsIgnoreCase(m_text.substr(position, prefix.size()), prefix);
    }
    size_t SkipWhiteSpace(size_t position) const {
        while (!AtEnd(position) && IsWhiteSpace(m_text[position]))
            ++position;
        return position;
    }
    // Plain searches: NotFound when nothing matches.
    size_t Find(char c, size_t position) const {
        return AtEnd(position) ? NotFound : m_text.find(c, position);
    }
    size_t FindAny(std::string_view set, size_t position) const {
        return AtEnd(position) ? NotFound : m_text.find_first_of(set, position);
    }
    // Escape-aware searches: the character after the escape character never matches;
    // the end of the text when nothing matches.
    size_t FindEscaped(std::string_view set, size_t position) const;
    size_t FindTextEscaped(std::string_view what, size_t position) const;

    // Records an error unless one was recorded before.
    void RecordError(int code, size_t position, const std::string& text);
    void ReplaceErrorText(const std::string& text) { m_settings.ErrorText = text; }

    // Copies the text between two positions, applying trimming and escapes, and for
    // element text and attribute values the entity references.
    std::string MakeValue(size_t begin, size_t end, bool decode) const;

    std::optional<size_t> ReadAttributes(XmlNode& node, size_t position);
    // Skips one processing instruction, comment or CDATA section at `position`.
    // Answers whether one was there; sets `returnAt` when the node is done (a comment or
    // section became a child of its parent), `failed` when it has no closer.
    bool SkipNonElement(XmlNode& node, size_t& position, std::optional<size_t>& returnAt,
                        bool& failed);

    std::string_view m_text;
    XmlParseSettings& m_settings;
};

size_t Parser::FindEscaped(std::string_view set, size_t position) const {
    char escape = m_settings.EscapeCharacter;
    for (size_t i = position; i < m_text.size(); ++i) {
        if (escape != '\0' && m_text[i] == escape) {
            ++i;  // the escaped character is passed over
            continue;
        }
        if (set.find(m_text[i]) != NotFound)
            return i;
    }
    return m_text.size();
}

size_t Parser::FindTextEscaped(std::string_view what, size_t position) const {
    char escape = m_settings.EscapeCharacter;
    for (size_t i = position; i < m_text.size(); ++i) {
        if (escape != '\0' && m_text[i] == escape) {
            ++i;
            continue;
        }
        if (StartsWithIgnoreCase(i, what))
            return i;
    }
    return m_text.size();
}

void Parser::RecordError(int code, size_t position, const std::string& text) {
    if (m_settings.ErrorOccurred)
        return;
    m_settings.ErrorOccurred = true;
    m_settings.ErrorCode = code;
    m_settings.ErrorPosition = position;
    m_settings.ErrorText = text;
}

std::string Parser::MakeValue(size_t begin, size_t end, bool decode) const {
    if (end > m_text.size())
        end = m_text.size();
    if (begin > end)
        begin = end;
    if (m_settings.TrimValues) {
        while (begin < end && IsWhiteSpace(m_text[begin]))
            ++begin;
        while (end > begin && IsWhiteSpace(m_text[end - 1]))
            --end;
    }
    std::string unescaped;
    unescaped.reserve(end - begin);
    char escape = m_settings.EscapeCharacter;
    for (size_t i = begin; i < end; ++i) {
        if (escape != '\0' && m_text[i] == escape) {
            if (++i < end)
                unescaped += m_text[i];
            continue;
        }
        unescaped += m_text[i];
    }
    if (!decode || !m_settings.DecodeEntities || !m_settings.Entities)
        return unescaped;

    std::string decoded;
    decoded.reserve(unescaped.size());
    std::string_view rest(unescaped);
    for (size_t i = 0; i < rest.size();) {
        bool replaced = false;
        if (rest[i] == '&') {
            for (size_t e = 0; e < m_settings.EntityCount; ++e) {
                std::string_view reference(m_settings.Entities[e].Reference);
                if (rest.compare(i, reference.size(), reference) == 0) {
                    decoded += m_settings.Entities[e].Character;
                    i += reference.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            decoded += rest[i++];
    }
    return decoded;
}

bool Parser::SkipNonElement(XmlNode& node, size_t& position, std::optional<size_t>& returnAt,
                            bool& failed) {
    struct Kind {
        const char* opener;
        const char* closer;
        const char* name;  // null: skipped without a node
        int type;
        const char* unclosedText;
    };
    static const Kind kinds[] = {
        {"<?", "?>", nullptr, 0, "Processing instruction must be closed with ?>"},
        {"<!--", "-->", "#COMMENT", XmlNode::Comment, "Comment must be closed with -->"},
        {"<![CDATA[", "]]>", "#CDATA", XmlNode::CData, "CDATA section must be closed with ]]>"},
    };
    bool found = false;
    for (const Kind& kind : kinds) {
        position = SkipWhiteSpace(position);
        std::string_view opener(kind.opener);
        if (!StartsWithIgnoreCase(position, opener))
            continue;
        found = true;
        size_t contentBegin = position + opener.size();
        size_t closer = FindTextEscaped(kind.closer, contentBegin);
        if (AtEnd(closer)) {
            // Without its closer the item would run off the end of the text.
            RecordError(2, position, kind.unclosedText);
            failed = true;
            return true;
        }
        position = closer + std::string_view(kind.closer).size();
        if (kind.name && node.Parent) {
            auto item = std::make_unique<XmlNode>();
            item->Name = kind.name;
            item->Type = kind.type;
            item->Value = std::string(m_text.substr(contentBegin, closer - contentBegin));
            item->Parent = node.Parent;
            item->Document = node.Parent->Document;
            node.Parent->Children.push_back(std::move(item));
            returnAt = position;
            return true;
        }
    }
    return found;
}

std::optional<size_t> Parser::ReadAttributes(XmlNode& node, size_t position) {
    for (;;) {
        if (AtEnd(position))
            return std::nullopt;
        position = SkipWhiteSpace(position);
        if (!AtEnd(position) && (m_text[position] == '>' || m_text[position] == '/'))
            return position;
        size_t nameEnd = FindAny(" =", position);
        if (nameEnd == NotFound) {
            RecordError(4, position, "<" + node.Name + "> attribute has error ");
            return std::nullopt;
        }
        auto attribute = std::make_unique<XmlAttribute>();
        attribute->Name = std::string(m_text.substr(position, nameEnd - position));
        attribute->Node = &node;
        XmlAttribute& current = *attribute;
        node.Attributes.push_back(std::move(attribute));
        position = SkipWhiteSpace(nameEnd);
        if (AtEnd(position) || m_text[position] != '=')
            continue;
        position = SkipWhiteSpace(position + 1);
        if (!AtEnd(position) && (m_text[position] == '"' || m_text[position] == '\'')) {
            char quote = m_text[position];
            size_t valueEnd = FindEscaped(std::string_view(&quote, 1), position + 1);
            if (AtEnd(valueEnd)) {
                RecordError(4, position, "<" + node.Name + "> attribute has error ");
                return std::nullopt;  // an unclosed quote: nothing after it can be read
            }
            current.Value = MakeValue(position + 1, valueEnd, true);
            position = valueEnd + 1;
        } else {
            size_t valueEnd = FindEscaped(" >", position);
            current.Value = MakeValue(position, valueEnd, true);
            position = valueEnd;
        }
    }
}

std::optional<size_t> Parser::LoadElement(XmlNode& node, size_t position, int depth) {
    node.Clear();
    size_t open = Find('<', position);
    if (open == NotFound) {
        m_settings.ErrorOccurred = true;
        m_settings.ErrorCode = 2;
        m_settings.ErrorPosition.reset();
        m_settings.ErrorText = "XML open tag not found";
        return std::nullopt;
    }
    if (StartsWith(open + 1, "/"))
        return open;  // a closing tag: the caller's
    if (depth > XmlMaximumDepth) {
        RecordError(1, open, "Elements are nested too deeply");
        return std::nullopt;
    }

    position = open;
    for (;;) {
        std::optional<size_t> returnAt;
        bool failed = false;
        bool skipped = SkipNonElement(node, position, returnAt, failed);
        if (failed)
            return std::nullopt;
        if (returnAt)
            return returnAt;
        if (!skipped)
            break;
    }
    // After skipped items the element may still be further on, or be a closing tag.
    if (AtEnd(position))
        return position;
    if (m_text[position] != '<') {
        open = Find('<', position);
        if (open == NotFound)
            return m_text.size();
        position = open;
    }
    if (StartsWith(position + 1, "/"))
        return position;

    size_t nameBegin = position + 1;
    size_t nameEnd = FindAny(" />\t\r\n", nameBegin);
    if (nameEnd == NotFound)
        nameEnd = m_text.size();
    node.Name = std::string(m_text.substr(nameBegin, nameEnd - nameBegin));

    std::optional<size_t> attributesEnd = ReadAttributes(node, nameEnd);
    if (!attributesEnd) {
        ReplaceErrorText("No attributes found in xml stream");
        return std::nullopt;
    }
    position = *attributesEnd;
    if (m_text[position] == '/') {
        if (StartsWith(position + 1, ">"))
            return position + 2;
        RecordError(1, position + 1, "Element must be closed.");
        return std::nullopt;
    }

    size_t textEnd = FindEscaped("<", position + 1);
    node.Value = MakeValue(position + 1, textEnd, true);
    position = textEnd;
    // Whether the value is still empty or white space, known without reading it again
    // after each child (that made long texts with many children quadratic).
    bool valueBlank = IsBlank(node.Value);

    while (!AtEnd(position)) {
        auto child = std::make_unique<XmlNode>();
        child->Parent = &node;
        child->Document = node.Document;
        child->Type = node.Type;
        std::optional<size_t> next = LoadElement(*child, position, depth + 1);
        if (!child->Name.empty())
            node.Children.push_back(std::move(child));
        if (!next)
            return std::nullopt;
        if (*next <= position && !StartsWith(*next, "</")) {
            RecordError(2, position, "it must be closed with </" + node.Name + ">");
            return std::nullopt;  // no progress: never loop forever
        }
        position = *next;

        if (StartsWith(position, "</")) {
            size_t closeBegin = SkipWhiteSpace(position + 2);
            size_t closeEnd = FindAny(" >", closeBegin);
            if (closeEnd == NotFound) {
                RecordError(2, position, "it must be closed with </" + node.Name + ">");
                return std::nullopt;
            }
            std::string_view closeName = m_text.substr(closeBegin, closeEnd - closeBegin);
            if (closeName == node.Name)
                return closeEnd + 1;
            if (!m_settings.ForceParse) {
                RecordError(3, position,
                            "'<" + node.Name + "> ... </" + std::string(closeName) +
                                ">' is not wel-formed.");
                return std::nullopt;
            }
            position = closeEnd + 1;
            continue;
        }
        if (valueBlank && !StartsWith(position, "<")) {
            size_t valueEnd = FindEscaped("<", position);
            node.Value = MakeValue(position, valueEnd, true);
            valueBlank = IsBlank(node.Value);
            position = valueEnd;
        }
    }
    return position;
}

}  // namespace

std::optional<size_t> Load(XmlNode& node, std::string_view text, XmlParseSettings& settings) {
    node.Name.clear();
    node.Value.clear();
    try {
        return Parser(text, settings).LoadElement(node, 0, 0);
    } catch (const std::bad_alloc&) {
        settings.ErrorOccurred = true;
        settings.ErrorText = "Out of memory while parsing";
        return std::nullopt;
    }
}

}  // namespace scrivlog
