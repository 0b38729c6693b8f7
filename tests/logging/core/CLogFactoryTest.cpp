#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "logging/core/CLogFactory.h"
#include "tests/support/RecordingAppender.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using testsupport::RecordingAppender;

TEST(LogFactory, FindCreateAndGetLoggersByName) {
    const std::pair<const char*, const char*> parents[] = {
        {"a.b.c", "a.b"}, {"a", ""}, {"a..b", "a."}, {"a.", "a"}, {".x", ""}, {"", ""}};
    for (const auto& [name, parent] : parents)
        EXPECT_EQ(parent, CLogFactory::GetParentName(name)) << name;

    testsupport::SettableClock clock;
    CLogFactory factory;
    EXPECT_EQ(nullptr, factory.FindLogger("Root"));  // never the root logger
    EXPECT_EQ("Logger 'Root' not found in factory", factory.LastError);
    RecordingAppender rootAppender("R"), xAppender("X");
    factory.RootLogger.AddAppender(&rootAppender);
    factory.RootLogger.Threshold = Levels::Warn;
    CLogger* fromRoot = factory.GetLogger("lonely");
    EXPECT_EQ(400, fromRoot->Threshold);
    EXPECT_EQ(std::vector<CAppenderSkeleton*>{&rootAppender}, fromRoot->GetAppenders());

    CLogger* x = factory.CreateLogger("com.x", Levels::Debug, false);
    EXPECT_EQ(x, factory.CreateLogger("COM.X", Levels::Error, true));  // unchanged
    x->AddAppender(&xAppender);
    clock.Advance(5000);
    // Copied from the nearest configured ancestor; intermediate loggers are not made.
    CLogger* deep = factory.GetLogger("COM.X.y.z");
    EXPECT_EQ("COM.X.y.z", deep->GetName());
    EXPECT_TRUE(deep->Threshold == 700 && !deep->Additivity);
    EXPECT_EQ(x->StartTicks + 5000, deep->StartTicks);  // elapsed time counts from the request
    EXPECT_EQ(nullptr, factory.FindLogger("com.x.y"));
    // The list is a copy: later changes to the template do not reach it.
    x->AddAppender(&rootAppender);
    EXPECT_EQ(std::vector<CAppenderSkeleton*>{&xAppender}, deep->GetAppenders());
    // "Root" is an ordinary name to GetLogger, not the root logger.
    EXPECT_NE(&factory.RootLogger, factory.GetLogger("Root"));
    factory.SetLastError("%s", std::string(70000, 'h').c_str());
    EXPECT_EQ(std::string(65535, 'h'), factory.LastError);
}

TEST(LogFactory, StartStopAllAndTheEndJoinTheErrorsAndDeleteWhatTheFactoryOwns) {
    // The borrowed appenders outlive the factory, which stops them once more when it goes.
    RecordingAppender good("good", Levels::All, false), one("one", Levels::All, false),
        manual("manual", Levels::All, false), two("two", Levels::All, false);
    good.CloseError = "stuck";
    one.OpenError = "no file";
    two.OpenError = "no socket";
    manual.AutoStart = false;
    {
        CLogFactory factory;
        auto* owned = new RecordingAppender("owned", Levels::All, false);
        // Deleted by the factory with its layout (the leak checker sees if not).
        owned->OwnedByFactory = true;
        owned->Layout = new CLayoutSkeleton;
        factory.AddLayout(owned->Layout);
        factory.CreateLogger("a", Levels::Info, true)->AddAppender(owned);
        for (auto* appender : {&good, &one, &manual, &two, owned})
            factory.AddAppender(appender);

        std::string errors = "old";
        EXPECT_FALSE(factory.StartAllAppenders(errors));
        EXPECT_EQ(
            "Unable to start appender 'one' (no file)\nUnable to start appender 'two' (no socket)",
            errors);
        EXPECT_EQ(0, manual.Opens);
        EXPECT_FALSE(factory.StopAllAppenders(errors));
        EXPECT_EQ("Unable to stop appender 'good' (stuck)", errors);
        EXPECT_EQ(0, one.Closes + manual.Closes + two.Closes);  // never opened: nothing to close
        EXPECT_TRUE(factory.GetAppenderAt(5) == &factory.EmptyAppender &&
                    factory.GetAppenderAt(-1) == &factory.EmptyAppender);
        EXPECT_EQ("[NoAppenderName]", factory.EmptyAppender.GetName());
        good.CloseError.clear();
    }
    EXPECT_EQ(2, good.Closes);  // stopped twice at the end, closed once
}

TEST(LogFactory, ConcurrentRequestsCreateOneLoggerWhoseRecordsNeverInterleave) {
    RecordingAppender appender;
    constexpr int threadCount = 8, lines = 50;
    for (int round = 0; round < 20; ++round) {
        CLogFactory factory;
        factory.CreateLogger("com.brenmoor", Levels::Debug, true)->AddAppender(&appender);
        std::atomic<int> ready{0};
        std::vector<CLogger*> results(threadCount);
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t)
            threads.emplace_back([&, t] {
                ++ready;
                while (ready.load() < threadCount)
                    std::this_thread::yield();
                results[t] = factory.GetLogger(t % 2 ? "com.brenmoor.Shell" : "COM.BRENMOOR.SHELL");
                for (int i = 0; i < lines; ++i)
                    results[t]->LogError("thread %d line %d", t, i);
            });
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(1u, std::set<CLogger*>(results.begin(), results.end()).size());
        EXPECT_EQ(2, factory.GetLoggerCount());
    }
    ASSERT_EQ(20u * threadCount * lines, appender.Texts.size());
    for (const auto& text : appender.Texts)
        ASSERT_EQ(0u, text.find("thread ")) << text;
}
