// The machine put back as the journal (journal_file.h) found it.
#ifndef ZQ_JOURNAL_RESTORE_H
#define ZQ_JOURNAL_RESTORE_H

#include <windows.h>

#include "journal_file.h"
#include "restore_outcome.h"

// Undoes the journal's entries, last first, then empties it when all is as
// it was. Once *hurry is set (a logoff, a shutdown) it stops after a few
// seconds, and the journal keeps what was left. Each step is safe to run
// again. Prints each step that failed and each thing not as it was, a line
// each. Tells whether the machine is as the journal found it, and whether
// the journal could be emptied then.
RestoreOutcome Restore(SayLine say, volatile LONG* hurry);

#endif
