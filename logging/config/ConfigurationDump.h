// The plain-text report of a loaded configuration: every logger record with its
// appender references, every appender record with its layout and parameters, exactly
// as the configuration gave them. Lines end with "\r\n".
#pragma once

#include <string>
#include <string_view>

#include "logging/config/XmlConfigurator.h"

namespace scrivlog {

// Replaces `out` with the report.
void BuildConfigurationDump(const XmlConfigurator& configuration, std::string& out);

// When TEMP is set and SCRIVLOG_DUMP_CONFIG is exactly "1", writes the report under a
// title line to "<TEMP>\ScrivlogConfigDump_<application>.log". Silent when it cannot.
void WriteConfigurationDumpFile(std::string_view applicationName, const std::string& dump);

}  // namespace scrivlog
