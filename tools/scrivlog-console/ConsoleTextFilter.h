// Turns the datagrams of the UDP console appenders into text for the console's
// output. Colour sequences (ESC [ ... m) pass through or are stripped; the clear-screen
// sequence (ESC "4") becomes the terminal's clear-screen-and-home sequence or nothing.
// Every other escape sequence and control character except tab, line feed and
// carriage return is dropped, so that what arrives over the network cannot drive the
// terminal beyond colours. That includes the C1 controls: for an 8-bit terminal every
// byte 0x80-0x9F is dropped; for a UTF-8 terminal well-formed characters pass whole
// except C2 80 - C2 9F (the C1 controls), and ill-formed sequences (stray continuation
// bytes, truncated or overlong forms, surrogates, beyond U+10FFFF) are dropped.
// Sequences and characters may be split across datagrams.
#pragma once

#include <string>
#include <string_view>

class ConsoleTextFilter {
  public:
    enum class Charset { EightBit, Utf8 };

    ConsoleTextFilter(bool passColours, bool clearScreen, Charset charset)
        : m_passColours(passColours),
          m_clearScreen(clearScreen),
          m_utf8(charset == Charset::Utf8) {}

    // Appends the filtered form of `input` to `output`.
    void Filter(std::string_view input, std::string& output);
    // What ends the output cleanly: the colour reset when colours were passed.
    std::string Finish() const;

    static constexpr const char* TerminalClearScreen = "\033[2J\033[H";

  private:
    enum class State { Text, Escape, Sequence };
    static constexpr size_t MaxParameterLength = 32;

    void FilterByte(char c, std::string& output);
    void StartCharacter(unsigned char lead);

    bool m_passColours;
    bool m_clearScreen;
    bool m_utf8;
    bool m_coloured = false;  // a colour sequence was passed on
    State m_state = State::Text;
    std::string m_parameters;  // of the sequence being read
    bool m_parametersValid = true;
    // The UTF-8 character being read: its bytes so far, how many are still to come,
    // and the range the next one must be in.
    char m_character[4] = {};
    size_t m_characterLength = 0;
    size_t m_missing = 0;
    unsigned char m_low = 0x80, m_high = 0xBF;
};
