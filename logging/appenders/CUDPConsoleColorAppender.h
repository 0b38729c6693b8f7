// A UDP console appender that wraps each record in the ANSI colour sequence of its
// level and a reset sequence, inside the same datagrams as the text, and can clear the
// listener's screen when it starts.
#pragma once

#include "logging/appenders/CUDPConsoleAppender.h"

namespace scrivlog {

class CUDPConsoleColorAppender : public CUDPConsoleAppender {
  public:
    CUDPConsoleColorAppender();
    CUDPConsoleColorAppender(std::string_view name, Level threshold);

    const char* GetClassName() const override;
    // "ClearScreen" after the plain appender's parameters.
    bool SetParam(std::string_view name, std::string_view value) override;
    std::string GetParam(std::string_view name) const override;
    // Colour sequence, text and "\033[0m" joined into one text.
    bool DoAppend(const CLoggingEvent& event) override;
    // Sends the clear-screen sequence (escape, "4") when ClearScreen is set.
    bool OnSocketOpened() override;

    // The colour sequence of a level; the reset sequence for levels without a colour.
    static const char* LevelColour(Level level);

    static constexpr const char* ResetSequence = "\033[0m";
    static constexpr const char* ClearScreenSequence =
        "\033"
        "4";

    bool ClearScreen = false;

  private:
    std::string m_colouredText;  // reused between records, under the lock
};

}  // namespace scrivlog
