#include <gtest/gtest.h>

#include <string>

#include "platform/EditControl.h"

using namespace platform;

TEST(EditControl, TextLinesReadOnlyAndView) {
    WindowHandle control = CreateEditControl(3);
    if (control == 0)
        GTEST_SKIP() << "no edit control can be made here (no display)";
    EXPECT_TRUE(EditControlExists(control));
    EXPECT_FALSE(EditControlExists(0));
    EXPECT_EQ(1, EditControlLineCount(control));
    std::string text = "stale";
    GetEditControlText(control, text);
    EXPECT_EQ("", text);

    EXPECT_FALSE(EditControlIsReadOnly(control));
    SetEditControlReadOnly(control, true);
    EXPECT_TRUE(EditControlIsReadOnly(control));
    SetEditControlReadOnly(control, false);
    EXPECT_FALSE(EditControlIsReadOnly(control));

    SetEditControlText(control, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n");
    GetEditControlText(control, text);
    EXPECT_EQ("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n", text);
    EXPECT_EQ(7, EditControlLineCount(control));
    EXPECT_EQ(0, EditControlFirstVisibleLine(control));
    ScrollEditControl(control, 2);
    EXPECT_EQ(2, EditControlFirstVisibleLine(control));
    ScrollEditControl(control, -1);
    EXPECT_EQ(1, EditControlFirstVisibleLine(control));
    ScrollEditControl(control, 100);  // stops with the last line in view
    EXPECT_GE(EditControlFirstVisibleLine(control), 3);
    EXPECT_LE(EditControlFirstVisibleLine(control), 6);
    SetEditControlText(control, "x");
    EXPECT_EQ(0, EditControlFirstVisibleLine(control));

    DestroyEditControl(control);
    EXPECT_FALSE(EditControlExists(control));
    GetEditControlText(control, text);
    EXPECT_EQ("", text);
}
