#include "demo_report.h"

#include <stdio.h>
#include <string.h>

#include "zqlog/words.h"

// The timeline's geometry, in pixels: a label column, then the time axis.
enum { WIDTH = 960, LABELS = 170, PLOT = 760, AXIS = 26, LANE = 24 };

static const char kStyle[] = "body{font:14px/1.4 sans-serif;margin:1.5em;color:#222;max-width:1000px}"
                             "h2{margin-top:2em;border-bottom:1px solid #ccc}h3{margin:1.2em 0 0}"
                             "table{border-collapse:collapse}td,th{padding:2px 10px;text-align:left;vertical-align:top}"
                             "table.summary td,table.summary th{border:1px solid #ccc}"
                             "table.log td{border-top:1px solid #eee}table.log td.n{color:#888;text-align:right}"
                             "table.log code{white-space:pre-wrap}.w{white-space:nowrap}"
                             "tr.other td{color:#777;font-style:italic}"
                             "pre{background:#f4f4f4;padding:6px;white-space:pre-wrap}"
                             ".stopped{color:#b22}svg{display:block;margin:.3em 0}svg text{font:12px sans-serif}";

// Text for an element or an attribute. Control bytes are shown as \xNN, as
// a log with stray bytes must still be readable.
static std::string Escaped(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '"')
            out += "&quot;";
        else if (c < 0x20 && c != '\t') {
            char shown[8];
            snprintf(shown, sizeof shown, "\\x%02X", c);
            out += shown;
        } else
            out += (char)c;
    }
    return out;
}

static std::string Ms(long ms)
{
    return std::to_string(ms) + " ms";
}

static std::string Num(double value)
{
    char text[32];
    snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The axis's end: a whole number of ticks (1, 2 or 5 times a power of ten ms)
// that holds every run, at most ten of them.
static void Axis(long longestMs, long& stepMs, long& endMs)
{
    for (stepMs = 1;; stepMs *= 10) {
        for (long factor : { 1, 2, 5 }) {
            if (longestMs <= stepMs * factor * 10) {
                stepMs *= factor;
                endMs = (longestMs + stepMs - 1) / stepMs * stepMs;
                if (endMs == 0)
                    endMs = stepMs;
                return;
            }
        }
    }
}

struct Scale {
    long endMs;
    double X(long ms) const
    {
        if (ms < 0)
            ms = 0;
        return LABELS + (double)(ms > endMs ? endMs : ms) * PLOT / endMs;
    }
};

// A word of Breakable's: browsers break after a hyphen or a question mark
// ("-->" over two lines), so a word with one is kept whole.
static std::string Word(const std::string& word)
{
    if (word.find_first_of("-?") == std::string::npos)
        return Escaped(word);
    return "<span class=\"w\">" + Escaped(word) + "</span>";
}

// Escaped text that breaks only at blanks and after backslashes, never
// inside a word.
static std::string Breakable(const std::string& text)
{
    std::string out;
    size_t from = 0;
    for (size_t at; (at = text.find_first_of(" \\", from)) != std::string::npos; from = at + 1) {
        if (text[at] == ' ')
            out += Word(text.substr(from, at - from)) + " ";
        else
            out += Word(text.substr(from, at + 1 - from)) + "<wbr>";
    }
    return out + Word(text.substr(from));
}

const char* const kSummaryColumns[SUMMARY_COLUMNS]
    = { "verdict", "shell start", "fax", "printer", "driver tool (fax)", "driver tool (printer)" };
const char kMade[] = "\xE2\x9C\x93"; // check mark
const char kNotMade[] = "\xE2\x80\x93"; // en dash
const char kSummaryLegend[] = "verdict: zqlog's (ok, failed, incomplete); \xE2\x9C\x93 started, \xE2\x80\x93 not "
                              "made, failed: its error line, or announced in the log and never started; unfinished: "
                              "the run stopped while it ran";

static const Stage kLaunchStages[] = { STAGE_FAX, STAGE_PRINTER, STAGE_DRIVER_TOOL_FAX, STAGE_DRIVER_TOOL_PRINTER };
enum { LOGGED_LAUNCHES = sizeof kLaunchStages / sizeof kLaunchStages[0] };

// For each launch the log shows, the record of its start: the first record
// not taken yet whose command line is the one the log gives after the
// announcement; -1 for none.
static void Pair(const RunRecord& record, const std::vector<LineNote>& log, const std::vector<Launch>& launches,
    int paired[LOGGED_LAUNCHES])
{
    std::vector<bool> taken(launches.size(), false);
    for (int i = 0; i < LOGGED_LAUNCHES; ++i) {
        paired[i] = -1;
        const StageRecord& stage = record.stages[kLaunchStages[i]];
        if (stage.line <= 0 || (size_t)stage.line >= log.size())
            continue;
        const std::string& commandLine = log[stage.line].text; // the line after the announcement
        for (size_t at = 0; at < launches.size() && paired[i] < 0; ++at)
            if (!taken[at] && launches[at].commandLine == commandLine)
                taken[at] = true, paired[i] = (int)at;
    }
}

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
    Pair(record, log, launches, paired);
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

// What follows the program's path in a command line: the tool's arguments.
static std::string Arguments(const std::string& commandLine)
{
    size_t end = commandLine[0] == '"' ? commandLine.find('"', 1) : commandLine.find(' ');
    if (end == std::string::npos || end + 1 >= commandLine.size())
        return "";
    return commandLine.substr(commandLine[0] == '"' ? end + 2 : end + 1);
}

// A text beside a mark at x, on the side with room.
static std::string Beside(double x, double y, const std::string& text, const char* colour = "#444")
{
    const bool left = x > LABELS + PLOT / 2;
    return "<text x=\"" + Num(left ? x - 8 : x + 8) + "\" y=\"" + Num(y) + "\" fill=\"" + colour + "\""
        + (left ? " text-anchor=\"end\"" : "") + ">" + Escaped(text) + "</text>\n";
}

static std::string StartMark(double x, double y, const char* colour, const std::string& title)
{
    return "<path d=\"M" + Num(x - 5) + " " + Num(y - 7) + "h10l-5 7z\" fill=\"" + colour + "\"><title>"
        + Escaped(title) + "</title></path>\n";
}

static std::string EndMark(double x, double y, const char* colour, const std::string& title)
{
    return "<rect x=\"" + Num(x - 1.5) + "\" y=\"" + Num(y - 8) + "\" width=\"3\" height=\"12\" fill=\"" + colour
        + "\"><title>" + Escaped(title) + "</title></rect>\n";
}

static std::string Line(double x1, double x2, double y, const char* colour, bool dashed, const std::string& title)
{
    return "<line x1=\"" + Num(x1) + "\" y1=\"" + Num(y) + "\" x2=\"" + Num(x2) + "\" y2=\"" + Num(y) + "\" stroke=\""
        + colour + "\" stroke-width=\"2\"" + (dashed ? " stroke-dasharray=\"4 3\"" : "") + "><title>" + Escaped(title)
        + "</title></line>\n";
}

// When a launch started and ended, in ms from the run's start.
static long StartMs(const ReportRun& run, const Launch& launch)
{
    return (long)(launch.tick - run.startTick);
}

static long EndMs(const ReportRun& run, const Launch& launch)
{
    return (long)(launch.endTick - run.startTick);
}

static bool IsTool(const Launch& launch, const char* tool)
{
    return strcmp(launch.tool, tool) == 0;
}

static bool Shown(const Launch& launch, const char* show)
{
    return strcmp(launch.show, show) == 0;
}

// A gap between two measured events that the road of a run explains.
struct Gap {
    long fromMs, toMs;
    std::string what;
};

static std::vector<Gap> Gaps(const ReportRun& run)
{
    std::vector<Gap> gaps;
    const std::vector<Launch>& launches = run.launches;
    if (run.waitsForSpooler && !launches.empty())
        gaps.push_back({ 0, StartMs(run, launches[0]), "settings and spooler check" });
    for (size_t i = 0; i + 1 < launches.size(); ++i) {
        const Launch &a = launches[i], &b = launches[i + 1];
        if (IsTool(a, "zqdrvtl") && Shown(a, "hidden"))
            gaps.push_back({ StartMs(run, a), StartMs(run, b), "the shell start's idle wait" });
        else if (IsTool(a, "zqdrvtl") && IsTool(b, "zqdrvtl") && !Shown(b, "hidden"))
            gaps.push_back({ StartMs(run, a), StartMs(run, b), "the 1000 ms pause" });
    }
    return gaps;
}

static const char* LaneName(const Launch& launch)
{
    if (IsTool(launch, "zqntadd"))
        return "add-printer tool";
    return Shown(launch, "hidden") ? "driver tool, shell start" : "driver tool";
}

// The launches the log shows failed, or announced, with no start recorded:
// each gets a row naming its log line, with no time, since none was measured.
static std::vector<std::string> Unstarted(const ReportRun& run)
{
    std::vector<std::string> rows;
    if (run.account.empty())
        return rows;
    const RunRecord& record = run.account.back();
    int paired[LOGGED_LAUNCHES];
    Pair(record, run.log, run.launches, paired);
    for (int i = 0; i < LOGGED_LAUNCHES; ++i) {
        const StageRecord& stage = record.stages[kLaunchStages[i]];
        if (paired[i] < 0 && (stage.state == STATE_FAILED || stage.state == STATE_DONE) && stage.line > 0)
            rows.push_back(std::string(StageName(kLaunchStages[i])) + ": failed, not started (log line "
                + std::to_string(stage.line) + "); no time measured");
    }
    return rows;
}

// Where a lane's line stands, and its label in the label column.
static double LaneY(int lane)
{
    return (double)AXIS + lane * LANE + 15;
}

static std::string LaneLabel(int lane, const std::string& text)
{
    return "<text x=\"4\" y=\"" + Num(LaneY(lane) + 4) + "\">" + Escaped(text) + "</text>\n";
}

// The picture's frame and the time axis's ticks, each with its grid line.
static std::string Frame(const ReportRun& run, const Scale& scale, long stepMs, int lanes)
{
    const int height = AXIS + lanes * LANE + 6;
    std::string svg = "<svg id=\"timeline-" + Escaped(run.version) + "\" width=\"" + std::to_string(WIDTH)
        + "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(WIDTH) + " "
        + std::to_string(height) + "\" role=\"img\">\n<title>" + Escaped(run.version)
        + ": the run and its launches, to scale</title>\n";
    for (long ms = 0; ms <= scale.endMs; ms += stepMs) {
        const std::string x = Num(scale.X(ms));
        svg += "<line x1=\"" + x + "\" y1=\"" + std::to_string(AXIS - 6) + "\" x2=\"" + x + "\" y2=\""
            + std::to_string(height) + "\" stroke=\"#e4e4e4\"/>\n";
        svg += "<text x=\"" + x + "\" y=\"14\" text-anchor=\"middle\" fill=\"#777\">"
            + (ms == 0 ? "0 ms" : std::to_string(ms)) + "</text>\n";
    }
    return svg;
}

// The program itself, up to its end or to where it was stopped.
static std::string ProgramLane(const ReportRun& run, const Scale& scale)
{
    const char* runColour = run.finished ? "#777" : "#b22";
    const double y0 = LaneY(0), end = scale.X(run.endMs);
    std::string svg = LaneLabel(0, "zqrunadd.exe");
    svg += "<rect x=\"" + Num(LABELS) + "\" y=\"" + Num(y0 - 3) + "\" width=\"" + Num(end - LABELS)
        + "\" height=\"6\" fill=\"#ddd\"/>\n";
    svg += StartMark(scale.X(0), y0, "#777", "zqrunadd.exe started at 0 ms");
    if (run.finished) {
        svg += EndMark(end, y0, runColour,
            "zqrunadd.exe ended at " + Ms(run.endMs) + " with exit code " + std::to_string(run.exitCode));
    } else {
        const std::string stopped = "stopped by --time-limit at " + Ms(run.endMs);
        svg += EndMark(end, y0, runColour, "zqrunadd.exe " + stopped);
        svg += Beside(end, y0 + 4, stopped, runColour);
    }
    return svg;
}

// A launch's lane: a bar while the program waited for it, a line otherwise,
// dashed up to the stop when no end was recorded; its command's arguments
// beside it.
static std::string LaunchLane(const ReportRun& run, const Scale& scale, size_t i)
{
    const Launch& launch = run.launches[i];
    const int lane = 1 + (int)i;
    const double y = LaneY(lane), x1 = scale.X(StartMs(run, launch));
    const bool waited = IsTool(launch, "zqntadd");
    const char* colour = waited ? "#3569b0" : Shown(launch, "hidden") ? "#4d8a2f" : "#c27c0e";
    const std::string name = "launch " + std::to_string(i + 1);
    std::string svg = LaneLabel(lane, std::to_string(i + 1) + ". " + LaneName(launch));
    double x2 = x1;
    if (launch.ended) {
        x2 = scale.X(EndMs(run, launch));
        const std::string span = name + ": " + Ms(StartMs(run, launch)) + " to " + Ms(EndMs(run, launch)) + ", "
            + Ms(EndMs(run, launch) - StartMs(run, launch));
        if (waited)
            svg += "<rect x=\"" + Num(x1) + "\" y=\"" + Num(y - 5) + "\" width=\"" + Num(x2 - x1 > 1 ? x2 - x1 : 1)
                + "\" height=\"10\" fill=\"" + colour + "\" opacity=\"0.45\"><title>" + Escaped(span + ", waited for")
                + "</title></rect>\n";
        else
            svg += Line(x1, x2, y, colour, false, span);
    } else if (!run.finished) {
        x2 = scale.X(run.endMs);
        svg += Line(x1, x2, y, colour, true, name + ": no end recorded; ended when the run was stopped");
    }
    svg += StartMark(x1, y, colour, name + " started at " + Ms(StartMs(run, launch)) + ": " + launch.commandLine);
    if (launch.ended)
        svg += EndMark(x2, y, colour,
            name + " ended at " + Ms(EndMs(run, launch)) + " with exit code " + std::to_string(launch.exitCode));
    const std::string arguments = Arguments(launch.commandLine);
    if (x1 > LABELS + PLOT / 2)
        svg += Beside(x1, y + 4, arguments);
    else
        svg += Beside(x2 > x1 + 4 ? x2 : x1, y + 4, arguments);
    return svg;
}

// A gap's lane: a bracket from its start to its end, and what explains it,
// centred when it fits and beside the bracket otherwise.
static std::string GapLane(const Gap& gap, const Scale& scale, int lane)
{
    const double y = LaneY(lane), a = scale.X(gap.fromMs), b = scale.X(gap.toMs);
    const std::string text = gap.what + ", " + Ms(gap.toMs - gap.fromMs);
    std::string svg = "<path d=\"M" + Num(a) + " " + Num(y - 9) + "v5H" + Num(b)
        + "v-5\" fill=\"none\" stroke=\"#999\"><title>"
        + Escaped(gap.what + ": " + Ms(gap.fromMs) + " to " + Ms(gap.toMs)) + "</title></path>\n";
    const bool fits = b - a > text.size() * 6.5;
    const bool right = (a + b) / 2 > LABELS + PLOT / 2;
    svg += "<text x=\""
        + Num(fits      ? (a + b) / 2
                : right ? b
                        : a)
        + "\" y=\"" + Num(y + 6) + "\" fill=\"#555\""
        + (fits         ? " text-anchor=\"middle\""
                : right ? " text-anchor=\"end\""
                        : "")
        + ">" + Escaped(text) + "</text>\n";
    return svg;
}

// A run's timeline: the program's lane, a lane per launch, per launch that
// failed unstarted and per gap the road explains.
static std::string Timeline(const ReportRun& run, const Scale& scale, long stepMs)
{
    const std::vector<Gap> gaps = Gaps(run);
    const std::vector<std::string> unstarted = Unstarted(run);
    const int lanes = 1 + (int)run.launches.size() + (int)unstarted.size() + (int)gaps.size();
    std::string svg = Frame(run, scale, stepMs, lanes) + ProgramLane(run, scale);
    for (size_t i = 0; i < run.launches.size(); ++i)
        svg += LaunchLane(run, scale, i);
    int lane = 1 + (int)run.launches.size();
    for (const std::string& text : unstarted) {
        svg += LaneLabel(lane, "failed launch");
        svg += "<text x=\"" + Num(LABELS + 8) + "\" y=\"" + Num(LaneY(lane) + 4) + "\" fill=\"#b22\">" + Escaped(text)
            + "</text>\n";
        ++lane;
    }
    for (const Gap& gap : gaps)
        svg += GapLane(gap, scale, lane++);
    return svg + "</svg>\n";
}

static std::string Summary(const Report& report)
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

static std::string Log(const ReportRun& run)
{
    if (run.log.empty())
        return "<p>The log is empty: the run wrote nothing.</p>\n";
    std::string html = "<table class=\"log\">\n<tr><th></th><th>line</th><th>what it says</th></tr>\n";
    for (size_t i = 0; i < run.log.size(); ++i) {
        const LineNote& note = run.log[i];
        html += std::string(note.own ? "<tr>" : "<tr class=\"other\">") + "<td class=\"n\">" + std::to_string(i + 1)
            + "</td><td><code>" + Breakable(note.text) + "</code></td><td>" + Escaped(Spoken(note.meaning))
            + "</td></tr>\n";
    }
    return html + "</table>\n";
}

std::string ReportPage(const Report& report)
{
    long longest = 1;
    for (const ReportRun& run : report.runs) {
        if (!run.notRun.empty())
            continue;
        longest = run.endMs > longest ? run.endMs : longest;
        for (const Launch& launch : run.launches) {
            longest = StartMs(run, launch) > longest ? StartMs(run, launch) : longest;
            longest = launch.ended && EndMs(run, launch) > longest ? EndMs(run, launch) : longest;
        }
    }
    long stepMs, endMs;
    Axis(longest, stepMs, endMs);
    const Scale scale = { endMs };

    std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<title>zqrunadd.exe under Wine: what each version ran</title>\n<style>"
        + std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>zqrunadd.exe under Wine: what each version ran</h1>\n"
        + Summary(report);
    // The timelines together, so that versions compare at a glance; the
    // logs after them.
    html += "<h2>Timelines</h2>\n<p>To one scale for every version. Only measured events are points: the run's "
            "start and end, and each tool's start and end as the stand-in tools recorded them. Add-printer runs, "
            "which the program waits for, are bars; below the launches, the gaps the road of a run explains. "
            "Hover a mark for its time.</p>\n";
    for (const ReportRun& run : report.runs) {
        if (!run.notRun.empty())
            continue;
        html += "<h3 id=\"" + Escaped(run.version) + "\">" + Escaped(run.version) + "</h3>\n";
        if (!run.finished)
            html += "<p class=\"stopped\">The run did not finish within " + std::to_string(report.limitSeconds)
                + " s and was stopped at " + Ms(run.endMs) + "; it is drawn up to there.</p>\n";
        html += Timeline(run, scale, stepMs);
    }
    for (const ReportRun& run : report.runs) {
        if (!run.notRun.empty())
            continue;
        html += "<h2>" + Escaped(run.version) + ": the log</h2>\n<p>The program's command line, with Wine reporting "
            + Escaped(run.version) + ":</p>\n<pre>" + Breakable(run.commandLine) + "</pre>\n" + Log(run);
    }
    html += "<h2>The demo's commands</h2>\n<pre>";
    for (const std::string& command : report.commands)
        html += Escaped(command) + "\n";
    html += "</pre>\n";
    return html + "</body>\n</html>\n";
}
