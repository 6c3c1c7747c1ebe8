#include <gtest/gtest.h>

#include <string>

#include "shift_jis.h"
#include "support/log_path.h"
#include "support/text_rules.h"

TEST(FindText, MatchesOnlyOnCharacterBoundaries)
{
    struct Case {
        const char* text;
        const char* what;
        LeadByteTest isLead;
        int at; // -1: not found
    };
    const Case cases[] = {
        { "abcPrinter", "Printer", nullptr, 3 },
        { "Printer", "Printer", nullptr, 0 },
        { "Printe", "Printer", nullptr, -1 },
        { "", "Printer", nullptr, -1 },
        { "abc", "", nullptr, 0 },
        { "\x83Printer", "Printer", IsShiftJisLeadByte, -1 }, // 'P' is a trail byte
        { "\x83Printer", "Printer", nullptr, 1 }, // single-byte code page
        { "\x83PPrinter", "Printer", IsShiftJisLeadByte, 2 },
        { "\x83\x83Printer", "Printer", IsShiftJisLeadByte, 2 }, // 83 83 is one character
        { "\x83\x83\x83Printer", "Printer", IsShiftJisLeadByte, -1 },
        { "ab\x83", "Printer", IsShiftJisLeadByte, -1 }, // lead byte before the end
        { "\x83", "", IsShiftJisLeadByte, 0 },
    };
    for (const Case& c : cases) {
        const char* found = FindText(c.text, c.what, c.isLead);
        EXPECT_EQ(c.at, found ? (int)(found - c.text) : -1) << c.text << " / " << c.what;
    }
    EXPECT_EQ(nullptr, FindText(nullptr, "x", nullptr));
    EXPECT_EQ(nullptr, FindText("x", nullptr, nullptr));
}

TEST(EndValueText, TerminatesWhatTheRegistryGave)
{
    struct Case {
        const char* bytes;
        unsigned got, size;
        int ok;
        const char* text;
    };
    const Case cases[] = {
        { "abc\0", 4, 8, 1, "abc" }, { "abc", 3, 8, 1, "abc" }, // stored without its zero: one is added
        { "abcdefgh", 8, 8, 0, "" }, // fills the buffer with no zero: does not fit
        { "abcdefg\0", 8, 8, 1, "abcdefg" }, { "", 0, 8, 1, "" }, // an empty value
        { "a\0b\0\0", 5, 8, 1, "a" }, // a multi-string reads as its first text
        { "abcdefgh", 9, 8, 0, "" }, // a size the buffer cannot hold
    };
    for (const Case& c : cases) {
        char text[16];
        memset(text, 'X', sizeof text);
        memcpy(text, c.bytes, c.got < c.size ? c.got : c.size);
        EXPECT_EQ(c.ok, EndValueText(text, c.size, c.got)) << c.bytes;
        EXPECT_STREQ(c.text, text) << c.bytes;
    }
}

TEST(LogPath, BuiltFromTheWindowsDirectory)
{
    struct Case {
        std::string directory;
        unsigned reported; // as GetWindowsDirectoryA returned it
        LeadByteTest isLead;
        const char* path; // null: no log path
    };
    const std::string tooLong(LOG_PATH_SIZE - 12, 'w'); // + "\ZQsetup.log" + terminator = 261
    const Case cases[] = {
        { "C:\\windows", 10, nullptr, "C:\\windows\\ZQsetup.log" },
        { "C:\\", 3, nullptr, "C:\\ZQsetup.log" }, // a drive root keeps one backslash
        { "D:\\\x83\x5c", 5, IsShiftJisLeadByte, "D:\\\x83\x5c\\ZQsetup.log" }, // 5C is a trail byte
        { "", 0, nullptr, nullptr }, // the query failed
        { "", 300, nullptr, nullptr }, // directory longer than the buffer
        { tooLong, (unsigned)tooLong.size(), nullptr, nullptr },
        { std::string(LOG_PATH_SIZE - 1, 'w'), LOG_PATH_SIZE - 1, nullptr, nullptr }, // fills the buffer
        { std::string(LOG_PATH_SIZE - 2, 'w'), LOG_PATH_SIZE - 2, nullptr, nullptr },
    };
    for (const Case& c : cases) {
        char path[LOG_PATH_SIZE];
        memset(path, 'X', sizeof path);
        memcpy(path, c.directory.c_str(), c.directory.size() + 1);
        EXPECT_EQ(c.path ? 1 : 0, ComposeLogPath(path, c.reported, c.isLead)) << c.directory;
        EXPECT_STREQ(c.path ? c.path : "", path) << c.directory;
    }
    std::string fits(LOG_PATH_SIZE - 13, 'w');
    char path[LOG_PATH_SIZE];
    memcpy(path, fits.c_str(), fits.size() + 1);
    EXPECT_EQ(1, ComposeLogPath(path, (unsigned)fits.size(), nullptr));
    EXPECT_EQ(fits + "\\ZQsetup.log", path);
}

TEST(JoinText, NeverWritesPastTheBuffer)
{
    char out[8];
    const char* parts[] = { "abc", "defg" };
    EXPECT_EQ(1, JoinText(out, 8, parts, 2));
    EXPECT_STREQ("abcdefg", out);
    const char* longer[] = { "abcd", "efgh" };
    EXPECT_EQ(0, JoinText(out, 8, longer, 2));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, JoinText(out, 0, parts, 2));
    EXPECT_EQ(1, CopyText(out, 8, ""));
    EXPECT_STREQ("", out);
}

TEST(SameTextAnyCase, FoldsOnlyTheLettersAToZ)
{
    struct Case {
        const char *a, *b;
        int same;
    };
    const Case cases[] = {
        { "A", "a", 1 },
        { "Z", "z", 1 },
        { "TrUe", "tRuE", 1 },
        { "", "", 1 },
        { "@", "`", 0 },
        { "[", "{", 0 }, // 0x40/0x60 and 0x5B/0x7B sit just outside the letters
        { "\xC0", "\xE0", 0 },
        { "\xC0", "\xC0", 1 }, // high bytes match only themselves, in every code page
        { "TRUE", "TRUE ", 0 },
        { "TRUE ", "TRUE", 0 },
        { "TRUE", "TRU", 0 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, SameTextAnyCase(c.a, c.b)) << c.a << " / " << c.b;
}

TEST(SignedDecimal, EveryThirtyTwoBitCodeAsPercentLd)
{
    struct Case {
        uint32_t value;
        const char* text;
    };
    const Case cases[] = { { 0, "0" }, { 1, "1" }, { 0x7FFFFFFF, "2147483647" }, { 0x80000000, "-2147483648" },
        { 0xFFFFFFFF, "-1" }, { 0xE0000001, "-536870911" } };
    for (const Case& c : cases) {
        char out[SIGNED_DECIMAL_SIZE];
        SignedDecimal(out, c.value);
        EXPECT_STREQ(c.text, out) << c.value;
    }
}
