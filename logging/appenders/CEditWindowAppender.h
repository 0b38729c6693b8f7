// Shows the log in a multi-line edit control of a window of the host process: each
// record is appended to the control's text, the text is kept within MaxLines lines,
// and the view can follow the last line. The control is named by its window handle;
// the appender neither creates nor owns it.
#pragma once

#include "logging/core/CAppenderSkeleton.h"
#include "platform/EditControl.h"

namespace scrivlog {

class CEditWindowAppender : public CAppenderSkeleton {
  public:
    using CAppenderSkeleton::CAppenderSkeleton;

    const char* GetClassName() const override;
    // "HWND", "MaxLines", "AutoScroll" after the skeleton's parameters.
    bool SetParam(std::string_view name, std::string_view value) override;
    // "MaxLines" as an unsigned number ("%u"), "AutoScroll" as "true"/"false"; the
    // handle is not reported.
    std::string GetParam(std::string_view name) const override;
    // Answers true at once; no header is written.
    bool Open(std::string& error) override;
    // Appends the text (line ends made "\r\n") to the control, made read-only, after
    // removing the oldest lines that would take it beyond MaxLines. Nothing happens
    // while the handle names no window.
    void Write(std::string_view text, const CLoggingEvent* event) override;
    bool DoAppend(const CLoggingEvent& event) override;

    platform::WindowHandle HWND = 0;
    bool AutoScroll = true;
    // Most lines kept; -1, and any other value below 1, keeps every line.
    int32_t MaxLines = -1;

  private:
    std::string m_controlText;  // reused between records, under the lock
    std::string m_record;
};

}  // namespace scrivlog
