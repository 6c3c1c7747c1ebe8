// The program's order as data: one row per place a line of the program's can
// take in a run, in the order a run writes them. Each
// row says which places may follow it, whether a run may end there, and which
// launch it belongs to and whether that launch is waited for. A run only
// moves forward through the rows, so a line whose place is not after the
// run's last one begins the next run.
#ifndef ZQLOG_ORDER_H
#define ZQLOG_ORDER_H

#include <stdint.h>

// The four launches that the log announces, in the order of a run.
enum { LAUNCH_FAX, LAUNCH_PRINTER, LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL, LAUNCH_COUNT };

// Where a launch stands: its lines, in the order the program writes them.
enum Phase {
    PHASE_NONE, // not a launch's line, or no line of the launch yet
    PHASE_ANNOUNCED,
    PHASE_TOO_LONG, // Command line too long, in place of the announcement
    PHASE_COMMAND,
    PHASE_SYSTEM_TEXT, // the start failed; the system said why
    PHASE_WARNED, // the start failed; the system had no text
    PHASE_WARNED_COMMAND, // the command line again, after the warning
    PHASE_FAILED, // the launch's error line
};

enum Step {
    STEP_START, // before the run's first line
    STEP_SETTINGS_END,
    STEP_SPOOLER,
    STEP_FAX_FLAG,
    STEP_FAX_FIRST, // the fax launch's phases, PHASE_ANNOUNCED to PHASE_FAILED
    STEP_FAX_NAME = STEP_FAX_FIRST + PHASE_FAILED,
    STEP_PRINTER_FIRST,
    STEP_FAX_TOOL_FIRST = STEP_PRINTER_FIRST + PHASE_FAILED,
    STEP_PRINTER_TOOL_FIRST = STEP_FAX_TOOL_FIRST + PHASE_FAILED,
    STEP_COUNT = STEP_PRINTER_TOOL_FIRST + PHASE_FAILED,
};

enum Wait { WAIT_NONE, WAIT_IDLE, WAIT_END }; // not waited for; for idle input (60 s); to its end

struct StepRow {
    int launch; // -1: not a launch's line
    Phase phase;
    bool mayEnd; // the program may stop right after this line
    Wait wait; // of the launch, while the run stands here
    uint64_t follows; // the places that may come next, one bit per Step
};

const StepRow& RowOf(int step);
int StepOf(int launch, Phase phase);
bool MayFollow(int from, int to); // with no line lost between
bool IsLater(int from, int to); // anywhere later in the order

#endif
