#include "logging/config/ConfigurationDump.h"

#include "platform/Environment.h"
#include "platform/Files.h"

namespace scrivlog {
namespace {

void AppendParameter(std::string& out, const char* prefix, const CNodeParam& param) {
    out += prefix;
    out += param.Name;
    if (param.Name.size() < 20)
        out.append(20 - param.Name.size(), ' ');
    out += " value:";
    out += param.Value;
    out += "\r\n";
}

}  // namespace

void BuildConfigurationDump(const XmlConfigurator& configuration, std::string& out) {
    out.clear();
    out += "Loggers(" + std::to_string(configuration.LoggerConfigurations.size()) +
           "):\r\n-----------\r\n";
    for (const CLoggerConfiguration& logger : configuration.LoggerConfigurations) {
        out += "Logger: " + logger.Name + ", threshold:" + LevelToString(logger.Priority) +
               ", additivity:" + (logger.Additivity ? "yes" : "no") + "\r\n";
        for (const std::string& reference : logger.AppenderReferences)
            out += "      appender-ref: " + reference + "\r\n";
    }
    out += "Appenders(" + std::to_string(configuration.AppenderConfigurations.size()) +
           "):\r\n-------------\r\n";
    for (const CAppenderConfiguration& appender : configuration.AppenderConfigurations) {
        out += "Appender name: " + appender.Name + ", class:" + appender.Class +
               ", threshold:" + LevelToString(appender.Threshold) +
               ", layout:" + (appender.LayoutClass.empty() ? "[NoLayout]" : appender.LayoutClass) +
               "\r\n";
        for (const CNodeParam& param : appender.Parameters)
            AppendParameter(out, "   appender-param: ", param);
        for (const CNodeParam& param : appender.LayoutParameters)
            AppendParameter(out, "   layout-param  : ", param);
    }
}

void WriteConfigurationDumpFile(std::string_view applicationName, const std::string& dump) {
    std::string temp, request;
    if (!platform::GetEnvironmentValue("TEMP", temp) || temp.empty())
        return;  // an empty directory is no place, not the root of the file system
    if (!platform::GetEnvironmentValue("SCRIVLOG_DUMP_CONFIG", request) || request != "1")
        return;
    std::string name = temp + "\\ScrivlogConfigDump_" + std::string(applicationName) + ".log";
    platform::WritableFile file;
    if (!file.Open(name, platform::WritableFile::Mode::Truncate))
        return;
    std::string text =
        "Scrivlog configuration for '" + std::string(applicationName) + "'\r\n\r\n" + dump;
    // A write that fails part-way leaves a short report; loading goes on regardless.
    file.Write(text.data(), text.size());
}

}  // namespace scrivlog
