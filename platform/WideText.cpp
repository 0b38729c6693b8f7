#include "platform/WideText.h"

namespace platform {
namespace {

template <class Wide>
Wide ToUtf16(std::string_view utf8) {
    Wide out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        auto byte = [&](size_t at) { return static_cast<unsigned char>(utf8[at]); };
        unsigned char lead = byte(i);
        size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k) {
            if (i + k >= utf8.size() || (byte(i + k) & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            code = (code << 6) | (byte(i + k) & 0x3F);
        }
        // Overlong and out-of-range forms are not characters.
        if ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
            length = 0;
        if (length == 0) {
            out.push_back(static_cast<typename Wide::value_type>(0xFFFD));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<typename Wide::value_type>(0xD800 + (code >> 10)));
            out.push_back(static_cast<typename Wide::value_type>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<typename Wide::value_type>(code));
        }
        i += length;
    }
    return out;
}

template <class Unit>
std::string ToUtf8(std::basic_string_view<Unit> utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = static_cast<char16_t>(utf16[i]);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < utf16.size()) {
            char32_t low = static_cast<char16_t>(utf16[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace

std::u16string Utf16FromUtf8(std::string_view utf8) {
    return ToUtf16<std::u16string>(utf8);
}

std::string Utf8FromUtf16(std::u16string_view utf16) {
    return ToUtf8(utf16);
}

#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view utf8) {
    return ToUtf16<std::wstring>(utf8);
}

std::string Utf8FromWide(std::wstring_view wide) {
    return ToUtf8(wide);
}

std::wstring WideFilePath(std::string_view path) {
    std::wstring wide = WideFromUtf8(path);
    std::wstring padded = wide + L'\\';
    if (wide.find(L'/') != std::wstring::npos || padded.find(L"\\.\\") != std::wstring::npos ||
        padded.find(L"\\..\\") != std::wstring::npos)
        return wide;
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        return L"\\\\?\\" + wide;
    if (wide.size() >= 3 && wide[0] == L'\\' && wide[1] == L'\\' && wide[2] != L'?' &&
        wide[2] != L'.')
        return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;
}
#endif

}  // namespace platform
