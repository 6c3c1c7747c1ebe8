// A run's record (run_record.h) from its facts (run_facts.h) alone.
#ifndef ZQLOG_BUILD_RECORD_H
#define ZQLOG_BUILD_RECORD_H

#include "run_facts.h"
#include "run_record.h"

RunRecord BuildRecord(const RunFacts& facts);

#endif
