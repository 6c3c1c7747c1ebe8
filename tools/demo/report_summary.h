// The page's summary: a row per version with its marks, one per column, and
// what the marks mean. demo_runs prints the same cells in its console.
#ifndef ZQ_DEMO_REPORT_SUMMARY_H
#define ZQ_DEMO_REPORT_SUMMARY_H

#include <string>
#include <vector>

#include "report_data.h"

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

// The summary's table and its legend; a version not run says why.
std::string SummarySection(const Report& report);

#endif
