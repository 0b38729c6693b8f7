// Turns the datagrams of the UDP console appenders into text for the console's
// output. Colour sequences (ESC [ ... m) pass through or are stripped; the clear-screen
// sequence (ESC "4") becomes the terminal's clear-screen-and-home sequence or nothing.
// Every other escape sequence and control character except tab, line feed and
// carriage return is dropped, so that what arrives over the network cannot drive the
// terminal beyond colours. That includes the C1 controls, which a terminal takes as
// single bytes 0x80-0x9F (8-bit terminals) or in their UTF-8 form C2 80 - C2 9F: no byte
// 0x80-0x9F is passed on, so the continuation bytes of such UTF-8 characters are
// dropped too. Sequences may be split across datagrams.
#pragma once

#include <string>
#include <string_view>

class ConsoleTextFilter {
  public:
    ConsoleTextFilter(bool passColours, bool clearScreen)
        : m_passColours(passColours), m_clearScreen(clearScreen) {}

    // Appends the filtered form of `input` to `output`.
    void Filter(std::string_view input, std::string& output);
    // What ends the output cleanly: the colour reset when colours were passed.
    std::string Finish() const;

    static constexpr const char* TerminalClearScreen = "\033[2J\033[H";

  private:
    enum class State { Text, Escape, Sequence };
    static constexpr size_t MaxParameterLength = 32;

    void FilterByte(char c, std::string& output);

    bool m_passColours;
    bool m_clearScreen;
    bool m_coloured = false;  // a colour sequence was passed on
    State m_state = State::Text;
    std::string m_parameters;  // of the sequence being read
    bool m_parametersValid = true;
    bool m_heldLead = false;  // a C2 byte that may start the UTF-8 form of a C1 control
};
