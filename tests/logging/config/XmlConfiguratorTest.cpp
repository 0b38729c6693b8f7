#include <gtest/gtest.h>

#include "logging/config/ConfigurationClasses.h"
#include "logging/config/ConfigurationDump.h"
#include "logging/config/XmlConfigurator.h"

using namespace scrivlog;

TEST(XmlConfigurator, CreatesClassesByName) {
    CLogFactory factory;
    // Every appender and layout class of the library, by its configuration name.
    for (const char* name :
         {"ConsoleAppender", "DailyFileAppender", "DailyRollingFileAppender", "EditWindowAppender",
          "EventLogAppender", "FileAppender", "RollingFileAppender", "SlowResourceAppender",
          "UDPConsoleAppender", "UDPConsoleColorAppender", "Win32DebugAppender"}) {
        CAppenderSkeleton* made = CreateAppender(factory, name, name, Levels::Warn);
        ASSERT_NE(nullptr, made) << name;
        EXPECT_STREQ(name, made->GetClassName());
        EXPECT_TRUE(made->OwnedByFactory && made->Threshold == Levels::Warn);
    }
    for (const char* name :
         {"BasicLayout", "CSVLayout", "HTMLLayout", "NullLayout", "PatternLayout", "SimpleLayout"})
        EXPECT_STREQ(name, CreateLayout(factory, name)->GetClassName());
    // Names ignore case; an existing appender's name wins over the class asked for, and
    // layouts are never shared.
    EXPECT_EQ(factory.GetAppenderAt(0),
              CreateAppender(factory, "SimpleLayout", "consoleappender", 0));
    EXPECT_NE(CreateLayout(factory, "simplelayout"), CreateLayout(factory, "SimpleLayout"));
    // (The texts of a refusal: the building test.)
    EXPECT_EQ(nullptr, CreateAppender(factory, "SkeletonAppender", "Other", Levels::All));
    EXPECT_EQ(nullptr, CreateLayout(factory, "SkeletonLayout"));
    EXPECT_EQ(11, factory.GetAppenderCount());
    EXPECT_EQ(8, factory.GetLayoutCount());
}

TEST(XmlConfigurator, ReadingErrorsInactiveStreamsAndMerging) {
    XmlConfigurator configurator;
    EXPECT_FALSE(configurator.Load("<c><category name=\"a\"/></c>"));
    EXPECT_EQ("unable to find root configuration in XML stream", configurator.Message);
    EXPECT_FALSE(configurator.Load("<c><root/><root/></c>"));
    EXPECT_EQ("more than one root configuration defined in XML stream", configurator.Message);
    // An earlier stream's parse error is not reported for a later one.
    EXPECT_FALSE(configurator.Load("<a><b></c></a>"));
    EXPECT_FALSE(configurator.Load("<x/"));
    EXPECT_EQ("Load XML file stream:Element must be closed.", configurator.Message);

    EXPECT_TRUE(configurator.Load("<c active=\"FALSE\"><category name=\"ignored\"/></c>"));
    EXPECT_TRUE(configurator.LoggerConfigurations.empty());
    EXPECT_TRUE(configurator.Load("<c><root/><category name=\"a\"/></c>"));
    EXPECT_EQ(2u, configurator.LoggerConfigurations.size());
    // replace empties the records before the root check fails.
    EXPECT_FALSE(configurator.Load("<c replace=\"true\"/>"));
    EXPECT_TRUE(configurator.LoggerConfigurations.empty());

    // Two streams merge.
    ASSERT_TRUE(configurator.Load(R"(<c>
      <root><priority value="Error"/><appender-ref ref="A"/></root>
      <category name="x.y" additivity="false"><priority value="Debug"/>
        <appender-ref ref="A"/><appender-ref ref="B"/></category>
      <appender name="A" class="ConsoleAppender"><priority value="Warn"/>
        <layout class="PatternLayout"><param name="ConversionPattern" value="%m"/></layout>
        <param name="AVeryLongParameterName25" value="y"/><param name="NoValue"/></appender>
    </c>)"));
    ASSERT_TRUE(configurator.Load(R"(<c>
      <root/>
      <category name="X.Y"><priority value="Verbose"/><appender-ref ref="b"/><appender-ref ref="C"/></category>
      <appender name="a" class="SimpleAppender"><param name="Threshold" value="Info"/></appender>
    </c>)"));
    // Later records replace the values, add references not held yet and add parameters;
    // a parameter without a value is none. (The report shows the records as they are; a long
    // name is not cut.)
    std::string dump;
    BuildConfigurationDump(configurator, dump);
    EXPECT_EQ(
        "Loggers(2):\r\n-----------\r\n"
        "Logger: root, threshold:INFO, additivity:yes\r\n      appender-ref: A\r\n"
        "Logger: X.Y, threshold:INFO, additivity:yes\r\n      appender-ref: A\r\n"
        "      appender-ref: B\r\n      appender-ref: C\r\n"
        "Appenders(1):\r\n-------------\r\n"
        "Appender name: a, class:SimpleAppender, threshold:NOTSET, layout:[NoLayout]\r\n"
        "   appender-param: AVeryLongParameterName25 value:y\r\n"
        "   appender-param: Threshold            value:Info\r\n"
        "   layout-param  : ConversionPattern    value:%m\r\n",
        dump);
}

TEST(XmlConfigurator, BuildAttachesAncestorsAndReportsEveryError) {
    XmlConfigurator configurator;
    ASSERT_TRUE(configurator.Load(R"(<logger:configuration>
      <root><priority value="Warn"/><appender-ref ref="R"/></root>
      <category name="a" additivity="false"><appender-ref ref="A"/></category>
      <category name="a.b"><priority value="Debug"/><appender-ref ref="AB"/><appender-ref ref="Missing"/></category>
      <category name="c"><appender-ref ref="R"/><appender-ref ref="Bad"/><appender-ref ref="NoLayout"/></category>
      <appender name="R" class="ConsoleAppender"><layout class="SimpleLayout"><param name="X" value="1"/></layout></appender>
      <appender name="A" class="ConsoleAppender"><param name="Threshold" value="Error"/><param name="Colour" value="red"/></appender>
      <appender name="AB" class="consoleappender"/>
      <appender name="Bad" class="SkeletonAppender"/>
      <appender name="NoLayout" class="ConsoleAppender"><layout class="FancyLayout"/></appender>
    </logger:configuration>)"));
    CLogFactory factory;
    std::string errors;
    EXPECT_FALSE(BuildConfiguration(factory, configurator, errors));
    EXPECT_EQ(
        "Unrecognized param 'X' for layout 'SimpleLayout'.\n"
        "Unrecognized param 'Colour' for appender [class:ConsoleAppender]:A.\n"
        "Unable to find 'Missing' appender configuration\n"
        "Unable to add appender 'Bad' in factory (Appender class 'SkeletonAppender' not "
        "supported).\n"
        "Unable to add layout 'FancyLayout' for appender 'NoLayout' in factory "
        "(Layout class 'FancyLayout' not supported).",
        errors);
    EXPECT_EQ(400, factory.RootLogger.Threshold);
    EXPECT_EQ(700, factory.FindLogger("a.b")->Threshold);
    // Each logger's appenders: a.b its own, then a's, and not the root's because a is not
    // additive; c's R, referenced by the category and by the root, is attached twice.
    std::string attached;
    for (const CLogger* logger : {&factory.RootLogger, factory.FindLogger("a"),
                                  factory.FindLogger("a.b"), factory.FindLogger("c")})
        for (const CAppenderSkeleton* appender : logger->GetAppenders())
            attached += logger->GetName() + ":" + appender->GetName() + " ";
    EXPECT_EQ("Root:R a:A a.b:AB a.b:A c:R c:R ", attached);
    EXPECT_EQ(300, factory.FindAppender("A")->Threshold);
    EXPECT_NE(nullptr, factory.FindAppender("R")->Layout);
    // The appender whose layout failed exists but is attached nowhere.
    EXPECT_NE(nullptr, factory.FindAppender("NoLayout"));
}
