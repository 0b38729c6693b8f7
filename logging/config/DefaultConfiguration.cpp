#include "logging/config/DefaultConfiguration.h"

namespace scrivlog {

// Every line ends with a line feed; the backslash of the file name is doubled because
// the configuration parser takes a backslash as its escape character.
const char* const DefaultConfigurationText =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
    "<logger:configuration replace=\"false\">\n"
    "\n"
    "    <appender name=\"DefaultAppender\" class=\"RollingFileAppender\">\n"
    "        <param name=File value=\"%TEMP%\\\\Tamarack.log\"/>\n"
    "        <param name=MaxFileSize value=\"1000000\" />\n"
    "        <param name=MaxBackupIndex value=\"7\" />\n"
    "        <layout class=\"PatternLayout\">\n"
    "           <param name=ConversionPattern value=\"%d [%-5p] [%-15c{1}-%8t] %m%n\"/>\n"
    "        </layout>\n"
    "    </appender>\n"
    "\n"
    "    <category name=\"com.brenmoor.quillhaven.Tamarack\" additivity=\"false\">\n"
    "       <priority value=\"Error\" />\n"
    "       <appender-ref ref=\"DefaultAppender\"/>\n"
    "\t</category>\n"
    "\n"
    "    <root>\n"
    "       <priority value=\"error\" />\n"
    "       <appender-ref ref=\"DefaultAppender\"/>\n"
    "    </root>\n"
    "\n"
    "</logger:configuration>\n";

}  // namespace scrivlog
