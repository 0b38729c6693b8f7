#include "tests/support/RecordingAppender.h"

namespace testsupport {

RecordingAppender::RecordingAppender(std::string_view name, scrivlog::Level threshold, bool open)
    : CAppenderSkeleton(name, threshold) {
    std::string ignored;
    if (open)
        Start(ignored);
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
