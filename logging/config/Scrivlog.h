// Scrivlog for any program: configure the process's log factory from XML, log through
// its loggers, and shut down cleanly.
//
//   std::string errors;
//   if (!scrivlog::ConfigureFromFile("app.scrivlog.xml", &errors)) fputs(errors.c_str(), stderr);
//   scrivlog::GetLogger("com.example.app")->LogError("disk %s", "full");
//   scrivlog::Shutdown();
#pragma once

#include <string>
#include <string_view>

#include "logging/core/CLogFactory.h"

namespace scrivlog {

// Loads the configuration text into TheLogFactory and, when it loaded without any error,
// starts the appenders. Errors (loading or starting) are joined by "\n" into `errors`.
bool Configure(std::string_view xmlText, std::string* errors = nullptr);

// Configure with the text of a file.
bool ConfigureFromFile(std::string_view path, std::string* errors = nullptr);

// The logger of that name, created from its nearest configured ancestor when new.
inline CLogger* GetLogger(std::string_view name) {
    return TheLogFactory.GetLogger(name);
}

// Stops every appender: footers are written and files and sockets closed. Logging after
// this writes nothing until the appenders are started again.
void Shutdown();

}  // namespace scrivlog
