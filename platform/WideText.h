// Text between UTF-8, which the portable code keeps in 8-bit strings, and the UTF-16 of
// the system's wide calls. Every sequence of 16-bit units round-trips exactly: an
// unpaired surrogate (which a Windows file name may hold) is written as its own 3-byte
// sequence rather than replaced, so a name is never changed on its way through.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Utf16FromUtf8(std::string_view utf8);
std::string Utf8FromUtf16(std::u16string_view utf16);
#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// `path` in the form the wide file calls take for any length: a full drive path as
// \\?\C:\..., a network path as \\?\UNC\server\share\.... That form also keeps the name
// exactly as given, where the classic form would drop a trailing dot or space or read a
// name such as "nul" as a device, and so reach another file. A path already in that
// form, a device path, and one that needs the classic form's clean-up (a relative path,
// slashes, "." or ".." parts) stay as they are.
std::wstring WideFilePath(std::string_view path);
#endif

}  // namespace platform
