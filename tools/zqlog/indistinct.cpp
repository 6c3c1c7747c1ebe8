#include "indistinct.h"

#include "meanings.h"
#include "run_record.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

// Two lines in the log's order, so that neither is paired with a run.
std::pair<std::string, std::string> Ordered(long a, long b)
{
    return { Number(std::min(a, b)), Number(std::max(a, b)) };
}

// The driver names both runs' command lines show, in the log's order.
std::string DriverNames(const RunState& run, const RunState& other)
{
    std::vector<std::pair<long, const std::string*>> names;
    for (const RunState* one : { &run, &other })
        for (int i : { LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL }) {
            const LaunchState& launch = one->launches[i];
            if (launch.command && !launch.cut && !launch.arg.empty())
                names.emplace_back(launch.commandLine, &launch.arg);
        }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : ", ") + *name.second;
    return list;
}

// A stage's line, as the run's record gives it, and the launch it is of.
long StageLine(const RunState& run, int stage, int* launch)
{
    *launch = stage >= STAGE_FAX ? stage - STAGE_FAX : -1;
    if (stage == STAGE_SETTINGS)
        return run.settingsEnd ? run.settingsLine : 0;
    if (stage == STAGE_SPOOLER)
        return run.spooler ? run.spoolerLine : 0;
    if (stage == STAGE_FAX_DECISION)
        return run.faxFlagLine;
    const LaunchState& l = run.launches[*launch];
    return l.phase == PHASE_NONE ? 0 : l.line ? l.line : l.failedLine;
}

// The stages' lines of the two that neither run's own command line ties to it.
Phrase StageLinesUntold(const RunState& run, const RunState& other)
{
    Phrase list;
    for (int stage = STAGE_SETTINGS; stage < STAGE_COUNT; ++stage) {
        std::vector<long> lines;
        for (const RunState* one : { &run, &other }) {
            int launch;
            const long line = StageLine(*one, stage, &launch);
            if (line && !LineOwn(*one, line, launch))
                lines.push_back(line);
        }
        if (lines.empty())
            continue;
        std::sort(lines.begin(), lines.end());
        const Sentence at = lines.size() == 1
            ? Sentence(Number(lines[0]))
            : Sentence(W_INDISTINCT_LINE_PAIR, { Number(lines[0]), Number(lines[1]) });
        const Sentence said(W_INDISTINCT_STAGE_LINE, { StageWord((Stage)stage), at });
        list += list.empty() ? Phrase(said) : Phrase("; ") + said;
    }
    return list;
}

} // namespace

bool LineOwn(const RunState& run, long line, int launch)
{
    if (line == run.last && LastLineBound(run))
        return true;
    if (launch < 0 || !LaunchOf(launch).addPrinter)
        return false;
    const LaunchState& own = run.launches[launch];
    return own.command && !own.cut && line >= own.commandLine;
}

bool LastLineBound(const RunState& run)
{
    return run.boundLast == run.last && run.boundLast >= run.tieLine;
}

bool DriverNamesUntold(const RunState& run)
{
    for (int i : { LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL })
        if (run.launches[i].command && run.launches[i].commandLine >= run.tieLine)
            return true;
    return false;
}

Phrase TogetherSaid(const RunState& run, const RunState& other)
{
    const auto first = Ordered(run.first, other.first);
    const auto last = Ordered(run.last, other.last);
    const bool ends = !LastLineBound(run) || !LastLineBound(other);
    const std::string names = DriverNamesUntold(run) || DriverNamesUntold(other) ? DriverNames(run, other) : "";
    const int low = std::min(run.number, other.number), high = std::max(run.number, other.number);
    Phrase ended = ends ? Phrase(Sentence(W_INDISTINCT_ENDS, { last.first, last.second })) : Phrase();
    const Phrase stages = StageLinesUntold(run, other);
    if (!stages.empty())
        ended += Sentence(W_INDISTINCT_STAGES, { Sentence(stages) });
    return Sentence(W_RUNS_INDISTINCT,
        { Number(low), Number(high), Number(run.tieLine), first.first, first.second, Sentence(ended),
            names.empty() ? Sentence("") : Sentence(W_INDISTINCT_DRIVERS, { names }) });
}
