#include "tests/support/RecordingAppender.h"

namespace testsupport {

RecordingAppender::RecordingAppender(std::string_view name, scrivlog::Level threshold, bool open)
    : CAppenderSkeleton(name, threshold) {
    std::string ignored;
    if (open)
        Start(ignored);
}

bool RecordingAppender::Open(std::string& error) {
    ++Opens;
    if (OpenError.empty())
        return CAppenderSkeleton::Open(error);
    error = OpenError;
    return false;
}

bool RecordingAppender::Close(std::string& error) {
    ++Closes;
    if (CloseError.empty())
        return CAppenderSkeleton::Close(error);
    error = CloseError;
    return false;
}

void RecordingAppender::Write(std::string_view text, const scrivlog::CLoggingEvent* event) {
    Texts.emplace_back(text);
    if (!event)
        return;
    Events.push_back({event->Message.str(), event->Category.str(), event->ThreadName.str(),
                      event->Level, event->ElapsedTime, event->AppenderName.str(),
                      event->AppenderClassName.str()});
}

}  // namespace testsupport
