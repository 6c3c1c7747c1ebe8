// The program's grammar as data: one row per text of the program's, with its
// place in the order, what may follow it, what it records and whether a run
// may end after it; and one row per launch, with what follows the launch.
// The reader's Advance (engine.cpp) applies it, and nothing else moves a run
// through the order. A run only moves forward through the places, so a line
// whose place is not after the run's last one begins the next run.
#ifndef ZQLOG_GRAMMAR_H
#define ZQLOG_GRAMMAR_H

#include <stdint.h>

#include "run_record.h"
#include "words.h"

// The four launches that the log announces, in the order of a run.
enum { LAUNCH_FAX, LAUNCH_PRINTER, LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL, LAUNCH_COUNT };

// Where a launch stands: its lines, in the order the program writes them.
enum Phase {
    PHASE_NONE, // not a launch's line, or no line of the launch yet
    PHASE_ANNOUNCED,
    PHASE_TOO_LONG, // Command line too long, in place of the announcement
    PHASE_COMMAND,
    PHASE_SYSTEM_TEXT, // the start failed; the system said why
    PHASE_WARNED, // the start failed; the system had no text
    PHASE_WARNED_COMMAND, // the command line again, after the warning
    PHASE_FAILED, // the launch's error line
    PHASE_COUNT
};

// The places a line of the program's can take in a run, in the order a run
// writes them: a launch's seven phases follow its first place.
enum Step {
    STEP_START, // before the run's first line
    STEP_SETTINGS_END,
    STEP_SPOOLER,
    STEP_FAX_FLAG,
    STEP_FAX_FIRST, // the fax launch's phases, PHASE_ANNOUNCED to PHASE_FAILED
    STEP_FAX_NAME = STEP_FAX_FIRST + PHASE_FAILED,
    STEP_PRINTER_FIRST,
    STEP_FAX_TOOL_FIRST = STEP_PRINTER_FIRST + PHASE_FAILED,
    STEP_PRINTER_TOOL_FIRST = STEP_FAX_TOOL_FIRST + PHASE_FAILED,
    STEP_COUNT = STEP_PRINTER_TOOL_FIRST + PHASE_FAILED,
    STEP_NONE = -1, // a line that takes no place: it may stand anywhere
};

// How the reader tells a row's line.
enum Token {
    TOKEN_START, // no line: the place before a run's first line
    TOKEN_TEXT, // the whole line is the row's text
    TOKEN_COMMAND, // a command line: a folder, the tool's name (text), its argument
    TOKEN_WARNING, // text, a signed decimal code, then
    TOKEN_SYSTEM_TEXT, // the system's text and the empty line after it, told by their place
    TOKEN_AGAIN, // the command line again after the warning, told by its place
    TOKEN_COUNT
};

// What a line records in the run when Advance takes it.
enum Record {
    REC_NONE,
    REC_SETTINGS_END, // the row, and its line: the settings' failure
    REC_SPOOLER, // the row, and its line
    REC_FAX_FLAG, // its line
    REC_FAX_NAME, // its line
    REC_NULL, // its line
    REC_BEGIN, // the launch begins afresh at this line
    REC_COMMAND, // the command line's folder and argument
    REC_SYSTEM_TEXT, // the system's text
    REC_WARNING, // the error code
    REC_AGAIN, // nothing more than its phase
    REC_FAILURE, // its line; the command line before it becomes the cause
    REC_COUNT
};

// Whether a run may end right after the line.
enum End { END_NO, END_YES, END_LAUNCH /* as the launch's row says */ };

struct GrammarRow {
    // The program's text (src/support/log_texts.h): of a command line the
    // tool's name in it, of the warning its first part; null for none.
    const char* text;
    const char* then; // the part after the variable one (the warning's code, the driver's name); null for none
    Token token;
    unsigned launches; // one bit per launch the line may stand in; 0 outside the launches
    Phase phase; // in a launch: the phase it takes, and records as the launch's
    int step; // outside the launches: its place (STEP_NONE for none)
    Record record;
    Phase cause; // what the launch keeps as the cause of its failure; PHASE_NONE leaves it
    End end;
    uint64_t follows; // the places that may come next, one bit per Step
    unsigned followsInLaunch; // and the phases of the same launch, one bit per Phase
    bool launchGoesOn; // and what follows the launch (its row's next)
    WordId meaning; // what the line says, plain words
    WordId summary; // for the run's account: short; WORD_COUNT for none
    WordId stopped; // a run that stops right after it, where the program cannot stop; WORD_COUNT for none
    WhyId why; // a settings or spooler line that fails its stage: the run's why id; WHY_NONE else
};

// What the grammar gives a place: derived from the rows that take it.
struct StepRow {
    int launch; // -1: not a launch's line
    Phase phase;
    bool mayEnd; // the program may stop right after this line
    uint64_t follows; // the places that may come next, one bit per Step
    WordId stopped;
};

const GrammarRow* GrammarRows(unsigned* count); // all of them: the run's start first
const GrammarRow* FixedTexts(unsigned* count); // the rows whose text is a whole line, in the table's order
// The row of a command line, the warning, the system's text or the command line again, in that launch.
const GrammarRow& RowOfToken(Token token, int launch);

const StepRow& RowOf(int step);
bool MayFollow(int from, int to); // with no line lost between

// Read for every line, so inline.
inline int StepOf(int launch, Phase phase)
{
    const int first[LAUNCH_COUNT]
        = { STEP_FAX_FIRST, STEP_PRINTER_FIRST, STEP_FAX_TOOL_FIRST, STEP_PRINTER_TOOL_FIRST };
    return first[launch] + phase - 1;
}
// The one launch a row stands in; -1 for none or several.
inline int LaunchOfRow(const GrammarRow& row)
{
    const unsigned bits = row.launches;
    return bits && !(bits & (bits - 1)) ? __builtin_ctz(bits) : -1;
}
// Its place, in that launch; STEP_NONE for none.
inline int PlaceOf(const GrammarRow& row, int launch)
{
    if (!row.launches)
        return row.step;
    return launch >= 0 && (row.launches & (1u << launch)) ? StepOf(launch, row.phase) : STEP_NONE;
}
// Its place when the text alone tells it; STEP_NONE else.
inline int FixedPlace(const GrammarRow& row)
{
    return PlaceOf(row, LaunchOfRow(row));
}
inline bool IsLater(int from, int to) // anywhere later in the order
{
    return to > from;
}

#endif
