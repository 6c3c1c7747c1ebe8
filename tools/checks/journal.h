// zqcheck's journal: each change to the machine is written down, and made
// durable, before it is made, so that a run that crashed or lost its power is
// undone by the next start. One line an entry, fields apart by '|':
//   folder|PATH                       a folder made, removed with all in it
//   key|PATH                          a key under HKEY_LOCAL_MACHINE made, removed with all below it
//   file|PATH|ASIDE|SIZE|SUM          a file (the log, a tool) replaced: ASIDE holds the one that was
//                                     there (empty when none was), of SIZE bytes and checksum SUM
//   service|NAME|RUNNING|START        a service's state and start type before the run
//   run|RECORD                        the program and the doubles a run starts, with this
//                                     launch record: ended when a killed run left them running
#ifndef ZQ_JOURNAL_H
#define ZQ_JOURNAL_H

#include <windows.h>

// Where the journal is kept: in the Windows directory, which the run never removes.
void JournalPath(char out[MAX_PATH]);
int JournalExists(void);

// Appends one entry and flushes it to the disk; tells whether it is written.
int JournalAdd(const char* kind, const char* first, const char* second, DWORD third, DWORD fourth);

// The changes zqcheck makes, each written down first.
int MakeOwnFolder(const char* path);
int NoteOwnKey(const char* path);
// Moves an existing file at path aside (to path with ".zqcheck-saved"
// appended) so that the run may put its own there.
int SetFileAside(const char* path);
// Where SetFileAside puts path's file; empty when the name would be too long.
void AsidePath(const char* path, char out[MAX_PATH]);
int NoteService(const char* name, int running, DWORD startType);
int NoteRun(const char* record);

// Undoes the journal's entries, last first, then removes it. Prints each
// step that failed and each thing not as it was, a line each, to report.
// Returns 1 when the machine is as the journal found it.
typedef void (*SayLine)(const char* line);
int Restore(SayLine say);

// A folder and everything in it, removed; tells whether it is gone.
int RemoveFolderTree(const char* path);

// A service's state (running or not) and start type; 0 when unknown.
int ServiceState(const char* name, int* running, DWORD* startType);

#endif
