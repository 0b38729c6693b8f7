#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/FileNameLock.h"
#include "platform/Files.h"
#include "platform/ReadableFile.h"
#include "platform/SystemErrors.h"
#include "platform/UniqueHandle.h"
#include "platform/WideText.h"
#include "tests/support/TemporaryDirectory.h"

namespace fs = std::filesystem;
using platform::WritableFile;

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

// Truncating at the open, backslashes, missing directories, renames that never replace
// and links at the end are shown through the file appenders' tests.
TEST(Files, WritersShareTheEndAndFollowTheNameLocksAreSharedNamesBounded) {
    testsupport::TemporaryDirectory directory;
    std::string sub = directory.File("sub"), a = sub + "\\a.txt", b = sub + "\\b.txt";
    WritableFile file, other;
    ASSERT_TRUE(platform::MakeDirectory(sub));
    EXPECT_FALSE(platform::MakeDirectory(sub));
    ASSERT_TRUE(file.Open(a, WritableFile::Mode::Truncate));
    EXPECT_FALSE(file.Open(a, WritableFile::Mode::Truncate));  // already open
    ASSERT_TRUE(other.Open(a, WritableFile::Mode::Append));    // a second writer is let in
    ASSERT_TRUE(file.Write("hello\r\n", 7));
    ASSERT_TRUE(other.Write("+", 1));  // at the end, not over what the first wrote
    uint64_t length = 0;
    ASSERT_TRUE(file.Length(length));
    EXPECT_EQ(8u, length);
    EXPECT_TRUE(platform::PathExists(a) && !platform::DirectoryExists(a));
    // An open file can be renamed; the handles go on writing into it, at the new end.
    EXPECT_TRUE(file.IsNamed(a) && !file.IsNamed(b));
    ASSERT_TRUE(platform::RenameFile(a, b));
    EXPECT_TRUE(!file.IsNamed(a) && file.IsNamed(b));
    ASSERT_TRUE(file.Write("!", 1));
    file.Close();
    other.Close();
    platform::ReadableFile reader;
    char buffer[16] = {};
    ASSERT_TRUE(reader.Open(b));
    EXPECT_EQ(9u, reader.Read(buffer, sizeof buffer));
    EXPECT_STREQ("hello\r\n+!", buffer);
    reader.Close();  // held exclusively on Windows
    EXPECT_TRUE(platform::RemoveFile(b));
    EXPECT_FALSE(platform::RemoveFile(b) || platform::RemoveFile(sub));

    std::string overlong(platform::MaxPathLength + 1, 'x');
    EXPECT_FALSE(platform::PathExists(overlong) || platform::MakeDirectory(overlong));
    EXPECT_FALSE(reader.Open(overlong));
    EXPECT_EQ(platform::NameTooLongError(), platform::LastSystemErrorCode());
    EXPECT_FALSE(platform::RenameFile("x", overlong));
    EXPECT_EQ(platform::NameTooLongError(), platform::LastSystemErrorCode());
#ifndef _WIN32
    // The POSIX reader does not follow a link at the end; a link to a directory higher up
    // the name is followed as usual.
    std::ofstream(directory.File("target")) << "t";
    fs::create_symlink(directory.File("target"), directory.File("link"));
    EXPECT_FALSE(reader.Open(directory.File("link")));
    fs::create_directory_symlink(directory.Path(), directory.File("dirlink"));
    EXPECT_TRUE(reader.Open(directory.File("dirlink") + "/target"));
#endif

    // Two holders of the lock of one name, as two processes would have them, share the
    // lock, the note and the count.
    platform::FileNameLock first, second, elsewhere;
    first.Bind(directory.File("app.log"));
    second.Bind(directory.File("app.log"));
    elsewhere.Bind(directory.File("elsewhere.log"));
    ASSERT_TRUE(first.Lock(0));
    EXPECT_FALSE(second.Lock(20));
    EXPECT_TRUE(elsewhere.Lock(0));
    {
        platform::FileNameLockScope inner(first, 0);  // leaves the lock to its holder
    }
    EXPECT_FALSE(second.Lock(0));
    first.SetNote("started");
    first.Unlock();
    EXPECT_TRUE(second.Lock(0));
    EXPECT_EQ("started", second.Note());
    EXPECT_EQ("", elsewhere.Note());
    uint64_t base = first.AddWritten(0);
    EXPECT_EQ(base + 5, second.AddWritten(5));
    EXPECT_EQ(base + 7, first.AddWritten(2));
#ifdef _WIN32
    // A temporary directory outside the ANSI code page (a user name in another script)
    // still holds the lock files that keep two holders apart.
    std::wstring temp = platform::WideFromUtf8(directory.File("\xE3\x83\xAD\xE3\x82\xB0"));
    wchar_t saved[MAX_PATH + 1] = {};
    DWORD savedLength = GetEnvironmentVariableW(L"TMP", saved, MAX_PATH + 1);
    ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr) &&
                SetEnvironmentVariableW(L"TMP", temp.c_str()));
    platform::FileNameLock mine, theirs;
    mine.Bind(directory.File("app.log"));
    theirs.Bind(directory.File("app.log"));
    EXPECT_TRUE(mine.Lock(0));
    EXPECT_FALSE(theirs.Lock(0));
    EXPECT_EQ(0u, platform::FileNameLock::LockFileName("x").find(platform::Utf8FromWide(temp)));
    SetEnvironmentVariableW(L"TMP", savedLength ? saved : nullptr);
#endif
}
