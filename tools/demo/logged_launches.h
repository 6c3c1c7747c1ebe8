// The launches the log shows (the fax's and the printer's add-printer runs,
// then the driver tool for each), and which record of a start is each one's.
// The summary marks a launch by it, the timeline draws one with no start.
#ifndef ZQ_DEMO_LOGGED_LAUNCHES_H
#define ZQ_DEMO_LOGGED_LAUNCHES_H

#include <vector>

#include "world/launch.h"
#include "zqlog/line_notes.h"
#include "zqlog/run_record.h"

extern const Stage kLaunchStages[];
enum { LOGGED_LAUNCHES = 4 };

// For each launch the log shows, the record of its start: the first record
// not taken yet whose command line is the one the log gives after the
// announcement; -1 for none.
void PairLoggedLaunches(const RunRecord& record, const std::vector<LineNote>& log, const std::vector<Launch>& launches,
    int paired[LOGGED_LAUNCHES]);

#endif
