// An appender that keeps what it is given: each written text, and a copy of each event
// with the appender fields as they were when it arrived.
#pragma once

#include <string>
#include <vector>

#include "logging/core/CAppenderSkeleton.h"

namespace testsupport {

class RecordingAppender : public scrivlog::CAppenderSkeleton {
  public:
    // Named "Recorder" at threshold All; opened at once unless `open` is false.
    explicit RecordingAppender(std::string_view name = "Recorder",
                               scrivlog::Level threshold = scrivlog::Levels::All, bool open = true)
        : CAppenderSkeleton(name, threshold) {
        std::string ignored;
        if (open)
            Start(ignored);
    }

    const char* GetClassName() const override { return "RecordingAppender"; }
    // Open and Close fail with OpenError / CloseError when those are set.
    bool Open(std::string& error) override {
        ++Opens;
        error = OpenError;
        return OpenError.empty() && CAppenderSkeleton::Open(error);
    }
    bool Close(std::string& error) override {
        ++Closes;
        error = CloseError;
        return CloseError.empty() && CAppenderSkeleton::Close(error);
    }
    void Write(std::string_view text, const scrivlog::CLoggingEvent* event) override {
        Texts.emplace_back(text);
        if (event)
            Events.push_back(*event);
    }
    bool DoAppend(const scrivlog::CLoggingEvent& event) override { return FormatAndWrite(event); }

    std::vector<std::string> Texts;  // headers and footers included
    std::vector<scrivlog::CLoggingEvent> Events;
    std::string OpenError;
    std::string CloseError;
    int Opens = 0;
    int Closes = 0;
};

}  // namespace testsupport
