// zqcheck's journal: each change to the machine is written down, and made
// durable, before it is made, so that a run that crashed or lost its power is
// undone by the next start. The file is held open, unshared, for the whole
// run: a second copy of zqcheck, in any session, cannot open it. It is made
// at its full size at the start, so that a disk too full for it refuses the
// run before the first change; what is not written yet reads as zero bytes.
// A header line, then one line an entry, its fields apart by '|', ended by
// a checksum of the line (eight hex digits) that a hand's edit breaks:
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
#ifndef ZQ_JOURNAL_H
#define ZQ_JOURNAL_H

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

// The changes zqcheck makes, each written down first.
int NoteBoot(void);
int MakeOwnFolder(const char* path);
int NoteOwnKey(const char* path);
// Moves an existing file at path aside (to path with ".zqcheck-saved"
// appended) so that the run may put its own there; a tool gets the double.
int SetFileAside(const char* path);
int SetToolAside(const char* path);
// Where SetFileAside puts path's file; empty when the name would be too long.
void AsidePath(const char* path, char out[MAX_PATH]);
int NoteService(const char* name, int running, DWORD startType);
int NoteRun(const char* record);

// Undoes the journal's entries, last first, then empties it when all is as
// it was. Once *hurry is set (a logoff, a shutdown) it stops after a few
// seconds, and the journal keeps what was left. Each step is safe to run
// again. Prints each step that failed and each thing not as it was, a line
// each. Returns 1 when the machine is as the journal found it.
int Restore(SayLine say, volatile LONG* hurry);

// A folder and everything in it, removed; tells whether it is gone.
int RemoveFolderTree(const char* path);

// Moves a file, replacing none, and makes the move durable where the system can.
int MoveDurably(const char* from, const char* to);
// Copies a file over another and flushes what it wrote.
int CopyDurably(const char* from, const char* to);

// A test build's hook (ZQ_KILL_HOOK): ends the process, as a kill would,
// once the N-th change given by ZQCHECK_KILL_AFTER is made (with
// ZQCHECK_CHANGES set, each change is said on standard error, "change N
// what"), or the N-th restore step by ZQCHECK_KILL_RESTORE_AFTER. Nothing
// in a release build.
void ChangeMade(const char* what);

#endif
