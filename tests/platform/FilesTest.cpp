#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Files.h"
#include "platform/ReadableFile.h"
#include "platform/SystemErrors.h"
#include "platform/UniqueHandle.h"
#include "tests/support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using platform::WritableFile;
using testsupport::ReadFile;

namespace {

struct CountingTraits {
    using Handle = int;
    static constexpr Handle Invalid() { return 0; }
    static void Close(Handle handle) { closed += handle; }
    static inline int closed = 0;
};

}  // namespace

TEST(UniqueHandle, ClosesEachHandleOnce) {
    {
        platform::UniqueHandle<CountingTraits> first(1);
        platform::UniqueHandle<CountingTraits> second(std::move(first));
        first = std::move(second);  // ownership moves back; nothing closed yet
        EXPECT_EQ(0, CountingTraits::closed);
        first.Reset(10);  // closes 1
        EXPECT_EQ(1, CountingTraits::closed);
        EXPECT_EQ(10, first.Release());
    }
    EXPECT_EQ(1, CountingTraits::closed);  // released handles are not closed
}

TEST(Files, WriteTruncateAppendAndLength) {
    testsupport::TemporaryDirectory directory;
    std::string name = directory.File("f.txt");
    WritableFile file;
    EXPECT_FALSE(file.Write("x", 1));
    ASSERT_TRUE(file.Open(name, WritableFile::Mode::Truncate));
    EXPECT_FALSE(file.Open(name, WritableFile::Mode::Truncate));  // already open
    ASSERT_TRUE(file.Write("hello\r\n", 7));
    uint64_t length = 0;
    ASSERT_TRUE(file.Length(length));
    EXPECT_EQ(7u, length);
    ASSERT_TRUE(file.TruncateTo(5));
    ASSERT_TRUE(file.Write("!", 1));  // at the new end: no gap
    file.Close();
    ASSERT_TRUE(file.Open(name, WritableFile::Mode::Append));
    ASSERT_TRUE(file.Write("+", 1));
    file.Close();
    EXPECT_EQ("hello!+", ReadFile(name));
    ASSERT_TRUE(file.Open(name, WritableFile::Mode::Truncate));
    file.Close();
    EXPECT_EQ("", ReadFile(name));
}

TEST(Files, NamesAndDirectories) {
    testsupport::TemporaryDirectory directory;
    std::string sub = directory.File("sub");
    EXPECT_TRUE(platform::MakeDirectory(sub));
    EXPECT_FALSE(platform::MakeDirectory(sub));
    EXPECT_TRUE(platform::DirectoryExists(sub));
    EXPECT_FALSE(platform::MakeDirectory(directory.File("a/b")));  // parent missing

    // Backslashes separate directories on every system, for writing and reading.
    std::string a = sub + "\\a.txt", b = sub + "\\b.txt";
    WritableFile file;
    ASSERT_TRUE(file.Open(a, WritableFile::Mode::Truncate));
    ASSERT_TRUE(file.Write("A", 1));
    EXPECT_TRUE(fs::exists(fs::path(sub) / "a.txt"));
    EXPECT_TRUE(platform::PathExists(a) && !platform::DirectoryExists(a));
    // An open file can be renamed; the handle goes on writing into it.
    ASSERT_TRUE(platform::RenameFile(a, b));
    ASSERT_TRUE(file.Write("B", 1));
    file.Close();
    platform::ReadableFile reader;
    char buffer[8] = {};
    ASSERT_TRUE(reader.Open(b));
    EXPECT_EQ(2u, reader.Read(buffer, sizeof buffer));
    EXPECT_STREQ("AB", buffer);
    reader.Close();  // held exclusively on Windows

    // Renaming never replaces.
    ASSERT_TRUE(file.Open(a, WritableFile::Mode::Truncate));
    file.Close();
    EXPECT_FALSE(platform::RenameFile(a, b));
    EXPECT_EQ("AB", ReadFile(fs::path(sub) / "b.txt"));
    EXPECT_FALSE(platform::RenameFile(directory.File("none"), directory.File("other")));
    EXPECT_TRUE(platform::RemoveFile(a));
    EXPECT_FALSE(platform::RemoveFile(a));
    EXPECT_FALSE(platform::RemoveFile(sub));  // not a file
}

TEST(Files, OverlongNamesAreRefused) {
    std::string name(platform::MaxPathLength + 1, 'x');
    WritableFile file;
    platform::ReadableFile reader;
    EXPECT_FALSE(file.Open(name, WritableFile::Mode::Truncate));
    EXPECT_EQ(platform::NameTooLongError(), platform::LastSystemErrorCode());
    EXPECT_FALSE(platform::PathExists(name) || platform::MakeDirectory(name));
    EXPECT_FALSE(reader.Open(name));
    EXPECT_EQ(platform::NameTooLongError(), platform::LastSystemErrorCode());
    EXPECT_FALSE(platform::RenameFile("x", name));
    EXPECT_EQ(platform::NameTooLongError(), platform::LastSystemErrorCode());
}

#ifndef _WIN32
TEST(Files, PosixDoesNotFollowALinkAtTheEnd) {
    testsupport::TemporaryDirectory directory;
    std::string target = directory.File("target");
    WritableFile file;
    ASSERT_TRUE(file.Open(target, WritableFile::Mode::Truncate));
    file.Close();
    fs::create_symlink(target, directory.File("link"));
    EXPECT_FALSE(file.Open(directory.File("link"), WritableFile::Mode::Append));
    platform::ReadableFile reader;
    EXPECT_FALSE(reader.Open(directory.File("link")));
    // A link to a directory higher up the name is followed as usual.
    fs::create_directory_symlink(directory.Path(), directory.File("dirlink"));
    EXPECT_TRUE(file.Open(directory.File("dirlink") + "/target", WritableFile::Mode::Append));
}
#endif
