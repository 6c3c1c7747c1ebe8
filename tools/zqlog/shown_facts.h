// What a run's command lines show beside its stages (the key path,
// ProgramDir, the driver names, the system), and, of two runs that cannot
// be told apart, what of that the reader's choice of run leaves not known.
#ifndef ZQLOG_SHOWN_FACTS_H
#define ZQLOG_SHOWN_FACTS_H

#include "run_facts.h"
#include "run_record.h"

// words: the system is put into words too.
void AddShownFacts(const RunFacts& facts, bool words, RunRecord* record);

#endif
