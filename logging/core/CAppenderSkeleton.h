// The base of every appender, and itself a complete appender that writes nothing.
// It holds what all appenders share (name, threshold, layout, on/off flags, the lock),
// the parameters "Threshold", "Active" and "AutoStart", the start/stop protocol, the
// header and footer hand-over to the layout, and FormatEvent.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "logging/core/CLayoutSkeleton.h"
#include "logging/core/CLoggingEvent.h"
#include "logging/core/Level.h"

namespace scrivlog {

class CAppenderSkeleton {
  public:
    // Name "[NoAppenderName]", threshold NotSet.
    CAppenderSkeleton();
    CAppenderSkeleton(std::string_view name, Level threshold);
    CAppenderSkeleton(const CAppenderSkeleton&) = delete;
    CAppenderSkeleton& operator=(const CAppenderSkeleton&) = delete;
    // Neither closes the appender nor touches the layout.
    virtual ~CAppenderSkeleton();

    virtual const char* GetClassName() const;
    // Names ignore ASCII case. Subclasses ask the skeleton first, then test their own.
    virtual bool SetParam(std::string_view name, std::string_view value);
    // Empty for every name here; subclasses answer their own parameters.
    virtual std::string GetParam(std::string_view name) const;
    // Makes the appender ready and writes the header; false plus `error` on failure.
    virtual bool Open(std::string& error);
    // Writes the footer and releases the sink; must accept being called when closed.
    virtual bool Close(std::string& error);
    // Delivers one finished text to the sink; `event` is null for headers and footers.
    virtual void Write(std::string_view text, const CLoggingEvent* event);
    // Formats and writes one event under the lock; false when nothing was written.
    virtual bool DoAppend(const CLoggingEvent& event);
    virtual bool RequiresLayout() const;

    // Open, and remember in Opened whether it succeeded.
    bool Start(std::string& error);
    // Close when opened (nothing at all otherwise); a failing Close leaves the appender
    // marked as opened.
    bool Stop(std::string& error);
    bool GetHeader(std::string& text);
    bool GetFooter(std::string& text);
    // The event's text: the bare message at Raw, the message and "\n" without a layout,
    // otherwise the layout's. False when a required layout is missing or it refuses.
    bool FormatEvent(const CLoggingEvent& event, std::string& text);

    const std::string& GetName() const { return m_name; }
    bool IsNamed(std::string_view name) const;

    // True for "true" in any case and for exactly "1".
    static bool StringToBool(std::string_view text);
    static const char* BoolToString(bool value) { return value ? "true" : "false"; }

    Level Threshold;
    CLayoutSkeleton* Layout = nullptr;  // owned by the log factory
    bool Active = true;
    bool Opened = false;
    bool AutoStart = true;
    bool OwnedByFactory = false;

  protected:
    // The common body of DoAppend: when opened, take the lock, format the event and
    // Write it. Never lets an exception out.
    bool FormatAndWrite(const CLoggingEvent& event);

    // Serialises formatting and writing, per appender; the owning thread may take it
    // again (an appender whose sink logs).
    std::recursive_mutex m_lock;
    // The text of the event being written; kept between events so that its capacity
    // is reused. Only touched under m_lock.
    std::string m_text;
    bool m_writing = false;  // m_text is being written (under m_lock)

  private:
    std::string m_name;
};

}  // namespace scrivlog
