// Ctrl+C or Ctrl+Break: the row running ends, then the machine is put back.
// A close, logoff or shutdown leaves seconds: the same, with the restore cut
// short, and the journal keeps the rest for the next start.
#ifndef ZQ_ZQCHECK_STOP_H
#define ZQ_ZQCHECK_STOP_H

#include <windows.h>

// Set once a stop came (aligned stores: the main thread reads each whole);
// g_hurry when it leaves only seconds.
extern volatile LONG g_stop, g_hurry;

// Takes the console's stops from now on; with waitForRestore, a close,
// logoff or shutdown waits a few seconds for RestoreOver.
void CatchStops(int waitForRestore);
// The restore is over: a close, logoff or shutdown may end the process.
void RestoreOver(void);

#endif
