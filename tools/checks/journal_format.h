// The journal's file format, and its pure rules: no platform call, so that
// the host tests read damaged and cut journals and write to a full disk.
// The file is made at its full size at the start (what is not written yet
// reads as zero bytes), so that a disk too full for it refuses the run
// before the first change. A header line that names the format and the
// pack's version ("zqcheck journal 3 pack 1.1.0.0"), then one line an entry, its
// fields apart by '|', ended by a checksum of the line (eight hex digits)
// that a hand's edit breaks:
//   boot|KEY|SECONDS                  the boot the run began in: a volatile key (NT), or the
//                                     boot time in seconds (9x, KEY empty)
//   folder|PATH                       a folder made, removed with all in it
//   key|PATH                          a key under HKEY_LOCAL_MACHINE made, removed with all below it
//   file|PATH|ASIDE|SIZE|SUM          a file (the log) replaced: ASIDE holds the one that was
//                                     there (empty when none was), of SIZE bytes and checksum SUM
//   tool|PATH|ASIDE|SIZE|SUM          the same for a driver tool, in whose place the double stands
//   service|NAME|RUNNING|START        a service's state and start type before the run
//   run|RECORD                        the program and the doubles a run starts, with this
//                                     launch record: ended when a killed run left them running
// An entry cut short by a power failure (no line end, zero bytes after it)
// is one whose change was never made: changes follow their entry's flush.
#ifndef ZQ_JOURNAL_FORMAT_H
#define ZQ_JOURNAL_FORMAT_H

#include <stddef.h>
#include <stdint.h>

enum {
    JOURNAL_PATH_MAX = 260, // MAX_PATH
    JOURNAL_ENTRY_SIZE = 3 * JOURNAL_PATH_MAX,
    JOURNAL_MOST_ENTRIES = 64,
    JOURNAL_SIZE = JOURNAL_MOST_ENTRIES * JOURNAL_ENTRY_SIZE,
};

// The journal as read or written: its bytes, and its entries within them.
struct JournalText {
    // One byte more than a journal holds, to see one that is too long, and
    // one for the zero after what was read.
    char text[JOURNAL_SIZE + 2];
    size_t size; // bytes read
    size_t end; // where the next entry goes: after the last whole one
    char* entries[JOURNAL_MOST_ENTRIES]; // each ended by a zero byte where its checksum's '|' was
    int count;
};

// The most bytes of the file to read into JournalText::text.
enum { JOURNAL_READ_MOST = JOURNAL_SIZE + 1 };

// FNV-1a over bytes, as the files' marks are summed.
uint32_t JournalChecksum(const char* bytes, size_t size);

enum JournalReading {
    JOURNAL_WHOLE, // this pack's own: its whole entries taken, a cut one left out
    JOURNAL_FOREIGN, // not a journal of this format and pack version (another header, or too long)
    JOURNAL_DAMAGED, // changed by hand or damaged: a checksum or a line that does not hold
};
// Reads journal->size bytes of journal->text into its entries.
JournalReading JournalRead(JournalText* journal);

// Writes size bytes at offset at of the file, through to the disk; tells how
// many it wrote so. Anything short of size is a failure: a full disk.
typedef size_t (*JournalWriter)(void* file, size_t at, const void* bytes, size_t size);

// Empties the journal: the header, then zero bytes to its full size, written
// whole. 0 when the writer wrote less.
int JournalMakeEmpty(JournalText* journal, JournalWriter write, void* file);

// Writes the entry, with its checksum and line end, after the last one; the
// entry as the journal keeps it, or null when it does not fit or was not
// written whole. Then the journal is as it was, and no change may follow.
const char* JournalAppend(JournalText* journal, const char* entry, JournalWriter write, void* file);

// An entry's text: "kind|first" or, with second, "kind|first|second|third|fourth";
// 0 when it would not fit in out (JOURNAL_ENTRY_SIZE bytes).
int JournalEntryText(
    char* out, const char* kind, const char* first, const char* second, unsigned long third, unsigned long fourth);

#endif
