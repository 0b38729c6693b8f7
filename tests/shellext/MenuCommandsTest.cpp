// The commands behind the entries, run through InvokeCommand on the stand-in shell:
// command shells, clipboard texts, touching with the present or a chosen time.
#include <string>
#include <vector>

#include "platform/shell/FileTimeConversion.h"
#include "shellext/CChooseDateTimeDlg.h"
#include "shellext/MenuCommands.h"
#include "tests/shellext/ShellExtFixture.h"
#include "tests/support/SettableClock.h"

namespace shellexttest {
namespace {

using platform::DateTime;
using platform::shell::FileTime;
using tamarack::CChooseDateTimeDlg;

FileTime At(int year, int month, int day, int hour, int minute, int second) {
    FileTime fileTime = 0;
    EXPECT_TRUE(platform::shell::FileTimeFromDateTime(
        DateTime{year, month, 0, day, hour, minute, second, 0}, fileTime));
    return fileTime;
}

class MenuCommandsTest : public ShellExtFixture {
  protected:
    // The dialog's six lists, day to second: their selections, or with `sizes` their sizes.
    std::vector<int> Lists(bool sizes = false) {
        std::vector<int> values;
        for (int id = CChooseDateTimeDlg::DayList; id <= CChooseDateTimeDlg::SecondList; ++id) {
            const auto& list = shell.dialogLists.at(id);
            values.push_back(sizes ? static_cast<int>(list.items.size()) : list.selected);
        }
        return values;
    }
};

// Whether a directory too long for a process is reported is checked for real under Wine.
TEST_F(MenuCommandsTest, ShellsStartInTheRightDirectory) {
    Invoke({"C:\\file.txt"}, 0);
    Invoke({"C:\\data"}, 1);
    Invoke({"C:\\"}, 0);
    Invoke({"C:\\data\\a.txt", "D:\\b.txt"}, 0);  // the directory of the first path
    Invoke({"relative.txt"}, 0);                  // no backslash: not cut
    Invoke({}, 0);                                // nothing selected: nothing started
    Invoke({"C:\\data\\a.txt", "D:\\b.txt"}, 1);  // only for one selected directory
    std::vector<std::string> directories;
    for (const auto& start : shell.programStarts) {
        EXPECT_EQ("C:\\Windows\\system32\\cmd.exe", start.file);
        EXPECT_EQ(SW_SHOWNORMAL, start.show);
        directories.push_back(start.directory);
    }
    EXPECT_EQ((std::vector<std::string>{"C:\\", "C:\\data", "C:\\", "C:\\data", "relative.txt"}),
              directories);
    shell.windowsNT = false;
    Invoke({"C:\\data"}, 1);
    EXPECT_EQ("C:\\Windows\\command.com", shell.programStarts.back().file);
}

TEST_F(MenuCommandsTest, ClipboardTextsFollowSpacesAndModifierKeys) {
    // Shift alone upper-cases the whole path; the other keys, the directory texts and
    // letters beyond ASCII are checked for every kind of path under Wine.
    shell.keysDown = {VK_SHIFT};
    Invoke({"C:\\My Files\\a.txt"}, 3);
    EXPECT_EQ("\"C:\\MY FILES\\A.TXT\"", shell.clipboardText);
    shell.keysDown.clear();
    Invoke({"C:\\file.txt"}, 2);
    EXPECT_EQ("C:", shell.clipboardText);
    shell.clipboardAvailable = false;
    Invoke({"C:\\data\\b.txt"}, 3);
    EXPECT_EQ("C:", shell.clipboardText);  // unchanged
    EXPECT_TRUE(shell.messageBoxes.empty());
}

// The real system's texts and the sharing violation are seen in a real box under Wine.
TEST_F(MenuCommandsTest, TouchSetsAllThreeTimesToNowAndReportsEachFailedStep) {
    testsupport::SettableClock clock;
    clock.SetUtcOffsetMinutes(60);
    clock.SetLocalTime(2024, 7, 1, 13, 30, 15, 250);
    const auto& a = AddFile("C:\\a.txt", 5).times;
    AddFile("C:\\read-only.txt", 5).readOnly = true;
    AddFile("C:\\no-times.txt", 5).failGetTimes = true;
    AddFile("C:\\stuck.txt", 5).failSetTimes = true;
    AddFile("C:\\b.txt", 5);
    Invoke({"C:\\a.txt", "C:\\read-only.txt", "C:\\missing.txt", "C:\\no-times.txt",
            "C:\\stuck.txt", "C:\\b.txt"},
           6);
    FileTime now = At(2024, 7, 1, 12, 30, 15) + 250 * 10000;
    EXPECT_EQ((std::vector<FileTime>{now, now, now}),
              (std::vector<FileTime>{a.creation, a.lastAccess, a.lastWrite}));
    EXPECT_EQ(now, shell.files["C:\\b.txt"].times.lastWrite);
    EXPECT_EQ(5u, shell.files["C:\\stuck.txt"].times.lastWrite);
    EXPECT_EQ(0, shell.openFiles) << "a handle was left open";
    // One box for each failure, in order, naming the step and the system's text.
    std::vector<std::string> texts;
    for (const auto& box : shell.messageBoxes) {
        EXPECT_EQ("Tamarack", box.caption);
        EXPECT_EQ(MB_ICONHAND, box.style);
        texts.push_back(box.text);
    }
    const std::string denied = "Access is denied.).";
    EXPECT_EQ((std::vector<std::string>{
                  "Unable to touch file 'C:\\read-only.txt' (Open: " + denied,
                  "Unable to touch file 'C:\\missing.txt' (Open: The system cannot find the "
                  "file specified.).",
                  "Unable to touch file 'C:\\no-times.txt' (GetFileTime: " + denied,
                  "Unable to touch file 'C:\\stuck.txt' (SetFileTime: " + denied}),
              texts);
    // One file: one box, and offset 6 touches nothing of a single selection.
    Invoke({"C:\\stuck.txt"}, 4);
    Invoke({"C:\\stuck.txt"}, 6);
    EXPECT_EQ(5u, shell.messageBoxes.size());
    EXPECT_EQ("Error code 12345", tamarack::SystemErrorText(12345));
}

// What the dialog's lists show, and in which order, is seen in the real dialog under Wine.
TEST_F(MenuCommandsTest, DialogOffersTheFileTimeAndOkStampsTheChosenLocalTime) {
    shell.utcOffsetMinutes = 120;
    const auto& times = AddFile("C:\\a.txt").times = {11, 22, At(2020, 2, 28, 22, 5, 9)};
    shell.dialogAnswer = IDCANCEL;
    Invoke({"C:\\a.txt"}, 5);
    EXPECT_EQ((std::vector<int>{31, 12, 120, 24, 60, 60}), Lists(true));
    // 22:05:09 UTC on 28 February is 00:05:09 local on 29 February 2020.
    EXPECT_EQ((std::vector<int>{28, 1, 2020 - 1980, 0, 5, 9}), Lists());

    shell.utcOffsetMinutes = -300;
    shell.dialogAnswer = IDOK;
    // 31 April does not exist: the month's last day is taken.
    shell.dialogChoices = {
        {CChooseDateTimeDlg::DayList, 30},           {CChooseDateTimeDlg::MonthList, 3},
        {CChooseDateTimeDlg::YearList, 2023 - 1980}, {CChooseDateTimeDlg::HourList, 21},
        {CChooseDateTimeDlg::MinuteList, 0},         {CChooseDateTimeDlg::SecondList, 59}};
    Invoke({"C:\\a.txt"}, 5);
    EXPECT_EQ(At(2023, 5, 1, 2, 0, 59), times.lastWrite);  // 30 April 21:00:59 at UTC-5
    EXPECT_EQ(11u, times.creation);
    EXPECT_EQ(22u, times.lastAccess);

    // "Touch seledted files ..." stamps every path with the chosen time, now preselected.
    testsupport::SettableClock clock;
    clock.SetLocalTime(2011, 3, 14, 9, 26, 53);
    AddFile("C:\\b.txt", 1);
    AddFile("C:\\c.txt", 1);
    shell.dialogChoices.clear();
    Invoke({"C:\\b.txt", "C:\\missing.txt", "C:\\c.txt"}, 7);
    EXPECT_EQ((std::vector<int>{13, 2, 2011 - 1980, 9, 26, 53}), Lists());
    EXPECT_EQ(At(2011, 3, 14, 14, 26, 53), shell.files["C:\\b.txt"].times.lastWrite);
    EXPECT_EQ(At(2011, 3, 14, 14, 26, 53), shell.files["C:\\c.txt"].times.lastWrite);
    EXPECT_EQ(1u, shell.messageBoxes.size());
    // A chosen time before the first file time (1601-01-01 00:00 UTC) is refused visibly.
    shell.utcOffsetMinutes = 60;
    AddFile("C:\\first.txt", 0);
    shell.dialogChoices = {{CChooseDateTimeDlg::HourList, 0}};
    Invoke({"C:\\first.txt"}, 5);
    ASSERT_EQ(2u, shell.messageBoxes.size());
    EXPECT_EQ(
        "Unable to touch file 'C:\\first.txt' (SystemTimeToFileTime: The parameter is "
        "incorrect.).",
        shell.messageBoxes[1].text);
    // Its year, outside the usual range, was still offered, so that the preselection held.
    EXPECT_EQ((std::vector<int>{31, 12, 2099 - 1601 + 1, 24, 60, 60}), Lists(true));
    EXPECT_EQ(0, Lists()[2]);
}

}  // namespace
}  // namespace shellexttest
