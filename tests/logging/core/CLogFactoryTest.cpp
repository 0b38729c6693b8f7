#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "logging/core/CLogFactory.h"
#include "tests/support/RecordingAppender.h"
#include "tests/support/SettableClock.h"

using namespace scrivlog;
using testsupport::RecordingAppender;

TEST(LogFactory, ParentNames) {
    EXPECT_EQ("a.b", CLogFactory::GetParentName("a.b.c"));
    EXPECT_EQ("", CLogFactory::GetParentName("a"));
    EXPECT_EQ("a.", CLogFactory::GetParentName("a..b"));
    EXPECT_EQ("a", CLogFactory::GetParentName("a."));
    EXPECT_EQ("", CLogFactory::GetParentName(".x"));
    EXPECT_EQ("", CLogFactory::GetParentName(""));
}

TEST(LogFactory, FreshFactory) {
    CLogFactory factory;
    EXPECT_EQ("Root", factory.RootLogger.GetName());
    EXPECT_EQ(600, factory.RootLogger.Threshold);
    EXPECT_TRUE(factory.RootLogger.Additivity);
    EXPECT_EQ("[NoAppenderName]", factory.EmptyAppender.GetName());
    EXPECT_EQ(900, factory.EmptyAppender.Threshold);
    EXPECT_EQ(0, factory.GetLoggerCount());
    EXPECT_EQ(&factory.EmptyAppender, factory.GetAppenderAt(-1));
    EXPECT_EQ(&factory.EmptyAppender, factory.GetAppenderAt(0));
}

TEST(LogFactory, GetLoggerCopiesTheNearestConfiguredAncestor) {
    testsupport::SettableClock clock;
    CLogFactory factory;
    RecordingAppender rootAppender("R"), xAppender("X");
    factory.RootLogger.AddAppender(&rootAppender);
    factory.RootLogger.Threshold = Levels::Warn;

    CLogger* fromRoot = factory.GetLogger("lonely");
    EXPECT_EQ(400, fromRoot->Threshold);
    EXPECT_EQ(std::vector<CAppenderSkeleton*>{&rootAppender}, fromRoot->GetAppenders());
    EXPECT_EQ(fromRoot, factory.GetLogger("lonely"));
    EXPECT_EQ(fromRoot, factory.GetLogger("LONELY"));

    CLogger* x = factory.CreateLogger("com.x", Levels::Debug, false);
    x->AddAppender(&xAppender);
    clock.Advance(5000);
    CLogger* deep = factory.GetLogger("COM.X.y.z");
    EXPECT_NE(x, deep);
    EXPECT_EQ("COM.X.y.z", deep->GetName());
    EXPECT_EQ(700, deep->Threshold);
    EXPECT_FALSE(deep->Additivity);
    EXPECT_EQ(x->StartTicks + 5000, deep->StartTicks);  // elapsed time counts from the request
    EXPECT_EQ(std::vector<CAppenderSkeleton*>{&xAppender}, deep->GetAppenders());
    EXPECT_EQ(nullptr, factory.FindLogger("com.x.y"));  // intermediate loggers are not made
    EXPECT_EQ(x, factory.GetLogger("Com.X"));

    // The list is a copy: later changes to the template do not reach it.
    x->AddAppender(&rootAppender);
    EXPECT_EQ(1u, deep->GetAppenders().size());

    // "Root" is an ordinary name, not the root logger.
    CLogger* root = factory.GetLogger("Root");
    EXPECT_NE(&factory.RootLogger, root);
    EXPECT_EQ(400, root->Threshold);
    EXPECT_EQ(4, factory.GetLoggerCount());
}

TEST(LogFactory, FindAndCreateLogger) {
    CLogFactory factory;
    EXPECT_EQ(nullptr, factory.FindLogger("Root"));
    EXPECT_EQ("Logger 'Root' not found in factory", factory.LastError);
    CLogger* a = factory.CreateLogger("a", Levels::Error, false);
    // Creating succeeds but leaves the not-found text behind.
    EXPECT_EQ("Logger 'a' not found in factory", factory.LastError);
    EXPECT_EQ(a, factory.CreateLogger("A", Levels::Debug, true));
    EXPECT_EQ(300, a->Threshold);
    EXPECT_FALSE(a->Additivity);
    EXPECT_EQ(a, factory.FindLogger("A"));
}

TEST(LogFactory, SetLastErrorFormatsAndCuts) {
    CLogFactory factory;
    factory.SetLastError("class '%s' unknown (%d)", "Foo", 7);
    EXPECT_EQ("class 'Foo' unknown (7)", factory.LastError);
    std::string huge(70000, 'h');
    factory.SetLastError("%s", huge.c_str());
    EXPECT_EQ(std::string(65535, 'h'), factory.LastError);
}

namespace {
class FailingAppender : public RecordingAppender {
  public:
    FailingAppender(const char* name, const char* openError, const char* closeError)
        : RecordingAppender(name, Levels::All, false),
          m_openError(openError),
          m_closeError(closeError) {}
    bool Open(std::string& error) override {
        ++Opens;
        if (!m_openError)
            return true;
        error = m_openError;
        return false;
    }
    bool Close(std::string& error) override {
        ++Closes;
        if (!m_closeError)
            return true;
        error = m_closeError;
        return false;
    }
    int Opens = 0;
    int Closes = 0;

  private:
    const char* m_openError;
    const char* m_closeError;
};
}  // namespace

TEST(LogFactory, StartAndStopAllJoinTheirErrors) {
    // The appenders outlive the factory, which stops them once more when it goes.
    FailingAppender good("good", nullptr, nullptr), one("one", "no file", "stuck"),
        manual("manual", "never", nullptr), two("two", "no socket", nullptr);
    CLogFactory factory;
    manual.AutoStart = false;
    for (auto* appender : {&good, &one, &manual, &two})
        factory.AddAppender(appender);

    std::string errors = "old";
    EXPECT_FALSE(factory.StartAllAppenders(errors));
    EXPECT_EQ(
        "Unable to start appender 'one' (no file)\nUnable to start appender 'two' (no socket)",
        errors);
    EXPECT_EQ(0, manual.Opens);
    EXPECT_TRUE(good.Opened);
    EXPECT_FALSE(one.Opened);

    EXPECT_FALSE(factory.StopAllAppenders(errors));
    EXPECT_EQ("Unable to stop appender 'one' (stuck)", errors);
    EXPECT_EQ(1, manual.Closes);  // stopping does not look at AutoStart
    EXPECT_TRUE(one.Opened);      // a failed Close leaves it opened

    CLogFactory empty;
    EXPECT_TRUE(empty.StartAllAppenders(errors));
    EXPECT_EQ("", errors);
    EXPECT_EQ(&good, factory.FindAppender("GOOD"));
    EXPECT_EQ(&two, factory.GetAppenderAt(3));
    EXPECT_EQ(&factory.EmptyAppender, factory.GetAppenderAt(4));
}

namespace {
int g_layoutsAlive = 0;
class CountedLayout : public CLayoutSkeleton {
  public:
    CountedLayout() { ++g_layoutsAlive; }
    ~CountedLayout() override { --g_layoutsAlive; }
};
class CountedAppender : public FailingAppender {
  public:
    CountedAppender(int& closes, bool& deleted)
        : FailingAppender("c", nullptr, nullptr), m_closes(closes), m_deleted(deleted) {}
    bool Close(std::string& error) override {
        ++m_closes;
        return FailingAppender::Close(error);
    }
    ~CountedAppender() override { m_deleted = true; }

  private:
    int& m_closes;
    bool& m_deleted;
};
}  // namespace

TEST(LogFactory, DestructionStopsTwiceAndDeletesWhatItOwns) {
    int ownedCloses = 0, borrowedCloses = 0;
    bool ownedDeleted = false, borrowedDeleted = false;
    auto* borrowed = new CountedAppender(borrowedCloses, borrowedDeleted);
    {
        CLogFactory factory;
        auto* owned = new CountedAppender(ownedCloses, ownedDeleted);
        owned->OwnedByFactory = true;
        factory.AddAppender(owned);
        factory.AddAppender(borrowed);
        factory.AddLayout(new CountedLayout);
        factory.CreateLogger("a", Levels::Info, true)->AddAppender(owned);
        EXPECT_EQ(1, g_layoutsAlive);
    }
    EXPECT_EQ(2, ownedCloses);
    EXPECT_TRUE(ownedDeleted);
    EXPECT_EQ(2, borrowedCloses);
    EXPECT_FALSE(borrowedDeleted);
    EXPECT_EQ(0, g_layoutsAlive);
    delete borrowed;
}

TEST(LogFactory, ConcurrentRequestsForOneMissingLoggerCreateItOnce) {
    for (int round = 0; round < 20; ++round) {
        CLogFactory factory;
        factory.CreateLogger("com.brenmoor", Levels::Debug, true);
        constexpr int threadCount = 8;
        std::atomic<int> ready{0};
        std::vector<CLogger*> results(threadCount);
        std::vector<std::thread> threads;
        for (int t = 0; t < threadCount; ++t)
            threads.emplace_back([&, t] {
                ++ready;
                while (ready.load() < threadCount)
                    std::this_thread::yield();
                results[t] = factory.GetLogger(t % 2 ? "com.brenmoor.Shell" : "COM.BRENMOOR.SHELL");
            });
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(1u, std::set<CLogger*>(results.begin(), results.end()).size());
        EXPECT_EQ(2, factory.GetLoggerCount());
    }
}
