#include "shellext/PathText.h"

#include <cstring>
#include <string_view>

namespace tamarack {

std::string ContainingDirectory(const std::string& path) {
    size_t backslash = path.rfind('\\');
    return backslash == std::string::npos ? path : path.substr(0, backslash);
}

std::string ShellDirectoryOf(const std::string& path) {
    std::string directory = ContainingDirectory(path);
    if (directory.size() < 3 && directory.size() >= 2 && directory[1] == ':')
        directory += '\\';
    return directory;
}

std::string BareName(const std::string& path) {
    size_t backslash = path.rfind('\\');
    return backslash == std::string::npos ? path : path.substr(backslash + 1);
}

std::string UpperCaseAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string QuoteIfSpaced(const std::string& text) {
    return text.find(' ') == std::string::npos ? text : "\"" + text + "\"";
}

std::string ClipboardTextOf(const std::string& path, bool controlDown, bool shiftDown) {
    std::string text = controlDown ? BareName(path) : path;
    if (shiftDown)
        text = UpperCaseAscii(std::move(text));
    return QuoteIfSpaced(text);
}

namespace {

// The bytes of the character that starts `text`: its lead byte and the continuation
// bytes that the lead announces (a stray byte stands alone, as one unit).
size_t CharacterBytes(std::string_view text) {
    auto lead = static_cast<unsigned char>(text[0]);
    size_t announced = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    size_t length = 1;
    while (length <= announced && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return length;
}

// The UTF-16 units of that character: a 4-byte sequence is a surrogate pair. So no
// character has more than 3 bytes per unit.
size_t CharacterUnits(std::string_view text) {
    return static_cast<unsigned char>(text[0]) >= 0xF0 ? 2 : 1;
}

// The byte offset after the whole characters at the start of `text` that make `units`
// UTF-16 units: at most that many with `atMost`, else at least that many.
size_t OffsetAfterUnits(std::string_view text, size_t units, bool atMost) {
    size_t offset = 0, counted = 0;
    while (offset < text.size() && counted < units) {
        std::string_view rest = text.substr(offset);
        size_t characterUnits = CharacterUnits(rest);
        if (atMost && counted + characterUnits > units)
            break;
        offset += CharacterBytes(rest);
        counted += characterUnits;
    }
    return offset;
}

size_t UnitsOf(std::string_view text) {
    size_t units = 0;
    for (size_t offset = 0; offset < text.size(); offset += CharacterBytes(text.substr(offset)))
        units += CharacterUnits(text.substr(offset));
    return units;
}

}  // namespace

void FormatCaption(char (&buffer)[CaptionBufferSize], const char* format, const char* path) {
    std::string_view whole(format);
    size_t marker = whole.find("%s");
    std::string_view prefix = whole.substr(0, marker);
    std::string_view suffix = marker == std::string_view::npos ? "" : whole.substr(marker + 2);
    std::string_view text = marker == std::string_view::npos ? "" : path;

    size_t length = 0, units = 0;
    // A character has at least one byte per unit: a caption short in bytes fits whole.
    if (prefix.size() + text.size() + suffix.size() <= CaptionLength) {
        for (std::string_view piece : {prefix, text, suffix}) {
            std::memcpy(buffer + length, piece.data(), piece.size());
            length += piece.size();
        }
        buffer[length] = '\0';
        return;
    }
    auto append = [&](std::string_view piece) {
        size_t bytes = OffsetAfterUnits(piece, CaptionLength - units, true);
        // At most 3 bytes per unit: the buffer always has the room.
        if (length + bytes >= CaptionBufferSize)
            return;
        std::memcpy(buffer + length, piece.data(), bytes);
        length += bytes;
        units += UnitsOf(piece.substr(0, bytes));
    };
    append(prefix);
    size_t suffixUnits = UnitsOf(suffix);
    size_t room = CaptionLength - units > suffixUnits ? CaptionLength - units - suffixUnits : 0;
    size_t textUnits = UnitsOf(text);
    if (textUnits <= room) {
        append(text);
    } else if (room > 3) {
        // Keep the drive and the file name, the two ends a user recognises.
        size_t kept = room - 3;
        size_t head = kept / 2;
        append(text.substr(0, OffsetAfterUnits(text, head, true)));
        append("...");
        append(text.substr(OffsetAfterUnits(text, textUnits - (kept - head), false)));
    }
    append(suffix);
    buffer[length] = '\0';
}

}  // namespace tamarack
