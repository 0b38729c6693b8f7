// A small, forgiving parser for configuration text: elements with attributes and text,
// comments and CDATA sections; processing instructions such as <?xml ... ?> are
// skipped; five entity references are decoded and a backslash escapes the character
// after it in values. Everything is 8-bit text.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "logging/config/XmlNode.h"

namespace scrivlog {

struct XmlEntity {
    char Character;
    const char* Reference;
};

// &amp; &quot; &apos; &lt; &gt;, tried in this order.
extern const XmlEntity XmlEntityTable[5];

struct XmlParseSettings {
    bool TrimValues = false;
    bool DecodeEntities = true;
    const XmlEntity* Entities = XmlEntityTable;
    size_t EntityCount = 5;
    char EscapeCharacter = '\\';  // '\0' for none
    bool ForceParse = false;      // accept a closing tag whose name does not match

    // Set by the first error of a parse (two messages always replace the text).
    bool ErrorOccurred = false;
    std::optional<size_t> ErrorPosition;  // offset into the text
    int ErrorCode =
        0;  // 1 element not closed, 2 tag not closed or not found, 3 mismatch, 4 attribute
    std::string ErrorText;

    // Forgets any earlier error, keeping the options.
    void ClearError();
};

// The settings every configuration parse uses.
extern XmlParseSettings TheXmlParseSettings;

// Elements nested deeper than this end the parse with an error instead of exhausting
// the stack.
constexpr int XmlMaximumDepth = 200;

// Parses one element, with everything inside it, from `text` into `node` (cleared
// first). Returns the offset just after the element, or nothing on failure, when
// `settings` holds the error. Never reads outside `text`.
std::optional<size_t> Load(XmlNode& node, std::string_view text,
                           XmlParseSettings& settings = TheXmlParseSettings);

}  // namespace scrivlog
