// What the demo's page is made from: per version its run, as measured and
// as zqlog reads its log, and the demo's own settings and command lines.
#ifndef ZQ_DEMO_REPORT_DATA_H
#define ZQ_DEMO_REPORT_DATA_H

#include <string>
#include <vector>

#include "world/launch.h"
#include "zqlog/line_notes.h"
#include "zqlog/run_record.h"

struct ReportRun {
    std::string version;
    std::vector<std::string> cells; // one per column of the summary
    std::string notRun; // why the version was not run; then it has no timeline
    bool waitsForSpooler = false; // the version's road begins with the spooler check
    bool finished = false; // false: stopped by the time limit at endMs
    long endMs = 0;
    unsigned long exitCode = 0;
    std::string commandLine; // the program's, exactly as it was started
    unsigned long startTick = 0; // the tick the launches' ticks count from
    std::vector<Launch> launches; // in the order the doubles recorded them, command lines in UTF-8
    std::vector<LineNote> log;
    std::vector<RunRecord> account; // zqlog's account of the log, a record per run
};

struct Report {
    std::vector<std::string> columns; // the summary's column titles
    std::string legend; // what the summary's marks mean
    std::vector<std::string> commands; // the demo's own command lines, in the order they ran
    unsigned long limitSeconds = 0; // --time-limit
    std::vector<ReportRun> runs;
};

#endif
