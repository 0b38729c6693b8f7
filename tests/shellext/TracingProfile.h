// A profile directory for one test, named by USERPROFILE and TEMP while it lives, holding
// the user file of `program` that sends the module's category at Debug to trace.log as
// "LEVEL category: message" lines, keeping the compiled-in appender reference too.
#pragma once

#include <fstream>
#include <string>

#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

namespace shellexttest {

struct TracingProfile {
    explicit TracingProfile(const std::string& program) {
        environment.Set("USERPROFILE", directory.Path().string());
        environment.Set("TEMP", directory.Path().string());
        std::string trace;
        for (char c : directory.File("trace.log"))
            trace += c == '\\' ? std::string("\\\\") : std::string(1, c);
        std::ofstream(directory.File(program + ".scrivlog.xml")) << R"(<logger:configuration>
  <appender name="Trace" class="FileAppender">
    <param name="File" value=")" + trace + R"("/>
    <layout class="PatternLayout"><param name="ConversionPattern" value="%-5p %c{1}: %m%n"/></layout>
  </appender>
  <category name="com.brenmoor.quillhaven.Tamarack" additivity="false">
    <priority value="Debug"/><appender-ref ref="Trace"/>
  </category>
  <root/>
</logger:configuration>)";
    }
    std::string Read(const std::string& name = "trace.log") const {
        return testsupport::ReadFile(directory.File(name));
    }

    testsupport::TemporaryDirectory directory;
    testsupport::ScopedEnvironment environment;
};

}  // namespace shellexttest
