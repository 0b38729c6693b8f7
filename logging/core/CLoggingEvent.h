// One record handed from a log call to the appenders and layouts. It holds no absolute
// time: layouts read the clock themselves when they format.
#pragma once

#include <cstdint>

#include "logging/core/EventText.h"
#include "logging/core/Level.h"

namespace scrivlog {

class CLoggingEvent {
  public:
    CLoggingEvent();
    virtual ~CLoggingEvent();

    EventText Message;
    EventText Category;    // the logger's name
    EventText ThreadName;  // the calling thread's numeric id in decimal
    scrivlog::Level Level = Levels::NotSet;
    uint32_t ElapsedTime = 0;  // milliseconds since the logger's StartTicks
    EventText AppenderName;    // the appender receiving the event
    EventText AppenderClassName;
};

}  // namespace scrivlog
