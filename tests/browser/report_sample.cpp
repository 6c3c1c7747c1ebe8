// Writes the demo's report page, with the demo's own page writer, from runs
// recorded in a folder: per version its ZQsetup.log and the tool doubles'
// record. So the page a browser checks needs no Wine.
// Usage: report_sample RUNS_DIR OUT_HTML
#include <stdio.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "demo_report.h"

// What a run's folder does not hold: where the program was, and when it ended.
struct Recorded {
    const char* version;
    bool waitsForSpooler;
    long endMs;
    const char* keyPath;
};

// win98: both add-printer starts failed (no tool in ProgramDir); nt40: the
// whole NT road; win10: the same with a ProgramDir long enough to wrap.
static const Recorded kRuns[] = {
    { "win98", false, 1045, "SOFTWARE\\ZQDemo\\Install\\Printer" },
    { "nt40", true, 1330, "SOFTWARE\\ZQDemo\\Install\\Printer" },
    { "win10", true, 1330, "SOFTWARE\\Acme Printing and Imaging Solutions International\\Install\\Printer" },
};
enum { START_TICK = 1000, MAX_LAUNCHES = 16 };

static bool ReadWhole(const std::string& path, std::string& bytes)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream whole;
    whole << in.rdbuf();
    bytes = whole.str();
    return in.good() || in.eof();
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "report_sample: usage: report_sample RUNS_DIR OUT_HTML\n");
        return 2;
    }
    Report report;
    report.columns.assign(kSummaryColumns, kSummaryColumns + SUMMARY_COLUMNS);
    report.legend = kSummaryLegend;
    report.commands = { "report_sample " + std::string(argv[1]) + " " + argv[2] };
    report.limitSeconds = 120;
    for (const Recorded& recorded : kRuns) {
        const std::string folder = std::string(argv[1]) + "/" + recorded.version;
        std::string log, record;
        if (!ReadWhole(folder + "/ZQsetup.log", log) || !ReadWhole(folder + "/record", record) || log.empty()) {
            fprintf(stderr, "report_sample: %s holds no ZQsetup.log and record\n", folder.c_str());
            return 2;
        }
        Launch launches[MAX_LAUNCHES];
        int cut = 0;
        const int count = ParseLaunches(record.data(), record.size(), launches, MAX_LAUNCHES, &cut);
        ReportRun run;
        run.version = recorded.version;
        run.waitsForSpooler = recorded.waitsForSpooler;
        run.finished = true;
        run.endMs = recorded.endMs;
        run.commandLine = std::string("\"C:\\ZQ\\zqrunadd.exe\" ") + recorded.keyPath;
        run.startTick = START_TICK;
        run.launches.assign(launches, launches + count);
        run.log = NoteLines(log, 0);
        run.account = RunsOf(log, 0);
        run.cells = SummaryCells(run.account, run.log, run.launches);
        report.runs.push_back(run);
    }
    const std::string page = ReportPage(report);
    std::ofstream out(argv[2], std::ios::binary);
    out << page;
    out.close();
    if (!out) {
        fprintf(stderr, "report_sample: %s could not be written\n", argv[2]);
        remove(argv[2]);
        return 2;
    }
    return 0;
}
