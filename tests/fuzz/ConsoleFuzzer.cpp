// The console's text filter on arbitrary datagrams. Whatever arrives, what reaches the
// terminal holds no control character but tab and line ends, no byte 0x80-0x9F, and
// escape characters only in colour sequences and the clear-screen request; and the
// output does not depend on where the text was cut into datagrams.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "ConsoleTextFilter.h"

namespace {

bool OnlyColoursAndClearScreen(const std::string& text) {
    const std::string clear = ConsoleTextFilter::TerminalClearScreen;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte == '\033') {
            if (text.compare(i, clear.size(), clear) == 0) {
                i += clear.size() - 1;
                continue;
            }
            if (i + 1 >= text.size() || text[i + 1] != '[')
                return false;
            for (i += 2; i < text.size() && (std::isdigit(text[i]) || text[i] == ';'); ++i) {
            }
            if (i >= text.size() || text[i] != 'm')
                return false;
        } else if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') ||
                   (byte >= 0x7F && byte <= 0x9F)) {
            return false;
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

    ConsoleTextFilter whole(true, true), pieces(true, true), plain(false, false);
    std::string wholeText, piecesText, plainText;
    whole.Filter(input, wholeText);
    pieces.Filter(input.substr(0, cut), piecesText);
    pieces.Filter(input.substr(cut), piecesText);
    plain.Filter(input, plainText);
    wholeText += whole.Finish();
    piecesText += pieces.Finish();
    if (wholeText != piecesText || !OnlyColoursAndClearScreen(wholeText) ||
        !OnlyColoursAndClearScreen(plainText) || plainText.find('\033') != std::string::npos)
        __builtin_trap();
    return 0;
}
