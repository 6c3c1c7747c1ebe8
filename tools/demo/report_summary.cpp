#include "report_summary.h"

#include <string.h>

#include "logged_launches.h"
#include "report_text.h"
#include "zqlog/words.h"

const char* const kSummaryColumns[SUMMARY_COLUMNS]
    = { "verdict", "shell start", "fax", "printer", "driver tool (fax)", "driver tool (printer)" };
const char kMade[] = "\xE2\x9C\x93"; // check mark
const char kNotMade[] = "\xE2\x80\x93"; // en dash
const char kSummaryLegend[] = "verdict: zqlog's (ok, failed, incomplete); \xE2\x9C\x93 started, \xE2\x80\x93 not "
                              "made, failed: its error line, or announced in the log and never started; unfinished: "
                              "the run stopped while it ran";

std::vector<std::string> SummaryCells(
    const std::vector<RunRecord>& account, const std::vector<LineNote>& log, const std::vector<Launch>& launches)
{
    std::vector<std::string> cells(SUMMARY_COLUMNS, kNotMade);
    for (const Launch& launch : launches)
        if (strcmp(launch.tool, "zqdrvtl") == 0 && strcmp(launch.show, "hidden") == 0)
            cells[1] = kMade;
    if (account.empty())
        return cells;
    const RunRecord& record = account.back();
    cells[0] = VerdictId(record.verdict);
    int paired[LOGGED_LAUNCHES];
    PairLoggedLaunches(record, log, launches, paired);
    for (int i = 0; i < LOGGED_LAUNCHES; ++i) {
        const StageState state = record.stages[kLaunchStages[i]].state;
        std::string& cell = cells[2 + i];
        if (state == STATE_DONE)
            cell = paired[i] >= 0 ? kMade : "failed";
        else if (state == STATE_FAILED)
            cell = "failed";
        else if (state == STATE_UNFINISHED)
            cell = "unfinished";
    }
    return cells;
}

std::string SummarySection(const Report& report)
{
    std::string html = "<table class=\"summary\">\n<tr><th>version</th>";
    for (const std::string& column : report.columns)
        html += "<th>" + Escaped(column) + "</th>";
    html += "<th>run</th></tr>\n";
    for (const ReportRun& run : report.runs) {
        html += "<tr><td>";
        if (run.notRun.empty()) {
            html += "<a href=\"#" + Escaped(run.version) + "\">" + Escaped(run.version) + "</a></td>";
            for (const std::string& cell : run.cells)
                html += "<td>" + Escaped(cell) + "</td>";
            html += run.finished ? "<td>" + Ms(run.endMs) + "</td>"
                                 : "<td class=\"stopped\">stopped by --time-limit at " + Ms(run.endMs) + "</td>";
        } else {
            html += Escaped(run.version) + "</td><td class=\"stopped\" colspan=\""
                + std::to_string(report.columns.size() + 1) + "\">not run: " + Escaped(run.notRun) + "</td>";
        }
        html += "</tr>\n";
    }
    return html + "</table>\n<p>" + Escaped(report.legend) + "</p>\n";
}
