// The changes zqcheck makes to the machine, each written down in the
// journal (journal_file.h) first, and made only once the entry is on the
// disk: a journal that cannot be written means no change. Each returns 0
// when its entry or its change failed; the last error says why.
#ifndef ZQ_JOURNAL_CHANGES_H
#define ZQ_JOURNAL_CHANGES_H

#include <windows.h>

// The boot the run began in: a volatile key on NT, the boot time on 9x.
int NoteBoot(void);
// The boot time in whole seconds since 1601, from now less the time since boot.
DWORD BootSeconds(void);
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

#endif
