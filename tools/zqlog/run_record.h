// A run's account as data: its verdict, its seven stages with their states
// and causes, and its notes. The text and JSON outputs, and the demo, take
// their verdicts and stages from here.
#ifndef ZQLOG_RUN_RECORD_H
#define ZQLOG_RUN_RECORD_H

#include <string>
#include <vector>

enum Verdict { VERDICT_OK, VERDICT_FAILED, VERDICT_INCOMPLETE, VERDICT_COUNT };

enum Stage {
    STAGE_SETTINGS,
    STAGE_SPOOLER,
    STAGE_FAX_DECISION,
    STAGE_FAX,
    STAGE_PRINTER,
    STAGE_DRIVER_TOOL_FAX,
    STAGE_DRIVER_TOOL_PRINTER,
    STAGE_COUNT
};

// The closed set of a stage's states (see the README's JSON section).
enum StageState {
    STATE_DONE, // it did its part: read, opened, decided, started (and, when waited for, ended without a failure)
    STATE_FAILED, // a failure line of the program's says it failed
    STATE_NOT_MADE, // the run went past it without making it, as the program may
    STATE_NOT_REACHED, // the run ended before it, as the program may
    STATE_UNFINISHED, // the run stops while it runs, where the program cannot stop
    STATE_UNKNOWN, // the log cannot show it: the lines where it stands are missing
    STATE_COUNT
};

struct StageRecord {
    StageState state = STATE_NOT_REACHED;
    long line = 0; // of its first line in the log; 0 for none
    std::string cause; // plain words, ""  for none (and always "" with words off)
};

struct RunRecord {
    int run = 0; // the file's run number, from 1
    long firstLine = 0, lastLine = 0;
    Verdict verdict = VERDICT_OK;
    std::string why; // the verdict's one-line reason ("" when ok)
    StageRecord stages[STAGE_COUNT];
    std::vector<std::string> notes; // findings with no failure line: lost lines, damage, an empty name
    std::string system; // what the run shows of the system
};

const char* VerdictId(Verdict verdict); // "ok", "failed", "incomplete"
const char* StageId(Stage stage); // "settings", ..., "driver_tool_printer"
const char* StageName(Stage stage); // for people: "driver tool (fax)"
const char* StateId(StageState state); // "done", ...

// The account of every run in a log's bytes, from a code page, for callers
// that hold the log whole (the demo): one record per run, causes in words.
// The texts are the log's bytes, not converted.
std::vector<RunRecord> RunsOf(const std::string& logBytes, unsigned codePage);

#endif
