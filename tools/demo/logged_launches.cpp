#include "logged_launches.h"

const Stage kLaunchStages[] = { STAGE_FAX, STAGE_PRINTER, STAGE_DRIVER_TOOL_FAX, STAGE_DRIVER_TOOL_PRINTER };
static_assert(sizeof kLaunchStages / sizeof kLaunchStages[0] == LOGGED_LAUNCHES, "a stage per logged launch");

void PairLoggedLaunches(const RunRecord& record, const std::vector<LineNote>& log, const std::vector<Launch>& launches,
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
