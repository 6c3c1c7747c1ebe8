#include "shown_facts.h"

#include "evidence.h"
#include "indistinct.h"

namespace {

// What the command lines show: the key path, ProgramDir, the driver names.
void AddFacts(const RunFacts& facts, bool words, RunRecord* record)
{
    const RunState& run = facts.run;
    const LaunchState* l = run.launches;
    for (int i : { LAUNCH_PRINTER, LAUNCH_FAX })
        if (l[i].command && !l[i].cut && !record->hasProgramDir) {
            record->hasProgramDir = true;
            record->programDir = l[i].dir;
        }
    if (l[LAUNCH_PRINTER].command && !l[LAUNCH_PRINTER].cut) {
        record->hasKeyPath = true;
        record->keyPath = l[LAUNCH_PRINTER].arg;
    }
    for (int i : { LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL })
        if (l[i].command && !l[i].cut && !l[i].unsure && !l[i].arg.empty())
            record->driverNames.push_back(l[i].arg);
    record->systemId = SystemIdShown(facts);
    if (words)
        record->system = SystemShown(facts);
}

// Of two runs that cannot be told apart, what depends on which of them took
// a line that either could have written is not known of either.
void AddUntold(const RunFacts& facts, RunRecord* record)
{
    const RunState& run = facts.run;
    if (!facts.tied)
        return;
    record->firstLine = 0;
    record->untoldFrom = run.tieLine;
    if (!LastLineBound(run))
        record->lastLine = 0;
    if (DriverNamesUntold(run)) {
        record->driverNamesKnown = false;
        record->driverNames.clear();
    }
}

} // namespace

void AddShownFacts(const RunFacts& facts, bool words, RunRecord* record)
{
    AddFacts(facts, words, record);
    AddUntold(facts, record);
}
