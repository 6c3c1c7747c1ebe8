// A run's account as data: its verdict, its seven stages with their states
// and causes, and its notes. The text and JSON outputs, and the demo, take
// their verdicts and stages from here.
#ifndef ZQLOG_RUN_RECORD_H
#define ZQLOG_RUN_RECORD_H

#include <string>
#include <vector>

#include "word_ids.h"

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

// Why a run is not ok, as a closed set of ids a ticket system can group by
// (docs/support-staff.md lists them); WHY_NONE for ok.
enum WhyId {
    WHY_NONE,
    WHY_NO_KEY_PATH,
    WHY_KEY_PATH_TOO_LONG,
    WHY_PRINTER_NAME_UNREAD,
    WHY_PROGRAM_DIR_UNREAD,
    WHY_KEY_PATH_QUOTED,
    WHY_SPOOLER_NOT_OPENED,
    WHY_FAX_START_FAILED,
    WHY_PRINTER_START_FAILED,
    WHY_DRIVER_TOOL_START_FAILED,
    WHY_FAX_TOOL_FAILED,
    WHY_PRINTER_TOOL_FAILED,
    WHY_COMMAND_TOO_LONG,
    WHY_FAX_NAME_UNREAD,
    WHY_FAILURE_CAUSE_LOST,
    WHY_FAILURE_CAUSE_AMBIGUOUS,
    WHY_NULL_TEXT,
    WHY_ENDS_AFTER_PRINTER,
    WHY_STOPPED,
    WHY_LOG_END_LOST,
    WHY_INTERLEAVED,
    WHY_COUNT
};

// The notes' closed set of ids.
enum NoteId {
    NOTE_FIRST_LINES_MISSING,
    NOTE_LINES_LOST,
    NOTE_INTERLEAVED,
    NOTE_ZERO_BYTES,
    NOTE_CRASH_TAIL,
    NOTE_GLUED,
    NOTE_CUT,
    NOTE_FIRST_LINE_CUT,
    NOTE_FAX_NAME_EMPTY,
    NOTE_PROGRAM_DIR_EMPTY,
    NOTE_KEY_PATH_QUOTED,
    NOTE_NULL_TEXT,
    NOTE_OTHER_LINES,
    NOTE_ENDS_AFTER_PRINTER,
    NOTE_CONVERTED,
    NOTE_CODE_PAGE_LIKELY,
    NOTE_READ_ONCE,
    NOTE_RUNS_INDISTINCT,
    NOTE_COUNT
};

enum SystemId { SYSTEM_NT4_OR_LATER, SYSTEM_9X_OR_NT351, SYSTEM_UNKNOWN };

struct RunNote {
    NoteId id;
    Phrase text; // ids of words, put into words by the printers
};

// Why a launch did not start, as the log gives it.
struct StartErrorSeen {
    bool present = false; // the launch's start failed with a text or a code
    bool hasCode = false;
    long code = 0; // from the unknown-error line, or the code a known text stands for
    std::string text; // the system's text as the log has it; "" when only a code came
    bool known = false; // zqlog's table of start errors has it
};

struct StageRecord {
    StageState state = STATE_NOT_REACHED;
    long line = 0; // of its first line in the log; 0 for none
    Phrase cause; // what the log shows, as ids of words; none for none (and always none with words off)
    Phrase advice; // what to check; none for none
    std::string failureLine; // the failure line's text; "" for none
    StartErrorSeen error;
    bool command = false; // its command line came
    std::string program, arguments; // from the command line
};

struct RunRecord {
    int run = 0; // the file's run number, from 1
    // 0 where it is not known: of two runs that cannot be told apart, which
    // of them wrote the line.
    long firstLine = 0, lastLine = 0;
    Verdict verdict = VERDICT_OK;
    Phrase why; // the verdict's one-line reason (none when ok), with line numbers
    WhyId whyId = WHY_NONE;
    StageRecord stages[STAGE_COUNT];
    std::vector<RunNote> notes; // findings with no failure line: lost lines, damage, an empty name
    SystemId systemId = SYSTEM_UNKNOWN;
    Phrase system; // what the run shows of the system
    bool hasKeyPath = false, hasProgramDir = false;
    std::string keyPath, programDir; // as the add-printer command lines show them
    std::vector<std::string> driverNames; // as the driver-tool command lines show them, fax first
    bool driverNamesKnown = true; // false: the run cannot be told apart from another where its names stand
    long untoldFrom = 0; // of two runs that cannot be told apart, the line from which its lines may be the other's
};

const char* VerdictId(Verdict verdict); // "ok", "failed", "incomplete"
const char* StageId(Stage stage); // "settings", ..., "driver_tool_printer"
const char* StageName(Stage stage); // for people: "driver tool (fax)"
WordId StageWord(Stage stage); // its id of words
const char* StateId(StageState state); // "done", ...
const char* WhyIdText(WhyId why); // "printer_start_failed", ...; null for WHY_NONE
const char* NoteIdText(NoteId note); // "lines_lost", ...
const char* SystemIdText(SystemId system); // "nt4_or_later", ...

// The account of every run in a log's bytes, from a code page, for callers
// that hold the log whole (the demo): one record per run, causes as ids of words.
// The texts are the log's bytes, not converted.
std::vector<RunRecord> RunsOf(const std::string& logBytes, unsigned codePage);

#endif
