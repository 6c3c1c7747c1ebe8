#include <gtest/gtest.h>

#include <string>

#include "install/command_lines.h"
#include "install/fax_decision.h"

TEST(CommandLines, FormatsOfTheTwoTools)
{
    char line[DRIVER_TOOL_LINE_SIZE];
    ASSERT_EQ(1, AddPrinterCommand(line, "C:\\Program Files\\Zq", "SOFTWARE\\Zq\\Install\\Fax"));
    EXPECT_STREQ("\"C:\\Program Files\\Zq\\zqntadd.exe\" SOFTWARE\\Zq\\Install\\Fax", line);
    ASSERT_EQ(1, AddPrinterCommand(line, "", "SOFTWARE\\Zq"));
    EXPECT_STREQ("\"\\zqntadd.exe\" SOFTWARE\\Zq", line); // directory not read: an empty slot
    ASSERT_EQ(1, DriverToolFile(line, "C:\\windows\\system32\\spool\\drivers\\w32x86"));
    EXPECT_STREQ("C:\\windows\\system32\\spool\\drivers\\w32x86\\zqdrvtl.exe", line);
    ASSERT_EQ(1, DriverToolCommand(line, "C:\\drv", "Zq Fax Driver"));
    EXPECT_STREQ("C:\\drv\\zqdrvtl.exe /n:Zq Fax Driver", line);
    ASSERT_EQ(1, DriverToolCommand(line, "C:\\drv", ""));
    EXPECT_STREQ("C:\\drv\\zqdrvtl.exe /n:", line);
}

// The add-printer line holds 15 bytes of its own, so directory and key path
// share 244 characters (the terminator takes the 260th byte).
TEST(CommandLines, AddPrinterLineAtItsLimit)
{
    struct Case {
        size_t directory, keyPath;
        int fits;
    };
    const Case cases[] = { { 200, 44, 1 }, { 200, 45, 0 }, { 0, 244, 1 }, { 244, 0, 1 }, { 245, 0, 0 }, { 259, 0, 0 } };
    for (const Case& c : cases) {
        char line[ADD_PRINTER_LINE_SIZE + 8];
        memset(line, 'X', sizeof line);
        std::string directory(c.directory, 'd'), keyPath(c.keyPath, 'k');
        EXPECT_EQ(c.fits, AddPrinterCommand(line, directory.c_str(), keyPath.c_str()))
            << c.directory << "+" << c.keyPath;
        if (c.fits)
            EXPECT_EQ("\"" + directory + "\\zqntadd.exe\" " + keyPath, line);
        else
            EXPECT_STREQ("", line); // refused, never cut
        EXPECT_EQ('X', line[ADD_PRINTER_LINE_SIZE]) << "wrote past the buffer";
    }
}

TEST(CommandLines, DriverToolLinesFitForEveryValueThatCanBeRead)
{
    char line[DRIVER_TOOL_LINE_SIZE];
    std::string directory(255, 'd'), name(49, 'n');
    EXPECT_EQ(1, DriverToolCommand(line, directory.c_str(), name.c_str()));
    EXPECT_EQ(1, DriverToolFile(line, directory.c_str()));
    std::string huge(600, 'h');
    EXPECT_EQ(0, DriverToolCommand(line, huge.c_str(), ""));
    EXPECT_STREQ("", line);
}

TEST(FaxDecision, OnlyTheWordTrueTurnsTheFaxOff)
{
    struct Case {
        const char* value;
        int installFax;
    };
    const Case cases[] = { { "TRUE", 0 }, { "true", 0 }, { "tRuE", 0 }, { "TRUE ", 1 }, { " TRUE", 1 }, { "1", 1 },
        { "yes", 1 }, { "FALSE", 1 }, { "", 1 }, { "TRUEX", 1 }, { "TRU", 1 }, { "\xd4RUE", 1 } };
    for (const Case& c : cases)
        EXPECT_EQ(c.installFax, InstallFaxFor(c.value)) << "'" << c.value << "'";
}
