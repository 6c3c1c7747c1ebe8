// zqcheck's journal on disk: each change to the machine is written down,
// and made durable, before it is made, so that a run that crashed or lost
// its power is undone by the next start (journal_changes.h writes it,
// journal_restore.h undoes it; its format is journal_format.h's). The file
// is held open, unshared, for the whole run: a second copy of zqcheck, in
// any session, cannot open it.
#ifndef ZQ_JOURNAL_FILE_H
#define ZQ_JOURNAL_FILE_H

#include <windows.h>

typedef void (*SayLine)(const char* line);

// Where the journal is kept: in the Windows directory, which the run never removes.
void JournalPath(char out[MAX_PATH]);

enum JournalState {
    JOURNAL_NONE, // no journal: no run left one
    JOURNAL_HELD, // opened and held by this process
    JOURNAL_BUSY, // another zqcheck holds it: a run is going on
    JOURNAL_FAILED, // it could not be opened or made; the last error says why
};
// Opens an existing journal and holds it unshared; with make, makes a new one
// at its full size when there is none.
JournalState JournalOpen(int make);
// Whether the held journal has entries (a run that did not finish).
int JournalHasEntries(void);
// Checks the held journal whole: its version, every entry's checksum. 0
// (and one line to say) when it is not this pack's own, unedited.
int JournalReadable(SayLine say);
// Makes the held journal, with no entry, empty at its full size again (one
// left by a run killed as it made it is neither); 0 when the disk is too full.
int JournalReady(void);
// Lets go of the journal; removes it when it holds no entry.
void JournalClose(void);

// Writes the entry down, durably, after the last; 0 when it could not be,
// and then the change it records must not be made.
int JournalAdd(const char* entry);
// The entries, first to last, as the journal holds them.
int JournalEntryCount(void);
char* const* JournalEntries(void);
// Forgets every entry, and empties the file where it is held; 0 when it
// could not be written.
int JournalEmptied(void);

#endif
