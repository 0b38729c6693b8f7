#include "logging/core/CLoggingEvent.h"

namespace scrivlog {

CLoggingEvent::CLoggingEvent()
    : Message("[MessageNotSet]"), Category("[CategoryNotSet]"), ThreadName("[ThreadNameNotSet]") {}

CLoggingEvent::~CLoggingEvent() = default;

}  // namespace scrivlog
