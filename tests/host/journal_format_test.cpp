// zqcheck's journal as the disk holds it: what a run wrote is read back
// whole; a power failure's cut entry, at any byte, is left out and the
// entries before it kept; a journal edited, damaged or of another version
// is refused; and a disk that takes fewer bytes than were written is a
// failure, after which the journal reads as it did before.
#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "journal_format.h"

namespace {

// A disk with room for so many bytes of the file, as a full disk has.
struct Disk {
    std::string bytes;
    size_t room = JOURNAL_SIZE;
    int writes = 0;
};

size_t DiskWrite(void* file, size_t at, const void* bytes, size_t size)
{
    Disk* disk = static_cast<Disk*>(file);
    ++disk->writes;
    const size_t fits = at >= disk->room ? 0 : std::min(size, disk->room - at);
    if (disk->bytes.size() < at + fits)
        disk->bytes.resize(at + fits, '\0');
    disk->bytes.replace(at, fits, static_cast<const char*>(bytes), fits);
    return fits;
}

std::unique_ptr<JournalText> Fresh()
{
    auto journal = std::make_unique<JournalText>();
    memset(journal.get(), 0, sizeof *journal);
    return journal;
}

const std::vector<std::string> kEntries = {
    "boot|SOFTWARE\\ZqCheck.boot|13400000000",
    "service|Spooler|0|2|0",
    "folder|C:\\zqcheck run",
    "file|C:\\WINDOWS\\ZQsetup.log|C:\\WINDOWS\\ZQsetup.log.zqcheck-saved|1234|3735928559",
    "run|\xe3\x83\x86 C:\\zqcheck run\\launches.txt",
};

// A journal made empty, then the entries written in turn, as a run writes it.
Disk Written(const std::vector<std::string>& entries, JournalText* journal)
{
    Disk disk;
    EXPECT_TRUE(JournalMakeEmpty(journal, DiskWrite, &disk));
    for (const std::string& entry : entries)
        EXPECT_NE(nullptr, JournalAppend(journal, entry.c_str(), DiskWrite, &disk)) << entry;
    return disk;
}

struct Reading {
    JournalReading reading;
    std::vector<std::string> entries;
    size_t end;
};

// The bytes as the next start reads them, at most what it reads of a file.
Reading ReadBack(const std::string& bytes)
{
    auto journal = Fresh();
    journal->size = std::min(bytes.size(), static_cast<size_t>(JOURNAL_READ_MOST));
    memcpy(journal->text, bytes.data(), journal->size);
    Reading read = { JournalRead(journal.get()), {}, journal->end };
    for (int i = 0; i < journal->count; ++i)
        read.entries.push_back(journal->entries[i]);
    return read;
}

} // namespace

TEST(JournalFormat, WhatARunWroteIsReadBackWhole)
{
    auto journal = Fresh();
    const Disk disk = Written(kEntries, journal.get());
    ASSERT_EQ(static_cast<size_t>(JOURNAL_SIZE), disk.bytes.size());
    const Reading read = ReadBack(disk.bytes);
    EXPECT_EQ(JOURNAL_WHOLE, read.reading);
    EXPECT_EQ(kEntries, read.entries);
    EXPECT_EQ(journal->end, read.end); // the next entry goes where the run's would have
}

TEST(JournalFormat, AnEntryCutAtAnyByteIsLeftOutAndTheOnesBeforeKept)
{
    auto journal = Fresh();
    const std::vector<std::string> before(kEntries.begin(), kEntries.end() - 1);
    Disk disk = Written(before, journal.get());
    const size_t lineStart = journal->end;
    ASSERT_NE(nullptr, JournalAppend(journal.get(), kEntries.back().c_str(), DiskWrite, &disk));
    for (size_t cut = lineStart; cut <= journal->end; ++cut) {
        std::string bytes = disk.bytes;
        std::fill(bytes.begin() + static_cast<long>(cut), bytes.end(), '\0'); // the zero-filled tail
        const Reading read = ReadBack(bytes);
        EXPECT_EQ(JOURNAL_WHOLE, read.reading) << "cut at " << cut;
        EXPECT_EQ(cut == journal->end ? kEntries : before, read.entries) << "cut at " << cut;
        EXPECT_EQ(cut == journal->end ? journal->end : lineStart, read.end) << "cut at " << cut;
    }
}

TEST(JournalFormat, AJournalEditedDamagedOrForeignIsRefused)
{
    auto journal = Fresh();
    const std::string written = Written(kEntries, journal.get()).bytes;
    const size_t header = written.find("\r\n") + 2;
    // The header names the pack's version; another's is a journal of another version.
    const size_t version = written.find(" pack ") + 6;
    ASSERT_LT(version, header);
    const std::string other = std::string(written).replace(version, header - 2 - version, "0.9.0.0");
    const std::string longer = std::string(written).replace(header - 2, 0, "1");
    const struct {
        const char* what;
        std::string bytes;
        JournalReading reading;
    } cases[] = {
        { "an empty file: made, never written", "", JOURNAL_WHOLE },
        { "the header cut while it was made", "zqcheck jou", JOURNAL_WHOLE },
        { "the header and zero bytes", written.substr(0, header) + std::string(100, '\0'), JOURNAL_WHOLE },
        { "a byte of an entry changed", std::string(written).replace(header + 5, 1, "X"), JOURNAL_DAMAGED },
        { "a checksum's digit changed", std::string(written).replace(header + kEntries[0].size() + 1, 1, "g"),
            JOURNAL_DAMAGED },
        { "a line end taken out", std::string(written).replace(header + kEntries[0].size() + 9, 2, "  "),
            JOURNAL_DAMAGED },
        { "bytes in the zero tail", std::string(written).replace(JOURNAL_SIZE - 1, 1, "x"), JOURNAL_DAMAGED },
        { "an older format's", std::string(written).replace(16, 1, "2"), JOURNAL_FOREIGN },
        { "the format before the pack version", "zqcheck journal 2\r\nfolder|C:\\zqcheck|0\r\n", JOURNAL_FOREIGN },
        { "another pack version's", other, JOURNAL_FOREIGN },
        { "a pack version that begins as this one", longer, JOURNAL_FOREIGN },
        { "another pack version's, nothing in it yet", other.substr(0, header) + std::string(100, '\0'),
            JOURNAL_FOREIGN },
        { "another program's file", "hello\r\n", JOURNAL_FOREIGN },
        { "longer than a journal", written + "x", JOURNAL_FOREIGN },
        { "much longer than a journal", written + std::string(4096, 'x'), JOURNAL_FOREIGN },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.reading, ReadBack(c.bytes).reading) << c.what;
}

TEST(JournalFormat, ADiskThatTakesLessIsAFailureNeverASuccess)
{
    // Made at its full size: a disk with less room refuses the run before
    // its first change.
    for (const size_t room : { size_t(0), size_t(10), size_t(JOURNAL_SIZE - 1) }) {
        Disk disk;
        disk.room = room;
        EXPECT_FALSE(JournalMakeEmpty(Fresh().get(), DiskWrite, &disk)) << "room " << room;
    }
    // An entry the disk takes only part of: no entry, so no change may follow,
    // and the next start reads the journal as it was before it.
    auto journal = Fresh();
    const std::vector<std::string> before(kEntries.begin(), kEntries.end() - 1);
    Disk disk = Written(before, journal.get());
    const size_t end = journal->end, line = kEntries.back().size() + 11;
    for (const size_t room : { end, end + 1, end + line / 2, end + line - 1 }) {
        Disk full = disk;
        full.room = room;
        const int count = journal->count;
        EXPECT_EQ(nullptr, JournalAppend(journal.get(), kEntries.back().c_str(), DiskWrite, &full)) << room;
        EXPECT_EQ(count, journal->count) << room;
        EXPECT_EQ(end, journal->end) << room;
        EXPECT_EQ(JOURNAL_WHOLE, ReadBack(full.bytes).reading) << room;
        EXPECT_EQ(before, ReadBack(full.bytes).entries) << room;
    }
    // Room for it all: the same entry is written whole.
    EXPECT_NE(nullptr, JournalAppend(journal.get(), kEntries.back().c_str(), DiskWrite, &disk));
    EXPECT_EQ(kEntries, ReadBack(disk.bytes).entries);
}

TEST(JournalFormat, AnEntryThatDoesNotFitIsNotWritten)
{
    auto journal = Fresh();
    Disk disk = Written({}, journal.get());
    const int writes = disk.writes;
    const std::string tooLong(JOURNAL_ENTRY_SIZE + 1, 'a');
    EXPECT_EQ(nullptr, JournalAppend(journal.get(), tooLong.c_str(), DiskWrite, &disk));
    for (int i = 0; i < JOURNAL_MOST_ENTRIES; ++i)
        ASSERT_NE(nullptr, JournalAppend(journal.get(), "key|SOFTWARE\\ZqCheck", DiskWrite, &disk));
    EXPECT_EQ(nullptr, JournalAppend(journal.get(), "key|SOFTWARE\\ZqCheck", DiskWrite, &disk));
    EXPECT_EQ(writes + JOURNAL_MOST_ENTRIES, disk.writes);
    EXPECT_EQ(JOURNAL_MOST_ENTRIES, static_cast<int>(ReadBack(disk.bytes).entries.size()));

    char entry[JOURNAL_ENTRY_SIZE];
    const std::string path(JOURNAL_ENTRY_SIZE / 2, 'p');
    EXPECT_TRUE(JournalEntryText(entry, "file", "C:\\a", "C:\\b", 1, 2));
    EXPECT_STREQ("file|C:\\a|C:\\b|1|2", entry);
    EXPECT_TRUE(JournalEntryText(entry, "folder", "C:\\a", nullptr, 0, 0));
    EXPECT_STREQ("folder|C:\\a", entry);
    EXPECT_FALSE(JournalEntryText(entry, "file", path.c_str(), path.c_str(), 1, 2));
}
