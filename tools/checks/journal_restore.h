// The machine put back as the journal (journal_file.h) found it.
#ifndef ZQ_JOURNAL_RESTORE_H
#define ZQ_JOURNAL_RESTORE_H

#include <windows.h>

#include "journal_file.h"

// Undoes the journal's entries, last first, then empties it when all is as
// it was. Once *hurry is set (a logoff, a shutdown) it stops after a few
// seconds, and the journal keeps what was left. Each step is safe to run
// again. Prints each step that failed and each thing not as it was, a line
// each. Returns 1 when the machine is as the journal found it.
int Restore(SayLine say, volatile LONG* hurry);

#endif
