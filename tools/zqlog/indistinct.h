// Two runs that cannot be told apart from a line on (run_facts.h's tie):
// what of each run still is its own, and what the two showed together.
// Functions of the two runs' facts alone.
#ifndef ZQLOG_INDISTINCT_H
#define ZQLOG_INDISTINCT_H

#include "run_facts.h"
#include "word_ids.h"

// Of a tied run: the line is its own, as its own add-printer command line
// ties it to it (launch: the launch whose line it is, or -1).
bool LineOwn(const RunState& run, long line, int launch);
// The run's last line is one its own add-printer command line ties to it.
bool LastLineBound(const RunState& run);
// A driver-tool command line of the run came where either run could have written it.
bool DriverNamesUntold(const RunState& run);
// What the two showed together, each fact unpaired, as ids of words.
Phrase TogetherSaid(const RunState& run, const RunState& other);

#endif
