#include "ConsoleTextFilter.h"

void ConsoleTextFilter::Filter(std::string_view input, std::string& output) {
    for (char c : input)
        FilterByte(c, output);
}

std::string ConsoleTextFilter::Finish() const {
    return m_coloured ? "\033[0m" : "";
}

void ConsoleTextFilter::FilterByte(char c, std::string& output) {
    const unsigned char byte = static_cast<unsigned char>(c);
    switch (m_state) {
        case State::Escape:
            if (c == '4') {
                if (m_clearScreen)
                    output += TerminalClearScreen;
                m_state = State::Text;
                return;
            }
            if (c == '[') {
                m_parameters.clear();
                m_parametersValid = true;
                m_state = State::Sequence;
                return;
            }
            // An escape that starts nothing we know: drop it, keep the character.
            m_state = State::Text;
            break;
        case State::Sequence:
            if (byte >= 0x20 && byte <= 0x3F) {  // parameters and intermediates
                if ((c >= '0' && c <= '9') || c == ';') {
                    if (m_parameters.size() < MaxParameterLength)
                        m_parameters += c;
                    else
                        m_parametersValid = false;
                } else {
                    m_parametersValid = false;
                }
                return;
            }
            if (byte >= 0x40 && byte <= 0x7E) {  // the final byte
                if (c == 'm' && m_parametersValid && m_passColours) {
                    output += "\033[";
                    output += m_parameters;
                    output += 'm';
                    m_coloured = true;
                }
                m_state = State::Text;
                return;
            }
            // A control character breaks the sequence off; it is read as text.
            m_state = State::Text;
            break;
        case State::Text:
            break;
    }
    if (m_missing != 0) {
        if (byte >= m_low && byte <= m_high) {
            m_character[m_characterLength++] = c;
            m_low = 0x80;
            m_high = 0xBF;
            if (--m_missing == 0)
                output.append(m_character, m_characterLength);
            return;
        }
        m_missing = 0;  // ill-formed: what was read of it is dropped, this byte starts anew
    }
    if (c == '\033') {
        m_state = State::Escape;
        return;
    }
    if ((byte < 0x20 && c != '\n' && c != '\r' && c != '\t') || byte == 0x7F)
        return;
    if (byte >= 0x80 && m_utf8)
        StartCharacter(byte);
    else if (byte < 0x80 || byte > 0x9F)
        output += c;
}

// The ranges of the second byte rule out overlong forms, surrogates and code points
// beyond U+10FFFF; after C2 they also rule out the C1 controls (U+0080-U+009F).
void ConsoleTextFilter::StartCharacter(unsigned char lead) {
    m_missing = lead >= 0xC2 && lead <= 0xDF   ? 1
                : lead >= 0xE0 && lead <= 0xEF ? 2
                : lead >= 0xF0 && lead <= 0xF4 ? 3
                                               : 0;
    m_low = lead == 0xC2 || lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    m_high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    m_character[0] = static_cast<char>(lead);
    m_characterLength = 1;
}
