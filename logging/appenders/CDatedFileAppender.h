// The base of the file appenders whose file follows the local time: holds the
// "DatePattern" parameter and writes the current date text with it.
#pragma once

#include <string>

#include "logging/appenders/CFileAppender.h"

namespace scrivlog {

class CDatedFileAppender : public CFileAppender {
  public:
    using CFileAppender::CFileAppender;

    // "DatePattern", stored as given.
    bool SetParam(std::string_view name, std::string_view value) override;
    std::string GetParam(std::string_view name) const override;

    std::string DatePattern = "'.'yyyy-MM-dd";

  protected:
    // The local time now written with DatePattern, in a buffer kept for its capacity.
    const std::string& DateTextNow();

  private:
    std::string m_dateText;
};

}  // namespace scrivlog
