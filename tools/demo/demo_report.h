// The demo's page: one HTML file that opens from disk with nothing from
// elsewhere (no script, styles inline). The summary table, then per version a
// timeline drawn to scale as inline SVG from the measured events only, the
// log with each line's meaning, and the exact command lines. Texts come in as
// UTF-8; nothing here calls the platform.
#ifndef ZQ_DEMO_REPORT_H
#define ZQ_DEMO_REPORT_H

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

// The summary's columns, and what their marks mean.
enum { SUMMARY_COLUMNS = 6 };
extern const char* const kSummaryColumns[SUMMARY_COLUMNS];
extern const char kSummaryLegend[];
extern const char kMade[], kNotMade[];

// A run's summary cells. The verdict and the four launches the log shows come
// from zqlog's account of the log (its last run); from the launch records
// come the shell start, which is never logged, and a launch that the log
// announced but that never started. log: the log's lines, as the launches'
// command lines are written (UTF-8 both, or the code page both).
std::vector<std::string> SummaryCells(
    const std::vector<RunRecord>& account, const std::vector<LineNote>& log, const std::vector<Launch>& launches);

std::string ReportPage(const Report& report);

#endif
