// The handler's decisions about paths, as plain text: containing directories, bare
// names, the clipboard's quoting, and menu captions that always fit their buffer. Paths
// are UTF-8, in which a backslash or an ASCII letter is never part of another
// character, so the cuts at a backslash and the upper-casing below are safe on bytes.
#pragma once

#include <cstddef>
#include <string>

namespace tamarack {

// The longest caption, in UTF-16 units as the menu holds it (its buffer of 272 with the
// terminator), and the UTF-8 buffer that holds any caption of that length.
constexpr size_t CaptionLength = 271;
constexpr size_t CaptionBufferSize = 3 * CaptionLength + 1;

// `path` without its last backslash and what follows; a path without a backslash has
// no containing directory and is kept whole.
std::string ContainingDirectory(const std::string& path);
// The directory a command shell starts in for `path`: its containing directory, with a
// bare drive ("C:") made its root ("C:\").
std::string ShellDirectoryOf(const std::string& path);
// The part after the last backslash (the whole path when it has none).
std::string BareName(const std::string& path);
// a to z become A to Z; nothing else changes.
std::string UpperCaseAscii(std::string text);
// The text wrapped in double quotes when it contains a space.
std::string QuoteIfSpaced(const std::string& text);
// The text of the "Copy to Clipboard (%s)" command for these modifier keys.
std::string ClipboardTextOf(const std::string& path, bool controlDown, bool shiftDown);

// `format` with its one "%s" replaced by `path` into `buffer`. A caption longer than
// CaptionLength is shortened visibly by putting "..." in the middle of the path, cut
// between whole characters.
void FormatCaption(char (&buffer)[CaptionBufferSize], const char* format, const char* path);

}  // namespace tamarack
