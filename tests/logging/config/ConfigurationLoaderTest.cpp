#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "logging/config/ConfigurationLoader.h"
#include "logging/config/DefaultConfiguration.h"
#include "logging/config/Scrivlog.h"
#include "platform/Environment.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TemporaryDirectory.h"

using namespace scrivlog;
using testsupport::TemporaryDirectory;

TEST(ConfigurationLoader, ReadsFilesUpToAZeroByteAndPrefersTheUserFileInTheProfile) {
    TemporaryDirectory profile;
    std::string file = profile.File("c.xml");
    std::string content = std::string(70000, 'a') + std::string("b\0ignored", 9) + "tail";
    std::ofstream(file, std::ios::binary) << content;
    std::string text = "stale";
    ASSERT_TRUE(ReadTextFile(file, text));
    // The zero byte lies in the second 65,536-byte piece: the rest of that piece is dropped.
    EXPECT_EQ(std::string(70000, 'a') + "b", text);
    // Configuring, logging and shutting down from a file is what the package test's
    // program does; here only its failure, which a missing file makes.
    EXPECT_FALSE(scrivlog::ConfigureFromFile(profile.File("missing.xml"), &text));
    EXPECT_EQ("unable to read configuration file '" + profile.File("missing.xml") + "'", text);

    testsupport::ScopedEnvironment environment;
    std::string path = platform::ExecutablePath();
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    name = name.substr(0, name.rfind('.')) + ".scrivlog.xml";
    std::string nextToProgram = path.substr(0, path.find_last_of("\\/") + 1) + name;
    std::string inProfile = profile.Path().string() + "\\" + name;

    // A profile that is empty (unset on Windows) or too long is no place (not the root).
    for (const std::string& value : {std::string(), std::string(2000, 'p')}) {
        environment.Set("USERPROFILE", value);
        EXPECT_EQ(std::vector<std::string>{nextToProgram}, UserConfigurationCandidates());
    }
    environment.Set("USERPROFILE", profile.Path().string());
    EXPECT_EQ((std::vector<std::string>{inProfile, nextToProgram}), UserConfigurationCandidates());

    // Anything but a regular file in the profile counts as missing, and never blocks.
    std::ofstream(nextToProgram) << "<next/>";
    std::string found;
    std::filesystem::create_directory(profile.File(name));
    EXPECT_EQ("<next/>", ReadUserConfiguration(&found));
    EXPECT_EQ(nextToProgram, found);
    std::filesystem::remove(profile.File(name));
#ifndef _WIN32
    ASSERT_EQ(0, mkfifo(profile.File(name).c_str(), 0600));
    EXPECT_EQ("<next/>", ReadUserConfiguration(&found));
    std::filesystem::remove(profile.File(name));
#endif
    std::ofstream(profile.File(name)) << "<profile/>";
    EXPECT_EQ("<profile/>", ReadUserConfiguration(&found));
    EXPECT_EQ(inProfile, found);
    std::filesystem::remove(nextToProgram);
}

TEST(ConfigurationLoader, StreamsMergeAndEveryErrorIsReported) {
    const char* const debugUserFile = R"(<c><root><priority value="Error"/></root>
      <category name="com.brenmoor.quillhaven.Tamarack"><priority value="Debug"/></category></c>)";
    testsupport::ScopedEnvironment environment;
    environment.Unset("SCRIVLOG_DUMP_CONFIG");
    CLogFactory factory;
    std::string errors;
    EXPECT_TRUE(
        LoadConfiguration(factory, "Tamarack", DefaultConfigurationText, errors, debugUserFile))
        << errors;
    // The user's record has no additivity attribute, so it is additive again.
    EXPECT_EQ(700, factory.FindLogger("com.brenmoor.quillhaven.Tamarack")->Threshold);
    EXPECT_NE(std::string::npos, factory.ConfigurationDump.find("threshold:DEBUG, additivity:yes"));
    // A second stream that does not read is reported, and the first is built all the same.
    EXPECT_FALSE(LoadConfiguration(factory, "Tamarack",
                                   "<c><root><appender-ref ref=\"Nowhere\"/></root></c>", errors,
                                   "<c><root/"));
    EXPECT_EQ(
        "unable to load configuration [XMLStream2] (Load XML file stream:Element must be "
        "closed.)\nUnable to find 'Nowhere' appender configuration",
        errors);
    // A first stream that does not read stops the load (its text: the check tool's test).
    factory.ConfigurationDump = "kept";
    EXPECT_FALSE(LoadConfiguration(factory, "Tamarack", "broken", errors, debugUserFile));
    EXPECT_EQ("kept", factory.ConfigurationDump);
}
