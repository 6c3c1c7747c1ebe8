#include "journal_restore.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "durable_files.h"
#include "journal_changes.h"
#include "kill_hook.h"
#include "restore_rules.h"
#include "row_run.h"
#include "world/world.h"

enum { HURRY_MS = 3000 };

// Whether the machine has not booted since the journal's boot entry.
static int SameBoot(void)
{
    static BootMark boot;
    if (!JournalBoot(JournalEntries(), JournalEntryCount(), &boot))
        return 0; // no boot written down: never taken for the same
    if (!boot.key[0])
        return SameBootTime(boot.seconds, BootSeconds());
    HKEY opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, boot.key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return 0;
    RegCloseKey(opened);
    return 1;
}

// Each kind's undoing, from the entry's fields: 1 when what it changed is as
// it was, else 0 with the line to say.
typedef int (*UndoStep)(char** f, int sameBoot, char* line);

static int UndoKey(char** f, int, char* line)
{
    if (DeleteKeyTree(HKEY_LOCAL_MACHINE, f[1]))
        return 1;
    sprintf(line, "the key HKEY_LOCAL_MACHINE\\%.300s could not be removed", f[1]);
    return 0;
}

// The boot's volatile key; 9x, which keeps none, has none to remove.
static int UndoBoot(char** f, int sameBoot, char* line)
{
    return !f[1][0] || UndoKey(f, sameBoot, line);
}

static int UndoRun(char** f, int sameBoot, char*)
{
    // After a boot the ids name other processes: none is ended then.
    EndRunLeftovers(f[1], sameBoot);
    return 1;
}

static int UndoFolder(char** f, int, char* line)
{
    if (RemoveFolderTree(f[1]))
        return 1;
    sprintf(line, "the folder %.300s could not be removed", f[1]);
    return 0;
}

// Puts back a file set aside (kind "file" or "tool").
static int UndoFile(char** f, int, char* line)
{
    const int wasThere = f[2][0] != 0;
    const FilePutBack plan = PlanFilePutBack(wasThere, GetFileAttributesA(f[2]) != INVALID_FILE_ATTRIBUTES);
    if (plan.clear) {
        if (f[0][0] == 't') {
            // Only the double goes: anything else there is someone's.
            if (!DeleteIfDouble(f[1])) {
                sprintf(line, "%.300s is not the double zqcheck put there: it is left as it is", f[1]);
                return 0;
            }
        } else {
            // What the run left there (a file, or a folder standing in for the log) goes.
            SetFileAttributesA(f[1], FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(f[1]);
            RemoveDirectoryA(f[1]);
        }
    }
    if (plan.moveBack)
        MoveDurably(f[2], f[1]);
    const FileMark mark = MarkFile(f[1]);
    if (!mark.error && mark.exists == wasThere
        && (!wasThere || (mark.size == strtoul(f[3], NULL, 10) && mark.sum == strtoul(f[4], NULL, 10))))
        return 1;
    sprintf(line,
        wasThere ? "%.300s is not as it was (its copy is %.300s)" : "%.300s was not there and could not be removed",
        f[1], f[2]);
    return 0;
}

static int UndoService(char** f, int, char* line)
{
    const int wasRunning = strcmp(f[2], "1") == 0;
    const DWORD startType = strtoul(f[3], NULL, 10);
    int running;
    DWORD nowType;
    if (ServiceState(f[1], &running, &nowType) && nowType != startType)
        SetStartType(f[1], startType);
    SetServiceRunning(f[1], wasRunning);
    if (ServiceState(f[1], &running, &nowType) && running == wasRunning && nowType == startType)
        return 1;
    sprintf(line, "the service %.100s is not as it was (%s, start type %lu)", f[1], wasRunning ? "running" : "stopped",
        (unsigned long)startType);
    return 0;
}

static int UndoUnknown(char** f, int, char* line)
{
    sprintf(line, "a journal entry that zqcheck does not know: %.200s", f[0]);
    return 0;
}

// By EntryKind.
static const UndoStep kUndo[] = {
    UndoBoot, // ENTRY_BOOT
    UndoRun, // ENTRY_RUN
    UndoFolder, // ENTRY_FOLDER
    UndoKey, // ENTRY_KEY
    UndoFile, // ENTRY_FILE
    UndoFile, // ENTRY_TOOL
    UndoService, // ENTRY_SERVICE
    UndoUnknown, // ENTRY_UNKNOWN
};
static_assert(sizeof kUndo / sizeof kUndo[0] == ENTRY_UNKNOWN + 1, "one undoing for each kind of entry");

// Undoes one entry; tells whether what it changed is as it was.
static int Undo(const char* entry, int sameBoot, SayLine say)
{
    static char copy[JOURNAL_ENTRY_SIZE];
    lstrcpynA(copy, entry, sizeof copy); // the entry stays whole for a later try
    char* f[5];
    const int n = JournalFields(copy, f, 5);
    static char line[4 * MAX_PATH];
    if (kUndo[JournalEntryKind(f, n)](f, sameBoot, line))
        return 1;
    say(line);
    return 0;
}

RestoreOutcome Restore(SayLine say, volatile LONG* hurry)
{
    DWORD hurried = 0; // when the hurry was first seen
    const int sameBoot = SameBoot();
    int asItWas = 1;
    // Last first; what does not fit in the time stays in the journal, whole,
    // for the next start.
    int i = JournalEntryCount() - 1;
    for (; i >= 0; --i) {
        if (*hurry && !hurried)
            hurried = GetTickCount() | 1;
        if (hurried && GetTickCount() - hurried > HURRY_MS)
            break;
        asItWas = Undo(JournalEntries()[i], sameBoot, say) && asItWas;
        RestoreStepMade();
    }
    // Said, so that the end line's "see the lines above" has a line to see.
    if (i >= 0) {
        static char line[192];
        sprintf(line,
            "  %d change(s) not put back in the time a close, logoff or shutdown leaves: the journal keeps"
            " them, and the next start with --restore puts them back",
            i + 1);
        say(line);
    }
    return RestoreEnded(i < 0 && asItWas, JournalEmptied);
}
