// What the restore makes of each journal entry: which change it records,
// how a file set aside goes back, and whether the machine booted since.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "restore_rules.h"

TEST(RestoreRules, EachEntryIsKnownByItsKindAndItsFields)
{
    const struct {
        const char* entry;
        EntryKind kind;
    } cases[] = {
        { "boot|SOFTWARE\\ZqCheck.boot|13400000000", ENTRY_BOOT },
        { "boot||13400000000", ENTRY_BOOT }, // 9x: no key
        { "run|C:\\zqcheck\\launches.txt", ENTRY_RUN },
        { "folder|C:\\zqcheck", ENTRY_FOLDER },
        { "key|SOFTWARE\\ZqCheck", ENTRY_KEY },
        { "file|C:\\WINDOWS\\ZQsetup.log||0|0", ENTRY_FILE },
        { "tool|C:\\drv\\zqdrvtl.exe|C:\\drv\\zqdrvtl.exe.zqcheck-saved|512|77", ENTRY_TOOL },
        { "service|Spooler|1|2|0", ENTRY_SERVICE },
        // A field short or over, or a kind of another version: never guessed at.
        { "boot|SOFTWARE\\ZqCheck.boot", ENTRY_UNKNOWN },
        { "key|SOFTWARE\\ZqCheck|x", ENTRY_UNKNOWN },
        { "file|C:\\WINDOWS\\ZQsetup.log|", ENTRY_UNKNOWN },
        { "service|Spooler|1", ENTRY_UNKNOWN },
        { "printer|Fax", ENTRY_UNKNOWN },
        { "Folder|C:\\zqcheck", ENTRY_UNKNOWN },
        { "", ENTRY_UNKNOWN },
    };
    for (const auto& c : cases) {
        std::string copy = c.entry;
        char* fields[5];
        const int count = JournalFields(&copy[0], fields, 5);
        EXPECT_EQ(c.kind, JournalEntryKind(fields, count)) << c.entry;
    }
    std::string service = "service|Spooler|0|4|0";
    char* f[5];
    ASSERT_EQ(5, JournalFields(&service[0], f, 5));
    EXPECT_STREQ("Spooler", f[1]);
    EXPECT_STREQ("4", f[3]);
}

TEST(RestoreRules, AFileSetAsideGoesBackAndOnlyTheRunsIsCleared)
{
    const struct {
        const char* what;
        int wasThere, asideThere;
        int clear, moveBack;
    } cases[] = {
        { "none was there: what the run left goes", 0, 0, 1, 0 },
        { "set aside: the run's goes, the copy comes back", 1, 1, 1, 1 },
        // Killed between the entry and the move: the file in place is the
        // one that was there, and it stays.
        { "written down, not moved yet", 1, 0, 0, 0 },
    };
    for (const auto& c : cases) {
        const FilePutBack plan = PlanFilePutBack(c.wasThere, c.asideThere);
        EXPECT_EQ(c.clear, plan.clear) << c.what;
        EXPECT_EQ(c.moveBack, plan.moveBack) << c.what;
    }
}

TEST(RestoreRules, TheBootIsTheJournalsOwnOnly)
{
    const std::string longKey(400, 'k');
    const struct {
        const char* what;
        std::vector<std::string> entries;
        int found;
        std::string key;
        uint32_t seconds;
    } cases[] = {
        { "NT: its volatile key", { "boot|SOFTWARE\\ZqCheck.boot|4000000000", "key|K" }, 1, "SOFTWARE\\ZqCheck.boot",
            4000000000u },
        { "9x: the boot time", { "folder|C:\\z", "boot||12345" }, 1, "", 12345 },
        { "no boot written down", { "folder|C:\\z", "key|K" }, 0, "", 0 },
        { "a boot entry that does not hold", { "boot|SOFTWARE\\ZqCheck.boot" }, 0, "", 0 },
        { "a key longer than a path: cut", { "boot|" + longKey + "|1" }, 1, longKey.substr(0, JOURNAL_PATH_MAX - 1),
            1 },
    };
    for (const auto& c : cases) {
        std::vector<std::string> entries = c.entries;
        std::vector<char*> pointers;
        for (std::string& entry : entries)
            pointers.push_back(&entry[0]);
        BootMark boot = {};
        ASSERT_EQ(c.found, JournalBoot(pointers.data(), static_cast<int>(pointers.size()), &boot)) << c.what;
        if (c.found) {
            EXPECT_EQ(c.key, boot.key) << c.what;
            EXPECT_EQ(c.seconds, boot.seconds) << c.what;
        }
    }
}

TEST(RestoreRules, TheSameBootWithinTheClocksSlackOnly)
{
    const struct {
        uint32_t recorded, now;
        int same;
    } cases[] = {
        { 1000, 1000, 1 },
        { 1000, 1000 + BOOT_SLACK_S - 1, 1 },
        { 1000, 1000 + BOOT_SLACK_S, 0 }, // booted again soon after
        { 1000, 1000 - BOOT_SLACK_S + 1, 1 },
        { 1000, 1000 - BOOT_SLACK_S, 0 },
        { 0xFFFFFFF0u, 0x10, 1 }, // across the counter's wrap
        { 0x10, 0xFFFFFFF0u, 1 },
        { 1000, 90000, 0 },
        { 0, 0x80000000u, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.same, SameBootTime(c.recorded, c.now)) << c.recorded << " " << c.now;
}
