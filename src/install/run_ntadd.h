// The install routine: settings first, then the install stages.
#ifndef ZQ_RUN_NTADD_H
#define ZQ_RUN_NTADD_H

#include "run_values.h"

// Reads the printer driver name under keyPath (a key under
// HKEY_LOCAL_MACHINE) and the program directory under its install root, then
// runs the install stages. Returns 0 on every path; failures go to the log.
int RunNTAdd(const char* keyPath);

// The second half of the run, given the settings read: the spooler wait, the
// fax decision and launches, the printer launch, and the driver-directory
// tool for each driver.
void RunInstallStages(struct RunValues* values);

#endif
