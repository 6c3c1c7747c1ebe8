// The scenario rows run on this machine, each said on standard output and
// written to the result file as it ends.
#ifndef ZQ_ZQCHECK_ROWS_H
#define ZQ_ZQCHECK_ROWS_H

#include "world/machine.h"

// The run's last lines, which the result file's summary repeats.
struct RunSummary {
    char lines[3][128];
    int count;
    int stopped; // a stop came before the last row: the rows are not whole
};

// Runs every row that runs here, until a stop; adds its lines to the
// summary. 1 when none failed, none could not be set up, and none was cut
// short.
int RunRows(const Machine* m, RunSummary* summary);

#endif
