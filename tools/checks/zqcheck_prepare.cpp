#include "zqcheck_prepare.h"

#include <stdio.h>
#include <string.h>

#include "journal_changes.h"
#include "kill_hook.h"
#include "world/services.h"
#include "world/world.h"

const char kZqcheckKey[] = "SOFTWARE\\ZqCheck";

// The journal's entry for the spooler, and the spooler started when it is
// stopped, so that the driver directories answer.
static int SpoolerRunning(const Machine* m, char* refusal)
{
    if (!m->spoolerKnown)
        return 1;
    if (!NoteService("Spooler", m->spoolerRunning, m->spoolerStart))
        return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
    if (!m->spoolerRunning && !SetServiceRunning("Spooler", 1))
        return sprintf(refusal, "zqcheck: the spooler, stopped, could not be started (error %lu)", GetLastError()), 0;
    if (!m->spoolerRunning)
        ChangeMade("spooler: started");
    return 1;
}

// Each file the run touches can be read, and has no copy set aside by
// another run, left behind: a new run would set the file aside over it,
// and its restore would lose it.
static int FilesFree(const Machine* m, char* refusal)
{
    const char* files[3];
    static char aside[MAX_PATH];
    for (int i = 0, count = TouchedFiles(m, files); i < count; ++i) {
        const FileMark mark = MarkFile(files[i]);
        if (mark.error)
            return sprintf(refusal, "zqcheck: %.260s cannot be read (error %lu): close what holds it, then start again",
                       files[i], (unsigned long)mark.error),
                   0;
        AsidePath(files[i], aside);
        if (aside[0] && GetFileAttributesA(aside) != INVALID_FILE_ATTRIBUTES)
            return sprintf(refusal,
                       "zqcheck: %.260s is there already, and no journal of zqcheck's says why: put it back or away "
                       "first",
                       aside),
                   0;
    }
    return 1;
}

int Prepare(Machine* m, char* refusal)
{
    if (!NoteBoot())
        return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
    if (!SpoolerRunning(m, refusal))
        return 0;
    if (!ReadDriverDirectories(m))
        return strcpy(refusal, "zqcheck: the system names no printer driver directory, even with the spooler running"),
               0;
    if (!FilesFree(m, refusal))
        return 0;
    if (!MakeOwnFolder(m->folder) || !NoteOwnKey(kZqcheckKey) || !SetFileAside(m->log))
        return sprintf(refusal, "zqcheck: %.260s could not be made ready (error %lu)", m->log, GetLastError()), 0;
    for (int i = 0; i < m->toolCount; ++i)
        if (!SetToolAside(m->tools[i]))
            return sprintf(refusal, "zqcheck: %.260s could not be set aside (error %lu)", m->tools[i], GetLastError()),
                   0;
    // Last, so that a restore ends what a killed run left running before it
    // puts the files back.
    if (!NoteRun(m->record))
        return sprintf(refusal, "zqcheck: the journal could not be written (error %lu)", GetLastError()), 0;
    return 1;
}
