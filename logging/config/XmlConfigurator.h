// Reads configuration streams into logger and appender records (several streams merge
// into the same records), and builds loggers, appenders and layouts from them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logging/config/CAppenderConfiguration.h"
#include "logging/config/CLoggerConfiguration.h"
#include "logging/config/XmlNode.h"
#include "logging/core/CLogFactory.h"
#include "logging/core/NameIndex.h"

namespace scrivlog {

class XmlConfigurator {
  public:
    // Reads one stream into the records; false with Message set when it cannot.
    bool Load(std::string_view text);

    // The records of that name (ASCII case ignored), or null.
    const CLoggerConfiguration* FindLoggerConfiguration(std::string_view name) const;
    const CAppenderConfiguration* FindAppenderConfiguration(std::string_view name) const;

    std::string Message;  // the last reading error
    XmlNode Document;     // the top element of the stream last read
    // Filled by Load only: the indexes below follow them.
    std::vector<CLoggerConfiguration> LoggerConfigurations;
    std::vector<CAppenderConfiguration> AppenderConfigurations;

  private:
    bool ReadRoot();
    void ReadCategories();
    void ReadAppenders();
    void Merge(CLoggerConfiguration record);
    void Merge(CAppenderConfiguration record);

    NameIndex m_loggerIndex;
    NameIndex m_appenderIndex;
};

// Attaches to `logger` the appenders of the record called `name`, creating each on its
// first use, then, following additivity, those of its ancestors up to "Root". Errors
// are joined by "\n" in `message`; true when there were none.
bool ConfigureLogger(CLogFactory& factory, const XmlConfigurator& configurator, CLogger& logger,
                     std::string_view name, std::string& message);

// Creates every configured logger (the root record configures the root logger) and
// attaches its appenders. Errors are joined by "\n" in `errors`; true when there were none.
bool BuildConfiguration(CLogFactory& factory, const XmlConfigurator& configurator,
                        std::string& errors);

}  // namespace scrivlog
