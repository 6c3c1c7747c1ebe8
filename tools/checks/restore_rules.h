// What a journal's entries ask the restore to do: pure rules, no platform
// call, so that the host tests hold each decision.
#ifndef ZQ_RESTORE_RULES_H
#define ZQ_RESTORE_RULES_H

#include <stdint.h>

#include "journal_format.h"

enum EntryKind { ENTRY_BOOT, ENTRY_RUN, ENTRY_FOLDER, ENTRY_KEY, ENTRY_FILE, ENTRY_TOOL, ENTRY_SERVICE, ENTRY_UNKNOWN };

// Splits an entry at its '|' in place, into at most most fields; their count.
int JournalFields(char* entry, char** fields, int most);

// Which change the fields record; ENTRY_UNKNOWN for a kind not known, or
// with a count of fields not its own.
EntryKind JournalEntryKind(char* const* fields, int count);

// How a file set aside ("file" or "tool") is put back.
struct FilePutBack {
    int clear; // what stands at the path now is the run's: it goes
    int moveBack; // the copy set aside goes back to the path
};
// wasThere: the entry says a file was there; asideThere: its copy is there
// now. A run stopped between the entry and the move left the file itself
// in place: that file is the one to keep, not to remove.
FilePutBack PlanFilePutBack(int wasThere, int asideThere);

// The boot the journal's entries were written in: the volatile key's path
// (NT), or on 9x an empty key and the boot time in seconds. 0 when no boot
// entry is there, or it does not hold: never taken for the same boot.
struct BootMark {
    char key[JOURNAL_PATH_MAX];
    uint32_t seconds;
};
int JournalBoot(char* const* entries, int count, BootMark* boot);

// Whether a boot time in seconds is the recorded one, within the slack of
// a clock read twice: a machine booted again is one whose recorded
// processes are gone, and whose process ids name others.
enum { BOOT_SLACK_S = 120 };
int SameBootTime(uint32_t recorded, uint32_t now);

#endif
