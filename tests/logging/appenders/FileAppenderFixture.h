// Set-up shared by the file appender tests: a layout whose output reads back easily, one
// call to log a message, and an appender of any of the four file classes writing app.log
// into a fresh directory.
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "logging/appenders/CDailyFileAppender.h"
#include "logging/appenders/CDailyRollingFileAppender.h"
#include "logging/appenders/CRollingFileAppender.h"
#include "tests/support/SettableClock.h"
#include "tests/support/TemporaryDirectory.h"

namespace filetests {

// Header "H|", records "<message>;", footer "F|".
class MarkerLayout : public scrivlog::CLayoutSkeleton {
  public:
    bool FormatHeader(std::string& text, std::string_view, std::string_view) override {
        text = "H|";
        return true;
    }
    bool FormatFooter(std::string& text, std::string_view, std::string_view) override {
        text = "F|";
        return true;
    }
    bool Format(const scrivlog::CLoggingEvent& event, std::string& text) override {
        text.assign(event.Message.view()).push_back(';');
        return true;
    }
};

inline bool Log(scrivlog::CAppenderSkeleton& appender, const std::string& message,
                scrivlog::Level level = scrivlog::Levels::Error) {
    scrivlog::CLoggingEvent event;
    event.Message = message;
    event.Level = level;
    return appender.DoAppend(event);
}

constexpr const char* Classes[] = {"FileAppender", "RollingFileAppender", "DailyFileAppender",
                                   "DailyRollingFileAppender"};

// A file appender of the class named, itself named "app", at threshold All.
inline std::unique_ptr<scrivlog::CFileAppender> Make(std::string_view className) {
    using namespace scrivlog;
    if (className == Classes[1])
        return std::make_unique<CRollingFileAppender>("app", Levels::All);
    if (className == Classes[2])
        return std::make_unique<CDailyFileAppender>("app", Levels::All);
    if (className == Classes[3])
        return std::make_unique<CDailyRollingFileAppender>("app", Levels::All);
    return std::make_unique<CFileAppender>("app", Levels::All);
}

// An appender of the class, named "app", with the marker layout, File set to app.log in a
// fresh directory, and the clock at 2011-05-04 23:59:59,500.
struct FileFixture {
    testsupport::SettableClock clock;
    testsupport::TemporaryDirectory directory;
    MarkerLayout layout;
    std::unique_ptr<scrivlog::CFileAppender> owned;
    scrivlog::CFileAppender& appender;

    explicit FileFixture(std::string_view className = Classes[0])
        : owned(Make(className)), appender(*owned) {
        clock.SetLocalTime(2011, 5, 4, 23, 59, 59, 500);
        appender.Layout = &layout;
        appender.SetParam("File", directory.File("app.log"));
    }
    ~FileFixture() { directory.Track(appender.File); }
    bool Start() {
        directory.Track(appender.File);
        std::string error;
        bool started = appender.Start(error);
        EXPECT_TRUE(started) << error;
        return started;
    }
    void Stop() {
        std::string error;
        appender.Stop(error);
    }
    // Logs each word of `messages` as one record.
    void LogAll(const std::string& messages) {
        std::istringstream words(messages);
        for (std::string word; words >> word;)
            Log(appender, word);
    }
    // Starts, logs the words and stops.
    void Session(const std::string& messages) {
        Start();
        LogAll(messages);
        Stop();
    }
    std::string Read(const std::string& name) const {
        return testsupport::ReadFile(directory.File(name));
    }
    // Every entry of the directory as "name=content", in name order, joined by spaces.
    std::string Listing() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(directory.Path()))
            files[entry.path().filename().string()] = testsupport::ReadFile(entry.path());
        std::string text;
        for (const auto& [name, content] : files)
            text += (text.empty() ? "" : " ") + name + "=" + content;
        return text;
    }
};

}  // namespace filetests
