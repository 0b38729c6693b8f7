// Loading the configuration: the compiled-in text and the user's file merged into the
// factory's loggers, appenders and layouts, with the configuration report.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "logging/config/XmlConfigurator.h"
#include "logging/core/CLogFactory.h"

namespace scrivlog {

// The whole content of a file as 8-bit text, each 65,536-byte piece cut at a zero byte;
// false only when the file cannot be opened (anything but a regular file cannot).
bool ReadTextFile(std::string_view path, std::string& text);

// Where the user's configuration file is looked for, in order:
// "<USERPROFILE>\<base>.scrivlog.xml", where <base> is the executable's name without
// extension (only when USERPROFILE is set, not empty and shorter than 2,000 characters),
// then the same name next to the executable.
std::vector<std::string> UserConfigurationCandidates();

// The first of the candidates that can be read (a regular file): its text, empty when
// none can.
std::string ReadUserConfiguration(std::string* foundPath = nullptr);

// Reads `text1`, then `text2` when it is not empty, writes the report into the factory's
// ConfigurationDump (and its file when asked for), then builds the loggers. Every error
// is joined by "\n" into `errors`; true when there was none.
bool LoadConfiguration(CLogFactory& factory, std::string_view applicationName,
                       std::string_view text1, std::string& errors, std::string_view text2);
// The same, reading into `configurator` (whose records the caller may then inspect), and
// writing the report's file only when `writeDumpFile`.
bool LoadConfiguration(CLogFactory& factory, std::string_view applicationName,
                       std::string_view text1, std::string& errors, std::string_view text2,
                       XmlConfigurator& configurator, bool writeDumpFile);

// LoadConfiguration of `builtInText` and, when `lookForUserFile`, the user's file.
bool ConfigureFromFiles(CLogFactory& factory, std::string_view applicationName,
                        std::string_view builtInText, std::string& errors, bool lookForUserFile);

}  // namespace scrivlog
