// What a run's facts and the rest of the log show of its launches: the keys
// its command lines show, where the same program started, the system it ran
// on, and why a launch failed. Functions of the facts alone.
#ifndef ZQLOG_EVIDENCE_H
#define ZQLOG_EVIDENCE_H

#include <string>

#include "run_facts.h"
#include "run_record.h"

LogFacts::Started StartedAt(const RunFacts& facts, int launch); // where the same program started; line 0 for nowhere
int DriverToolRun(const RunFacts& facts); // another run that launched a driver tool, or 0
void KeepStarted(const RunState& run, LogFacts* facts); // the run's started programs, for later runs
bool KeyPathQuoted(const RunState& run);
bool PrinterKeyOpened(const RunFacts& facts);
bool FaxKeyShown(const RunFacts& facts);
bool NoFaxKey(const RunFacts& facts);
SystemId SystemIdShown(const RunFacts& facts);
Phrase SystemShown(const RunFacts& facts);

// Why a launch failed and what to check, as ids of words.
struct LaunchFailure {
    Phrase cause, advice;
};
LaunchFailure StartFailure(const RunFacts& facts, int launch);
LaunchFailure FailureParts(const RunFacts& facts, int launch);

#endif
