#include "shellext/PathText.h"

#include <cstring>

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

void FormatCaption(char (&buffer)[CaptionBufferSize], const char* format, const char* path) {
    const char* marker = std::strstr(format, "%s");
    size_t prefixLength = marker ? static_cast<size_t>(marker - format) : std::strlen(format);
    const char* suffix = marker ? marker + 2 : "";
    size_t suffixLength = std::strlen(suffix);
    size_t pathLength = marker ? std::strlen(path) : 0;
    const size_t capacity = CaptionBufferSize - 1;

    size_t length = 0;
    auto append = [&](const char* text, size_t count) {
        if (count > capacity - length)
            count = capacity - length;
        std::memcpy(buffer + length, text, count);
        length += count;
    };
    append(format, prefixLength);
    size_t room = capacity - length > suffixLength ? capacity - length - suffixLength : 0;
    if (pathLength <= room) {
        append(path, pathLength);
    } else if (room > 3) {
        // Keep the drive and the file name, the two ends a user recognises.
        size_t kept = room - 3;
        size_t head = kept / 2;
        append(path, head);
        append("...", 3);
        append(path + pathLength - (kept - head), kept - head);
    }
    append(suffix, suffixLength);
    buffer[length] = '\0';
}

}  // namespace tamarack
