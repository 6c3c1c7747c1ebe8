// What to check for each why id, apart from the cause: a table of advice
// and the stage it goes on.
#ifndef ZQLOG_ADVICE_H
#define ZQLOG_ADVICE_H

#include "run_record.h"
#include "word_ids.h"

// Puts the advice of the record's why on its stage, where that stage has none
// yet. stoppedAt: where a stopped run stopped (its place's stopped words).
void Advise(RunRecord* record, WordId stoppedAt);

#endif
