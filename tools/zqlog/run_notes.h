// A run's notes: what the log shows of it that no failure line says (lost
// lines, damage, empty names, two runs that cannot be told apart), each
// with its id.
#ifndef ZQLOG_RUN_NOTES_H
#define ZQLOG_RUN_NOTES_H

#include <vector>

#include "run_facts.h"
#include "run_record.h"

// The verdict is asked for since a crash after a whole run lost nothing of it.
std::vector<RunNote> RunNotes(const RunFacts& facts, Verdict verdict);

#endif
