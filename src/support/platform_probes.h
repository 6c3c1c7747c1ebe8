// Two questions about the machine: the Windows family and version, and
// whether a service can be reached in time.
#ifndef ZQ_PLATFORM_PROBES_H
#define ZQ_PLATFORM_PROBES_H

#include <windows.h>

// 1 on the NT family at version 4.0 or later, else 0 (the 9x family, NT 3.x,
// or a version query that failed). The version is asked for once per process.
int IsNt4OrLater(void);

// Polls once a second until the service manager and the named service open
// and the service runs, or the timeout has passed. Returns 1 when the service
// opened, whatever its state; 0 when the manager or the service never opened.
// Each stage makes at least one attempt, so the wait may run past the timeout
// by one poll.
int WaitForService(const char* name, DWORD timeout);

#endif
