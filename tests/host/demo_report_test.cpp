#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "demo_report.h"

// A launch at startMs from the run's start (tick 0); endMs < 0: no end recorded.
static Launch Started(long startMs, long endMs, const char* tool, const char* show, const char* commandLine)
{
    Launch launch = {};
    launch.tick = (unsigned long)startMs;
    launch.ended = endMs >= 0;
    launch.endTick = (unsigned long)endMs;
    snprintf(launch.tool, sizeof launch.tool, "%s", tool);
    snprintf(launch.show, sizeof launch.show, "%s", show);
    snprintf(launch.commandLine, sizeof launch.commandLine, "%s", commandLine);
    return launch;
}

static ReportRun Ran(const char* version, long endMs, bool waitsForSpooler, std::vector<Launch> launches)
{
    ReportRun run;
    run.version = version;
    run.cells = { "-", "-" };
    run.finished = true;
    run.endMs = endMs;
    run.waitsForSpooler = waitsForSpooler;
    run.launches = launches;
    return run;
}

static const std::vector<Launch> kNtRoad = { Started(59, 60, "zqdrvtl", "hidden", "\"C:\\d\\zqdrvtl.exe\""),
    Started(72, 90, "zqntadd", "-", "\"C:\\p\\zqntadd.exe\" K\\Fax"),
    Started(95, 110, "zqntadd", "-", "\"C:\\p\\zqntadd.exe\" K\\Printer"),
    Started(111, 130, "zqdrvtl", "-", "C:\\d\\zqdrvtl.exe /n:F"),
    Started(1120, 1125, "zqdrvtl", "-", "C:\\d\\zqdrvtl.exe /n:P") };

TEST(DemoReport, WhatThePageSays)
{
    struct Case {
        const char* name;
        std::vector<ReportRun> runs;
        std::vector<std::string> present, absent;
    };
    ReportRun hostile = Ran("win10", 100, false, { Started(5, 6, "zqdrvtl", "-", "a<b> \"c\" & </title><script>") });
    hostile.log = { { "</code><script>x\a</script>", "m&m", false, 0 } };
    ReportRun stopped = Ran("win98", 1008, false, { Started(200, -1, "zqdrvtl", "-", "C:\\d\\zqdrvtl.exe /n:F") });
    stopped.finished = false;
    ReportRun notRun;
    notRun.version = "nt40";
    notRun.notRun = "the key HKEY_LOCAL_MACHINE\\X is missing after the import";
    const Case cases[] = {
        { "the NT road: every gap the order explains", { Ran("win10", 1140, true, kNtRoad) },
            { "settings and spooler check, 59 ms", "the shell start's idle wait, 13 ms", "the 1000 ms pause, 1009 ms",
                "launch 2: 72 ms to 90 ms, 18 ms, waited for", "launch 5 started at 1120 ms: C:\\d\\zqdrvtl.exe /n:P",
                "zqrunadd.exe ended at 1140 ms with exit code 0" },
            { "stopped by --time-limit" } },
        { "the 9x road: no spooler check, no shell start",
            { Ran("win98", 1130, false, std::vector<Launch>(kNtRoad.begin() + 1, kNtRoad.end())) },
            { "the 1000 ms pause, 1009 ms" }, { "spooler check", "idle wait" } },
        { "texts of the log and the launches are escaped", { hostile },
            { "&lt;/code&gt;&lt;script&gt;x\\x07&lt;/script&gt;", "m&amp;m",
                "a&lt;b&gt; &quot;c&quot; &amp; &lt;/title", "<tr class=\"other\">" },
            { "<script", "\a" } },
        { "a stopped run is drawn up to its stop and says so", { stopped },
            { "stopped by --time-limit at 1008 ms", "launch 1: no end recorded; ended when the run was stopped",
                "did not finish within 120 s" },
            { "ended at" } },
        { "a version not run has its row and reason, no timeline", { notRun },
            { "<td>nt40</td>", "not run: the key HKEY_LOCAL_MACHINE\\X is missing after the import" },
            { "<svg", "href=\"#nt40\"" } },
    };
    for (const Case& c : cases) {
        Report report;
        report.columns = { "a", "b" };
        report.limitSeconds = 120;
        report.runs = c.runs;
        const std::string page = ReportPage(report);
        for (const std::string& text : c.present)
            EXPECT_NE(std::string::npos, page.find(text)) << c.name << ": " << text;
        for (const std::string& text : c.absent)
            EXPECT_EQ(std::string::npos, page.find(text)) << c.name << ": " << text;
    }
}

// Where the mark whose title begins with title stands on the time axis.
static double MarkX(const std::string& page, const std::string& title)
{
    size_t at = page.rfind("<rect x=\"", page.find("<title>" + title));
    return at == std::string::npos ? -1 : strtod(page.c_str() + at + 9, NULL) + 1.5;
}

// One scale for every version, whatever the length of the longest run.
TEST(DemoReport, EveryVersionToOneScale)
{
    for (long longest : { 7L, 1243L, 61000L }) {
        Report report;
        report.runs = { Ran("a", longest / 2, false, {}), Ran("b", longest, false, {}) };
        const std::string page = ReportPage(report);
        const double zero = 170, half = MarkX(page, "zqrunadd.exe ended at " + std::to_string(longest / 2) + " ms"),
                     whole = MarkX(page, "zqrunadd.exe ended at " + std::to_string(longest) + " ms");
        EXPECT_NEAR((whole - zero) * (longest / 2) / longest, half - zero, 0.2) << longest;
        EXPECT_LE(whole, 170 + 760 + 0.1) << longest << " ms fits the axis";
        EXPECT_GE(whole, 170 + 760 * 0.45) << longest << " ms takes up the axis";
    }
}

// The summary's cells come from zqlog's account and the launch records: the
// fax's start failed (its error line), the printer was announced and never
// started (no record); the page gives each a row without a time, and breaks
// the log's text only at blanks and backslashes.
TEST(DemoReport, SummaryFromZqlogsAccount)
{
    const std::string log
        = "OpenService the spooler is running\r\nCalling ntAdd for Fax -->\r\n"
          "\"C:\\p\\zqntadd.exe\" K\\Fax\r\nFile not found.\r\n\r\n"
          "Error executing NT Add Printer for FAX\r\nCalling ntAdd for Printer Driver -->\r\n"
          "\"C:\\p\\zqntadd.exe\" K\\Printer\r\n"
          "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->\r\nC:\\d\\zqdrvtl.exe /n:F\r\n"
          "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->\r\nC:\\d\\zqdrvtl.exe /n:P\r\n";
    ReportRun run = Ran("win10", 1140, true, { kNtRoad[0], kNtRoad[3], kNtRoad[4] });
    run.log = NoteLines(log, 0);
    run.account = RunsOf(log, 0);
    run.cells = SummaryCells(run.account, run.log, run.launches);
    EXPECT_EQ((std::vector<std::string> { "failed", kMade, "failed", "failed", kMade, kMade }), run.cells);
    Report report;
    report.columns.assign(kSummaryColumns, kSummaryColumns + SUMMARY_COLUMNS);
    report.runs = { run };
    const std::string page = ReportPage(report);
    for (const char* text : { "fax: failed, not started (log line 2); no time measured",
             "printer: failed, not started (log line 7); no time measured", "C:\\<wbr>p\\<wbr>zqntadd.exe" })
        EXPECT_NE(std::string::npos, page.find(text)) << text;
    EXPECT_EQ(std::string::npos, page.find("break-all"));
}
