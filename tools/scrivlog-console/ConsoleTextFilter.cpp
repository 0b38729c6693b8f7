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
    const bool c1 = byte >= 0x80 && byte <= 0x9F;
    if (m_heldLead) {
        m_heldLead = false;
        if (!c1)
            output += '\xC2';  // the lead of some other character
    }
    if (c == '\033') {
        m_state = State::Escape;
        return;
    }
    if (byte == 0xC2) {
        m_heldLead = true;
        return;
    }
    if (byte < 0x20 && c != '\n' && c != '\r' && c != '\t')
        return;
    if (byte == 0x7F || c1)
        return;
    output += c;
}
