#include "indistinct.h"

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

} // namespace

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
    return Sentence(W_RUNS_INDISTINCT,
        { Number(low), Number(high), Number(run.tieLine), first.first, first.second,
            ends ? Sentence(W_INDISTINCT_ENDS, { last.first, last.second }) : Sentence(""),
            names.empty() ? Sentence("") : Sentence(W_INDISTINCT_DRIVERS, { names }) });
}
