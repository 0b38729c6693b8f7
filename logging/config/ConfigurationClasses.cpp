#include "logging/config/ConfigurationClasses.h"

#include <memory>

#include "logging/appenders/CConsoleAppender.h"
#include "logging/appenders/CDailyFileAppender.h"
#include "logging/appenders/CDailyRollingFileAppender.h"
#include "logging/appenders/CEditWindowAppender.h"
#include "logging/appenders/CEventLogAppender.h"
#include "logging/appenders/CFileAppender.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "logging/appenders/CSlowResAppender.h"
#include "logging/appenders/CUDPConsoleAppender.h"
#include "logging/appenders/CUDPConsoleColorAppender.h"
#include "logging/appenders/CWin32DebugAppender.h"
#include "logging/core/CBasicLayout.h"
#include "logging/core/CNullLayout.h"
#include "logging/core/CSimpleLayout.h"
#include "logging/layouts/CCSVLayout.h"
#include "logging/layouts/CHTMLLayout.h"
#include "logging/layouts/CPatternLayout.h"

namespace scrivlog {
namespace {

template <typename Appender>
CAppenderSkeleton* MakeAppender(std::string_view name, Level threshold) {
    return new Appender(name, threshold);
}

template <typename Layout>
CLayoutSkeleton* MakeLayout() {
    return new Layout;
}

struct AppenderClass {
    const char* name;
    CAppenderSkeleton* (*make)(std::string_view, Level);
};

struct LayoutClass {
    const char* name;
    CLayoutSkeleton* (*make)();
};

const AppenderClass appenderClasses[] = {
    {"ConsoleAppender", MakeAppender<CConsoleAppender>},
    {"DailyFileAppender", MakeAppender<CDailyFileAppender>},
    {"DailyRollingFileAppender", MakeAppender<CDailyRollingFileAppender>},
    {"EditWindowAppender", MakeAppender<CEditWindowAppender>},
    {"EventLogAppender", MakeAppender<CEventLogAppender>},
    {"FileAppender", MakeAppender<CFileAppender>},
    {"RollingFileAppender", MakeAppender<CRollingFileAppender>},
    {"SlowResourceAppender", MakeAppender<CSlowResAppender>},
    {"UDPConsoleAppender", MakeAppender<CUDPConsoleAppender>},
    {"UDPConsoleColorAppender", MakeAppender<CUDPConsoleColorAppender>},
    {"Win32DebugAppender", MakeAppender<CWin32DebugAppender>},
};

const LayoutClass layoutClasses[] = {
    {"BasicLayout", MakeLayout<CBasicLayout>},     {"CSVLayout", MakeLayout<CCSVLayout>},
    {"HTMLLayout", MakeLayout<CHTMLLayout>},       {"NullLayout", MakeLayout<CNullLayout>},
    {"PatternLayout", MakeLayout<CPatternLayout>}, {"SimpleLayout", MakeLayout<CSimpleLayout>},
};

}  // namespace

CAppenderSkeleton* CreateAppender(CLogFactory& factory, std::string_view className,
                                  std::string_view appenderName, Level threshold) {
    if (CAppenderSkeleton* existing = factory.FindAppender(appenderName))
        return existing;
    for (const AppenderClass& candidate : appenderClasses) {
        if (!EqualsIgnoreCase(className, candidate.name))
            continue;
        std::unique_ptr<CAppenderSkeleton> appender(candidate.make(appenderName, threshold));
        appender->OwnedByFactory = true;
        factory.AddAppender(appender.get());
        return appender.release();
    }
    factory.SetLastError("Appender class '%.*s' not supported", static_cast<int>(className.size()),
                         className.data());
    return nullptr;
}

CLayoutSkeleton* CreateLayout(CLogFactory& factory, std::string_view className) {
    for (const LayoutClass& candidate : layoutClasses) {
        if (!EqualsIgnoreCase(className, candidate.name))
            continue;
        std::unique_ptr<CLayoutSkeleton> layout(candidate.make());
        factory.AddLayout(layout.get());
        return layout.release();
    }
    factory.SetLastError("Layout class '%.*s' not supported", static_cast<int>(className.size()),
                         className.data());
    return nullptr;
}

}  // namespace scrivlog
