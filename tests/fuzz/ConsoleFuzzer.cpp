// The console's text filter on arbitrary datagrams. Whatever arrives, what reaches the
// terminal holds no control character but tab and line ends, and escape characters only
// in colour sequences and the clear-screen request; for a UTF-8 terminal it is valid
// UTF-8 without C1 controls (U+0080-U+009F), for an 8-bit one it holds no byte
// 0x80-0x9F; and the output does not depend on where the text was cut into datagrams.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ConsoleTextFilter.h"

namespace {

using Charset = ConsoleTextFilter::Charset;

bool OnlyColoursAndClearScreen(const std::string& text, Charset charset) {
    const std::string clear = ConsoleTextFilter::TerminalClearScreen;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (text.compare(i, clear.size(), clear) == 0) {
            i += clear.size() - 1;
        } else if (byte == '\033') {
            if (text.compare(i, 2, "\033[") != 0)
                return false;
            for (i += 2; i < text.size() && (std::isdigit(text[i]) || text[i] == ';'); ++i) {
            }
            if (i >= text.size() || text[i] != 'm')
                return false;
        } else if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F ||
                   (charset == Charset::EightBit && byte >= 0x80 && byte <= 0x9F)) {
            return false;
        } else if (charset == Charset::Utf8 && byte >= 0x80) {
            // A whole UTF-8 character that is no C1 control, overlong form or surrogate.
            const size_t length = byte < 0xC2 || byte > 0xF4 ? 0
                                  : byte < 0xE0              ? 2
                                  : byte < 0xF0              ? 3
                                                             : 4;
            if (length == 0 || i + length > text.size())
                return false;
            uint32_t code = byte & (0x7F >> length);
            for (size_t k = 1; k < length; ++k) {
                if ((text[i + k] & 0xC0) != 0x80)
                    return false;
                code = code << 6 | (text[i + k] & 0x3F);
            }
            const uint32_t least[] = {0, 0, 0xA0, 0x800, 0x10000};
            if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return false;
            i += length - 1;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t cut = data[0] % (input.size() + 1);

    for (Charset charset : {Charset::Utf8, Charset::EightBit}) {
        ConsoleTextFilter whole(true, true, charset), pieces(true, true, charset),
            plain(false, false, charset);
        std::string wholeText, piecesText, plainText;
        whole.Filter(input, wholeText);
        pieces.Filter(input.substr(0, cut), piecesText);
        pieces.Filter(input.substr(cut), piecesText);
        plain.Filter(input, plainText);
        wholeText += whole.Finish();
        piecesText += pieces.Finish();
        if (wholeText != piecesText || !OnlyColoursAndClearScreen(wholeText, charset) ||
            !OnlyColoursAndClearScreen(plainText, charset) ||
            plainText.find('\033') != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
