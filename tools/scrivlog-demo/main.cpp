// A small program that shows the logging core at work: two loggers in a hierarchy,
// console appenders with different layouts and thresholds, and the level rules.
#include <cstdio>
#include <string>

#include "logging/appenders/CConsoleAppender.h"
#include "logging/core/CLogFactory.h"
#include "logging/core/CSimpleLayout.h"

using namespace scrivlog;

int main() {
    CLogFactory& factory = TheLogFactory;

    auto* layout = new CSimpleLayout;
    factory.AddLayout(layout);
    auto* console = new CConsoleAppender("Console", Levels::All);
    console->Layout = layout;
    console->OwnedByFactory = true;
    factory.AddAppender(console);
    auto* errorsOnly = new CConsoleAppender("ErrorsOnly", Levels::Error);
    errorsOnly->OwnedByFactory = true;
    factory.AddAppender(errorsOnly);

    CLogger* app = factory.CreateLogger("com.brenmoor.demo", Levels::Debug, true);
    app->AddAppender(console);
    app->AddAppender(errorsOnly);

    std::string errors;
    if (!factory.StartAllAppenders(errors)) {
        std::fprintf(stderr, "%s\n", errors.c_str());
        return 1;
    }

    std::printf(
        "-- com.brenmoor.demo at DEBUG: 'Console' (SimpleLayout, ALL) and 'ErrorsOnly' "
        "(no layout, ERROR)\n");
    app->LogDebug("Debug goes to Console only (%d appender)", 1);
    app->LogError("Error goes to both: %s", "disk full");
    app->Log(Levels::Trace, "Trace is above the logger's threshold: dropped");
    app->Log(Levels::Force, "Force passes every threshold");

    std::printf(
        "-- com.brenmoor.demo.net, first asked for now: copied from its nearest ancestor\n");
    CLogger* net = factory.GetLogger("com.brenmoor.demo.net");
    net->LogDebug("logger '%s' inherits threshold %s", net->GetName().c_str(),
                  LevelToString(net->Threshold));

    std::printf(
        "-- a logger with no configured ancestor is copied from Root (INFO, no appenders)\n");
    factory.GetLogger("elsewhere")->LogError("nobody hears this");

    factory.StopAllAppenders(errors);
    std::printf("-- done\n");
    return 0;
}
