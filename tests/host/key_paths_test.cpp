#include <gtest/gtest.h>

#include <string>

#include "install/key_paths.h"
#include "shift_jis.h"

struct KeyCase {
    const char* keyPath;
    LeadByteTest isLead;
    int installRootOk;
    const char* installRoot;
    int faxOk;
    const char* fax;
};

TEST(KeyPaths, InstallRootAndFaxKey)
{
    const KeyCase cases[] = {
        { "SOFTWARE\\Zq\\Install\\Printer", nullptr, 1, "SOFTWARE\\Zq\\", 1, "SOFTWARE\\Zq\\Install\\Fax" },
        { "SOFTWARE\\Zq\\Install\\Printer\\Install\\Printer", nullptr, 1, "SOFTWARE\\Zq\\", 1,
            "SOFTWARE\\Zq\\Install\\Fax" },
        { "SOFTWARE\\Zq\\Printers\\Install\\Printer", nullptr, 1, "SOFTWARE\\Zq\\Printers\\", 1, "SOFTWARE\\Zq\\Fax" },
        { "SOFTWARE\\Zq\\Device", nullptr, 1, "SOFTWARE\\Zq\\Device", 0, "" },
        { "SOFTWARE\\Zq\\install\\printer", nullptr, 1, "SOFTWARE\\Zq\\install\\printer", 0, "" }, // case counts
        { "Install\\Printer", nullptr, 1, "", 1, "Install\\Fax" },
        { "", nullptr, 1, "", 0, "" },
        { "\"SOFTWARE\\Zq\\Install\\Printer\"", nullptr, 1, "\"SOFTWARE\\Zq\\", 1, "\"SOFTWARE\\Zq\\Install\\Fax" },
        // Under code page 932, 0x83 0x49 is one character whose trail byte is 'I':
        // the text "Install\Printer" that seems to start there is not on a boundary.
        { "SOFTWARE\\\x83Install\\Printer", IsShiftJisLeadByte, 1, "SOFTWARE\\\x83Install\\Printer", 1,
            "SOFTWARE\\\x83Install\\Fax" },
        { "SOFTWARE\\\x83Install\\Printer", nullptr, 1, "SOFTWARE\\\x83", 1, "SOFTWARE\\\x83Install\\Fax" },
        { "SOFTWARE\\\x83Printer", IsShiftJisLeadByte, 1, "SOFTWARE\\\x83Printer", 0, "" },
        { "\x83\x5cInstall\\Printer", IsShiftJisLeadByte, 1, "\x83\x5c", 1, "\x83\x5cInstall\\Fax" },
    };
    for (const KeyCase& c : cases) {
        char root[KEY_PATH_SIZE];
        char fax[KEY_PATH_SIZE];
        EXPECT_EQ(c.installRootOk, InstallRootKeyPath(c.keyPath, root, c.isLead)) << c.keyPath;
        EXPECT_STREQ(c.installRoot, root) << c.keyPath;
        EXPECT_EQ(c.faxOk, FaxKeyPath(c.keyPath, fax, c.isLead)) << c.keyPath;
        EXPECT_STREQ(c.fax, fax) << c.keyPath;
    }
}

TEST(KeyPaths, LongestPathThatFitsAndOneTooLong)
{
    char root[KEY_PATH_SIZE];
    char fax[KEY_PATH_SIZE];
    std::string fits = std::string(259 - 16, 'k') + "\\Install\\Printer";
    ASSERT_EQ(259u, fits.size());
    EXPECT_EQ(1, InstallRootKeyPath(fits.c_str(), root, nullptr));
    EXPECT_EQ(std::string(259 - 16, 'k') + "\\", root);
    EXPECT_EQ(1, FaxKeyPath(fits.c_str(), fax, nullptr));
    EXPECT_EQ(std::string(259 - 16, 'k') + "\\Install\\Fax", fax);

    std::string tooLong = "k" + fits;
    EXPECT_EQ(0, InstallRootKeyPath(tooLong.c_str(), root, nullptr));
    EXPECT_STREQ("", root);
    EXPECT_EQ(0, FaxKeyPath(tooLong.c_str(), fax, nullptr));
    EXPECT_STREQ("", fax);
}
