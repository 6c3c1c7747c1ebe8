#include "report_timeline.h"

#include <string.h>

#include "logged_launches.h"
#include "report_text.h"
#include "timeline_marks.h"
#include "zqlog/words.h"

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

// What follows the program's path in a command line: the tool's arguments.
static std::string Arguments(const std::string& commandLine)
{
    size_t end = commandLine[0] == '"' ? commandLine.find('"', 1) : commandLine.find(' ');
    if (end == std::string::npos || end + 1 >= commandLine.size())
        return "";
    return commandLine.substr(commandLine[0] == '"' ? end + 2 : end + 1);
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
    PairLoggedLaunches(record, run.log, run.launches, paired);
    for (int i = 0; i < LOGGED_LAUNCHES; ++i) {
        const StageRecord& stage = record.stages[kLaunchStages[i]];
        if (paired[i] < 0 && (stage.state == STATE_FAILED || stage.state == STATE_DONE) && stage.line > 0)
            rows.push_back(std::string(StageName(kLaunchStages[i])) + ": failed, not started (log line "
                + std::to_string(stage.line) + "); no time measured");
    }
    return rows;
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

// The longest run, or a launch's start or end after it, in ms: what the one
// scale must hold.
static long Longest(const Report& report)
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
    return longest;
}

// The timelines together, so that versions compare at a glance.
std::string TimelineSection(const Report& report)
{
    long stepMs, endMs;
    Axis(Longest(report), stepMs, endMs);
    const Scale scale = { endMs };
    std::string html
        = "<h2>Timelines</h2>\n<p>To one scale for every version. Only measured events are points: the run's "
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
    return html;
}
