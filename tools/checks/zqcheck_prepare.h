// The changes a run makes before its rows, each written down first.
#ifndef ZQ_ZQCHECK_PREPARE_H
#define ZQ_ZQCHECK_PREPARE_H

#include "world/machine.h"

// The run's own key under HKEY_LOCAL_MACHINE, the rows' {root}.
extern const char kZqcheckKey[];

// Makes every change the rows need, each written down first. The spooler
// comes first: on NT the driver directories answer only while it runs, and
// the rows use only the directories read here. 0 when a step failed, with
// the one line to say in refusal (4 * MAX_PATH bytes).
int Prepare(Machine* m, char* refusal);

#endif
