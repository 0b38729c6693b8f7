// Set-up shared by the file appender tests: a layout whose output reads back easily, one
// call to log a message, and an appender writing app.log into a fresh directory.
#pragma once

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "logging/core/CAppenderSkeleton.h"
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

// An appender named "app" with the marker layout, File set to app.log in a fresh
// directory, and the clock at 2011-05-04 23:59:59,500.
// How often `part` occurs in `text`.
inline size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

template <typename Appender>
struct FileFixture {
    testsupport::SettableClock clock;
    testsupport::TemporaryDirectory directory;
    MarkerLayout layout;
    Appender appender{"app", scrivlog::Levels::All};

    FileFixture() {
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
    bool Exists(const std::string& name) const {
        return std::filesystem::exists(directory.File(name));
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
