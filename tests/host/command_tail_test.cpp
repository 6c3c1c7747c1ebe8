#include <gtest/gtest.h>

#include "install/command_tail.h"

struct TailCase {
    const char* line;
    const char* tail;
};

TEST(CommandTail, FollowsTheWinMainRule)
{
    const TailCase cases[] = {
        { "zqrunadd.exe SOFTWARE\\Zq\\Install\\Printer", "SOFTWARE\\Zq\\Install\\Printer" },
        { "\"C:\\Program Files\\zqrunadd.exe\" SOFTWARE\\X", "SOFTWARE\\X" },
        { "\"C:\\a b\\zqrunadd.exe\"SOFTWARE\\X", "SOFTWARE\\X" }, // no blank after the quote
        { "\"unterminated quote SOFTWARE\\X", "" }, // name runs to the end
        { "zqrunadd.exe", "" }, // empty tail
        { "", "" }, { "zqrunadd.exe \t\x01\x1f SOFTWARE\\X", "SOFTWARE\\X" }, // bytes 1..32 skipped
        { "zqrunadd.exe\x01SOFTWARE\\X", "SOFTWARE\\X" }, // control byte ends the name
        { "zq\xa0run.exe X", "X" }, // high bytes are ordinary
        { "zq\xffrun.exe \xe9t\xe9 ", "\xe9t\xe9 " }, // tail keeps high and trailing bytes
        { "zq\"run add.exe X", "add.exe X" }, // a quote inside a name is plain
        { "zqrunadd.exe \"SOFTWARE\\Quoted Key\"  ", "\"SOFTWARE\\Quoted Key\"  " },
        { "\"\" SOFTWARE\\X", "SOFTWARE\\X" }, // empty quoted name
    };
    for (const TailCase& c : cases)
        EXPECT_STREQ(c.tail, CommandTailOf(c.line)) << "line: " << c.line;
}

TEST(CommandTail, NullLineGivesNoTail)
{
    EXPECT_EQ(nullptr, CommandTailOf(nullptr));
}
