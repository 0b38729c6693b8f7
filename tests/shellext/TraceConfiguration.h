// A user configuration that sends the module's category at Debug to `tracePath` as
// "LEVEL category: message" lines, keeping the compiled-in appender reference too.
#pragma once

#include <string>

namespace shellexttest {

inline std::string TraceConfiguration(const std::string& tracePath) {
    std::string escaped;
    for (char c : tracePath)
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return R"(<logger:configuration>
  <appender name="Trace" class="FileAppender">
    <param name="File" value=")" +
           escaped + R"("/>
    <layout class="PatternLayout"><param name="ConversionPattern" value="%-5p %c{1}: %m%n"/></layout>
  </appender>
  <category name="com.brenmoor.quillhaven.Tamarack" additivity="false">
    <priority value="Debug"/><appender-ref ref="Trace"/>
  </category>
  <root/>
</logger:configuration>)";
}

}  // namespace shellexttest
