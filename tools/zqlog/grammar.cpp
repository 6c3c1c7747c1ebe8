#include "grammar.h"

#include "support/log_texts.h"

namespace {

constexpr uint64_t B(int step)
{
    return uint64_t(1) << step;
}
constexpr unsigned P(Phase phase)
{
    return 1u << phase;
}
constexpr unsigned L(int launch)
{
    return 1u << launch;
}
constexpr int At(int first, Phase phase)
{
    return first + phase - 1;
}
// The places where a launch begins: its announcement, or Command line too long.
constexpr uint64_t Begins(int first)
{
    return B(At(first, PHASE_ANNOUNCED)) | B(At(first, PHASE_TOO_LONG));
}
constexpr uint64_t kFax = Begins(STEP_FAX_FIRST), kPrinter = Begins(STEP_PRINTER_FIRST),
                   kFaxTool = Begins(STEP_FAX_TOOL_FIRST), kPrinterTool = Begins(STEP_PRINTER_TOOL_FIRST);
constexpr unsigned kAnyLaunch = L(LAUNCH_COUNT) - 1, kAddPrinter = L(LAUNCH_FAX) | L(LAUNCH_PRINTER),
                   kDriverTool = L(LAUNCH_FAX_TOOL) | L(LAUNCH_PRINTER_TOOL);
constexpr unsigned kStartFails = P(PHASE_SYSTEM_TEXT) | P(PHASE_WARNED) | P(PHASE_FAILED);
constexpr WordId W_NONE = WORD_COUNT;

// What follows a launch, whether a run may end with it, in the order a run makes them.
struct LaunchRow {
    uint64_t next; // the places after its command line or error line
    bool mayEnd;
};
// A waited tool has ended when the next line comes; a tool not waited for
// runs on, and the run with it. The printer stage may end the run: an empty
// driver directory.
const LaunchRow kLaunches[LAUNCH_COUNT] = {
    { kPrinter | B(STEP_FAX_NAME), false },
    { kFaxTool, true },
    { kPrinterTool, false },
    { 0, true },
};

// One row per text of the program's. The fixed texts stand in the order a run
// writes them (a cut line that could be two of them names them in this order).
// text, then, token, launches, phase, step, record, cause, end, follows, followsInLaunch, launchGoesOn,
// meaning, summary, stopped, why
const GrammarRow kGrammar[] = {
    { nullptr, nullptr, TOKEN_START, 0, PHASE_NONE, STEP_START, REC_NONE, PHASE_NONE, END_YES,
        B(STEP_SETTINGS_END) | B(STEP_SPOOLER) | B(STEP_FAX_FLAG) | kFax | kPrinter, 0, false, W_NONE, W_NONE, W_NONE,
        WHY_NONE },
    // The settings: each ends the run.
    { LOG_NO_KEY_PATH, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SETTINGS_END, REC_SETTINGS_END, PHASE_NONE, END_YES, 0,
        0, false, W_MEANING_NO_KEY_PATH, W_SUMMARY_NO_KEY_PATH, W_NONE, WHY_NO_KEY_PATH },
    { LOG_KEY_PATH_TOO_LONG, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SETTINGS_END, REC_SETTINGS_END, PHASE_NONE,
        END_YES, 0, 0, false, W_MEANING_KEY_PATH_TOO_LONG, W_SUMMARY_KEY_PATH_TOO_LONG, W_NONE, WHY_KEY_PATH_TOO_LONG },
    { LOG_NO_PRINTER_NAME, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SETTINGS_END, REC_SETTINGS_END, PHASE_NONE, END_YES,
        0, 0, false, W_MEANING_NO_PRINTER_NAME, W_SUMMARY_NO_PRINTER_NAME, W_NONE, WHY_PRINTER_NAME_UNREAD },
    { LOG_NO_PROGRAM_DIR, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SETTINGS_END, REC_SETTINGS_END, PHASE_NONE, END_YES,
        0, 0, false, W_MEANING_NO_PROGRAM_DIR, W_SUMMARY_NO_PROGRAM_DIR, W_NONE, WHY_PROGRAM_DIR_UNREAD },
    // After the spooler line and the fax decision the shell starts the driver
    // tool, unlogged, and waits up to 60 s for it to be idle.
    { LOG_SPOOLER_RUNNING, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SPOOLER, REC_SPOOLER, PHASE_NONE, END_NO,
        B(STEP_FAX_FLAG) | kFax | kPrinter, 0, false, W_MEANING_SPOOLER_RUNNING, W_SUMMARY_SPOOLER_RUNNING,
        W_STOPPED_SPOOLER, WHY_NONE },
    { LOG_SPOOLER_NOT_RUNNING, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_SPOOLER, REC_SPOOLER, PHASE_NONE, END_NO,
        B(STEP_FAX_FLAG) | kFax | kPrinter, 0, false, W_MEANING_SPOOLER_NOT_RUNNING, W_SUMMARY_SPOOLER_NOT_RUNNING,
        W_STOPPED_SPOOLER, WHY_SPOOLER_NOT_OPENED },
    { LOG_NO_FAX_FLAG, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_FAX_FLAG, REC_FAX_FLAG, PHASE_NONE, END_NO, kFax, 0,
        false, W_MEANING_NO_FAX_FLAG, W_NONE, W_STOPPED_FAX_FLAG, WHY_NONE },
    { LOG_FAX_ANNOUNCE, nullptr, TOKEN_TEXT, L(LAUNCH_FAX), PHASE_ANNOUNCED, STEP_NONE, REC_BEGIN, PHASE_NONE, END_NO,
        0, P(PHASE_COMMAND), false, W_MEANING_FAX_ANNOUNCE, W_NONE, W_STOPPED_LAUNCH_ANNOUNCED, WHY_NONE },
    { LOG_FAX_FAILED, nullptr, TOKEN_TEXT, L(LAUNCH_FAX), PHASE_FAILED, STEP_NONE, REC_FAILURE, PHASE_NONE, END_LAUNCH,
        0, 0, true, W_MEANING_FAX_FAILED, W_NONE, W_STOPPED_LAUNCH_FAILED, WHY_NONE },
    { LOG_NO_FAX_NAME, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_FAX_NAME, REC_FAX_NAME, PHASE_NONE, END_NO, kPrinter, 0,
        false, W_MEANING_NO_FAX_NAME, W_NONE, W_STOPPED_FAX_NAME, WHY_NONE },
    { LOG_PRINTER_ANNOUNCE, nullptr, TOKEN_TEXT, L(LAUNCH_PRINTER), PHASE_ANNOUNCED, STEP_NONE, REC_BEGIN, PHASE_NONE,
        END_NO, 0, P(PHASE_COMMAND), false, W_MEANING_PRINTER_ANNOUNCE, W_NONE, W_STOPPED_LAUNCH_ANNOUNCED, WHY_NONE },
    { LOG_PRINTER_FAILED, nullptr, TOKEN_TEXT, L(LAUNCH_PRINTER), PHASE_FAILED, STEP_NONE, REC_FAILURE, PHASE_NONE,
        END_LAUNCH, 0, 0, true, W_MEANING_PRINTER_FAILED, W_NONE, W_STOPPED_LAUNCH_FAILED, WHY_NONE },
    { LOG_FAX_TOOL_ANNOUNCE, nullptr, TOKEN_TEXT, L(LAUNCH_FAX_TOOL), PHASE_ANNOUNCED, STEP_NONE, REC_BEGIN, PHASE_NONE,
        END_NO, 0, P(PHASE_COMMAND), false, W_MEANING_FAX_TOOL_ANNOUNCE, W_NONE, W_STOPPED_LAUNCH_ANNOUNCED, WHY_NONE },
    { LOG_FAX_TOOL_FAILED, nullptr, TOKEN_TEXT, L(LAUNCH_FAX_TOOL), PHASE_FAILED, STEP_NONE, REC_FAILURE, PHASE_NONE,
        END_LAUNCH, 0, 0, true, W_MEANING_FAX_TOOL_FAILED, W_NONE, W_STOPPED_LAUNCH_FAILED, WHY_NONE },
    { LOG_PRINTER_TOOL_ANNOUNCE, nullptr, TOKEN_TEXT, L(LAUNCH_PRINTER_TOOL), PHASE_ANNOUNCED, STEP_NONE, REC_BEGIN,
        PHASE_NONE, END_NO, 0, P(PHASE_COMMAND), false, W_MEANING_PRINTER_TOOL_ANNOUNCE, W_NONE,
        W_STOPPED_LAUNCH_ANNOUNCED, WHY_NONE },
    { LOG_PRINTER_TOOL_FAILED, nullptr, TOKEN_TEXT, L(LAUNCH_PRINTER_TOOL), PHASE_FAILED, STEP_NONE, REC_FAILURE,
        PHASE_NONE, END_LAUNCH, 0, 0, true, W_MEANING_PRINTER_TOOL_FAILED, W_NONE, W_STOPPED_LAUNCH_FAILED, WHY_NONE },
    // In place of any launch's announcement: the launch whose error line follows.
    { LOG_COMMAND_TOO_LONG, nullptr, TOKEN_TEXT, kAnyLaunch, PHASE_TOO_LONG, STEP_NONE, REC_BEGIN, PHASE_TOO_LONG,
        END_NO, 0, P(PHASE_FAILED), false, W_MEANING_COMMAND_TOO_LONG, W_NONE, W_STOPPED_LAUNCH_TOO_LONG, WHY_NONE },
    // Anywhere: it takes no place.
    { LOG_NULL_TEXT, nullptr, TOKEN_TEXT, 0, PHASE_NONE, STEP_NONE, REC_NULL, PHASE_NONE, END_NO, 0, 0, false,
        W_MEANING_NULL_TEXT, W_NONE, W_NONE, WHY_NONE },
    // The command lines; a waited tool has ended when the next line comes.
    { LOG_ADD_PRINTER_TOOL, nullptr, TOKEN_COMMAND, kAddPrinter, PHASE_COMMAND, STEP_NONE, REC_COMMAND, PHASE_NONE,
        END_LAUNCH, 0, kStartFails, true, W_NONE, W_NONE, W_STOPPED_FAX_COMMAND, WHY_NONE },
    { LOG_DRIVER_TOOL, LOG_DRIVER_TOOL_NAME, TOKEN_COMMAND, kDriverTool, PHASE_COMMAND, STEP_NONE, REC_COMMAND,
        PHASE_NONE, END_LAUNCH, 0, kStartFails, true, W_NONE, W_NONE, W_STOPPED_FAX_TOOL_COMMAND, WHY_NONE },
    // A failed start: the system's text, or the warning and the command line again.
    { nullptr, nullptr, TOKEN_SYSTEM_TEXT, kAnyLaunch, PHASE_SYSTEM_TEXT, STEP_NONE, REC_SYSTEM_TEXT, PHASE_SYSTEM_TEXT,
        END_NO, 0, P(PHASE_FAILED), false, W_SYSTEM_TEXT_FIRST, W_NONE, W_STOPPED_LAUNCH_SYSTEM_TEXT, WHY_NONE },
    { LOG_UNKNOWN_ERROR_BEFORE, LOG_UNKNOWN_ERROR_AFTER, TOKEN_WARNING, kAnyLaunch, PHASE_WARNED, STEP_NONE,
        REC_WARNING, PHASE_WARNED, END_NO, 0, P(PHASE_WARNED_COMMAND), false, W_UNKNOWN_ERROR_LINE, W_NONE,
        W_STOPPED_LAUNCH_WARNED, WHY_NONE },
    { nullptr, nullptr, TOKEN_AGAIN, kAnyLaunch, PHASE_WARNED_COMMAND, STEP_NONE, REC_AGAIN, PHASE_WARNED_COMMAND,
        END_NO, 0, P(PHASE_FAILED), false, W_COMMAND_AGAIN, W_NONE, W_STOPPED_LAUNCH_WARNED_COMMAND, WHY_NONE },
};
const unsigned kRows = sizeof kGrammar / sizeof kGrammar[0];

// The places, each from the row that takes it; and the fixed texts, which stand together.
struct Places {
    StepRow rows[STEP_COUNT] = {};
    const GrammarRow* fixed = nullptr;
    unsigned fixedCount = 0;
    const GrammarRow* byToken[TOKEN_COUNT][LAUNCH_COUNT] = {};
    Places()
    {
        for (const GrammarRow& row : kGrammar) {
            for (int launch = 0; launch < LAUNCH_COUNT; ++launch)
                if ((row.launches & L(launch)) && !byToken[row.token][launch])
                    byToken[row.token][launch] = &row;
            if (row.token == TOKEN_TEXT && (!fixed || fixed + fixedCount == &row))
                fixed = fixed ? fixed : &row, ++fixedCount;
            if (row.step != STEP_NONE)
                rows[row.step] = { -1, PHASE_NONE, row.end == END_YES, row.follows, row.stopped };
            for (int launch = 0; launch < LAUNCH_COUNT; ++launch)
                if (row.launches & L(launch))
                    rows[PlaceOf(row, launch)] = Derived(row, launch);
        }
    }
    static StepRow Derived(const GrammarRow& row, int launch)
    {
        uint64_t follows = row.follows | (row.launchGoesOn ? kLaunches[launch].next : 0);
        for (int phase = PHASE_ANNOUNCED; phase < PHASE_COUNT; ++phase)
            if (row.followsInLaunch & P((Phase)phase))
                follows |= B(StepOf(launch, (Phase)phase));
        const bool mayEnd = row.end == END_YES || (row.end == END_LAUNCH && kLaunches[launch].mayEnd);
        return { launch, row.phase, mayEnd, follows, row.stopped };
    }
};

const Places kPlaces;

} // namespace

static_assert(STEP_COUNT <= 64); // one bit per place

const GrammarRow* GrammarRows(unsigned* count)
{
    *count = kRows;
    return kGrammar;
}

const GrammarRow* FixedTexts(unsigned* count)
{
    *count = kPlaces.fixedCount;
    return kPlaces.fixed;
}

const GrammarRow& RowOfToken(Token token, int launch)
{
    const GrammarRow* row = kPlaces.byToken[token][launch];
    return row ? *row : kGrammar[0];
}

const StepRow& RowOf(int step)
{
    return kPlaces.rows[step];
}

bool MayFollow(int from, int to)
{
    return (RowOf(from).follows & B(to)) != 0;
}
