// The engine: Advance applies the grammar (grammar.h) to the run the reader
// is in. It is the one place where a run moves through the order, records
// what its texts say, begins, ends, or gives way to the run kept aside.
#include "build_record.h"
#include "evidence.h"
#include "log_reader.h"

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

// One more missing line in a list of them.
void Missing(Phrase* list, const Sentence& what)
{
    *list += (list->empty() ? Phrase() : Phrase("; ")) + what;
}

// A launch's lines are one stage: which of them a run stopped at says
// nothing of how far it came.
int StageOf(int step)
{
    const int launch = RowOf(step).launch;
    return launch >= 0 ? StepOf(launch, PHASE_ANNOUNCED) : step;
}

} // namespace

// What each row records, by its Record column.
const LogReader::Recorder LogReader::kRecorders[] = {
    &LogReader::RecordNothing, // REC_NONE
    &LogReader::RecordSettingsEnd, // REC_SETTINGS_END
    &LogReader::RecordSpooler, // REC_SPOOLER
    &LogReader::RecordFaxFlag, // REC_FAX_FLAG
    &LogReader::RecordFaxName, // REC_FAX_NAME
    &LogReader::RecordNull, // REC_NULL
    &LogReader::RecordBegin, // REC_BEGIN
    &LogReader::RecordCommand, // REC_COMMAND
    &LogReader::RecordSystemText, // REC_SYSTEM_TEXT
    &LogReader::RecordWarning, // REC_WARNING
    &LogReader::RecordNothing, // REC_AGAIN: its phase says it all
    &LogReader::RecordFailure, // REC_FAILURE
};

// Places the line and records it; the words of its place (a new run, lines
// missing before it), "" for none.
Phrase LogReader::Advance(const Move& move)
{
    static_assert(sizeof kRecorders / sizeof kRecorders[0] == REC_COUNT); // a recorder for each Record
    if (move.kind != Move::LINE) {
        MoveRuns(move);
        return Phrase();
    }
    const int place = move.row ? PlaceOf(*move.row, move.launch) : STEP_NONE;
    run_.cutLines += move.damage == Move::CUT_BEFORE; // the run before this line's place wrote the cut line
    Phrase why;
    if (place != STEP_NONE)
        why = Place(place, move.line);
    else if (!inRun_) // a line that takes no place still belongs to a run
        Place(STEP_START, move.line);
    run_.cutLines += move.damage == Move::CUT || move.damage == Move::CUT_AT_END;
    if (move.damage == Move::CUT_AT_END) {
        run_.endCut = true;
        if (move.dir) // a command line: what it names is cut
            run_.endCutLaunch = move.launch;
    }
    run_.gluedLines += move.damage == Move::GLUED;
    if (!move.row)
        return why;
    const GrammarRow& row = *move.row;
    LaunchState* launch = row.launches ? &run_.launches[move.launch] : nullptr;
    const bool unsure = ToolLineUnsure(place, move, launch);
    (this->*kRecorders[row.record])(move, launch);
    if (launch) {
        launch->unsure = unsure;
        launch->phase = row.phase;
        if (row.cause != PHASE_NONE)
            launch->cause = row.cause;
        // An add-printer launch's lines from its command line on: whose they are, the command line shows.
        if (LaunchOf(move.launch).addPrinter && launch->command && !launch->cut && row.phase >= PHASE_COMMAND)
            run_.boundLast = move.line;
    }
    return why;
}

// The moves of the runs themselves, and of lines that take no place.
void LogReader::MoveRuns(const Move& move)
{
    switch (move.kind) {
    case Move::STANDS:
        Stand(move);
        break;
    case Move::RESUME:
        SwitchRuns();
        break;
    case Move::END:
        EndLog();
        break;
    case Move::STRAY_TEXT:
        KeepStray(move);
        break;
    case Move::HAND_OVER:
        HandOver(move.launch);
        break;
    case Move::CUT_FRONT:
        BeginCut(move.place, move.line);
        break;
    case Move::LINE:
        break;
    }
}

// Where a line handed on stands: the run's last line, or other programs'
// lines, which count inside the run only when a line of its own follows them.
void LogReader::Stand(const Move& move)
{
    if (move.own) {
        run_.last = move.line;
        run_.zeroLines += move.zeros && !(run_.zerosInFront && move.line == run_.first);
        run_.others += run_.othersPending;
        run_.othersPending = 0;
        crashLines_ = 0;
    } else {
        ++others_;
        run_.othersPending += inRun_;
        crashLines_ += move.zeros;
    }
}

void LogReader::RecordSettingsEnd(const Move& move, LaunchState*)
{
    run_.settingsEnd = move.row;
    run_.settingsLine = move.line;
}

void LogReader::RecordSpooler(const Move& move, LaunchState*)
{
    run_.spooler = move.row;
    run_.spoolerLine = move.line;
}

void LogReader::RecordFaxFlag(const Move& move, LaunchState*)
{
    run_.faxFlagLine = move.line;
}

void LogReader::RecordFaxName(const Move& move, LaunchState*)
{
    run_.faxNameLine = move.line;
}

void LogReader::RecordNull(const Move& move, LaunchState*)
{
    run_.nullLine = move.line;
}

void LogReader::RecordBegin(const Move& move, LaunchState* launch)
{
    launch->Reset();
    launch->line = move.line;
}

void LogReader::RecordCommand(const Move& move, LaunchState* launch)
{
    if (move.unannounced) { // the launch begins here: its announcement was lost
        launch->Reset();
        launch->line = move.line;
        run_.gaps += (run_.gaps.empty() ? Phrase() : Phrase(" "))
            + Sentence(W_BEFORE_LINE_ANNOUNCEMENT, { Number(move.line), Sentence(LaunchOf(move.launch).stage) });
    }
    if (!launch->line) // its announcement was the log's cut first line
        launch->line = move.line;
    launch->command = true;
    launch->commandLine = move.line;
    launch->cut = move.cut;
    launch->dir = *move.dir;
    launch->arg = *move.arg;
}

void LogReader::RecordSystemText(const Move& move, LaunchState* launch)
{
    if (!launch->systemText.empty())
        launch->systemText += ' ';
    launch->systemText += *move.text;
}

void LogReader::RecordWarning(const Move& move, LaunchState* launch)
{
    launch->code = *move.text;
}

// A failure line right after the command line: the tool ran and failed,
// unless a system's text of two runs at once stood between them.
void LogReader::RecordFailure(const Move& move, LaunchState* launch)
{
    if (launch->cause == PHASE_NONE && launch->phase == PHASE_COMMAND) {
        launch->cause = PHASE_COMMAND;
        ClaimStrayText(move, launch);
    }
    launch->failedLine = move.line;
}

// The run's launch has its command line and no line after it yet: a start
// may have failed.
bool LogReader::AwaitsStart(const RunState& run)
{
    const StepRow& row = RowOf(run.step);
    return row.launch >= 0 && row.phase == PHASE_COMMAND && run.launches[row.launch].cause == PHASE_NONE;
}

// The log ends: zero bytes after the last run's last line, and no line of
// the program's after them, mean that the log's end was lost in a crash.
void LogReader::EndLog()
{
    logEnded_ = true;
    if (inRun_ && crashLines_ > 0) {
        crashTail_ = run_.crashTail = true;
        others_ -= crashLines_;
        run_.othersPending -= crashLines_;
    }
    EndParked();
    if (inRun_)
        EndRun(run_);
    FlushWaiting();
}

// Where a line of the program's stands: in the current run when it can
// follow the last line there, else as the first line of a new run.
Phrase LogReader::Place(int step, long number)
{
    Tie(step, number);
    // Two runs at once: a line that follows the kept run's last line directly,
    // and the current run's only past a gap or past a stage more, is the kept
    // run's.
    const bool parkedNext = parked_ && Fits(parkedRun_, step) && MayFollow(parkedRun_.step, step)
        && (!MayFollow(run_.step, step) || StageOf(parkedRun_.step) > StageOf(run_.step));
    if (inRun_ && Fits(run_, step) && !parkedNext)
        return GoOn(step, number);
    // Two runs at once: a line that only the parked run can take is its.
    if (parked_ && Fits(parkedRun_, step)) {
        SwitchRuns();
        return GoOn(step, number);
    }
    EndParked();
    Phrase why;
    // Zero bytes between a run that may go on and the next: a crash lost the
    // run's end. After the last launch nothing of the run's is missing.
    const bool crash = inRun_ && (crashLines_ > 0 || headZeros_ > 0) && RowOf(run_.step).follows != 0
        && RowOf(run_.step).launch != LAUNCH_PRINTER_TOOL;
    if (crash) {
        run_.crashBefore = true;
        others_ -= crashLines_;
        run_.othersPending -= crashLines_;
        crashLines_ = 0;
    }
    if (inRun_) {
        if (words_)
            why = Sentence(W_NEW_RUN_HERE, { Number(run_.last) });
        run_.endedByRun = true;
        // A run that stops where the program cannot (it was ended, or two
        // runs' lines interleave), or that may end here but may also go on
        // (after the printer stage), is kept aside while the new run goes on;
        // the two interleave only if a line of the kept run's comes.
        if (!crash && RowOf(run_.step).follows != 0 && MayFollow(STEP_START, step)) {
            std::swap(run_, parkedRun_);
            parked_ = true;
        } else
            EndRun(run_);
    }
    Begin(step, number);
    run_.zerosInFront = crash && headZeros_ > 0;
    // A run that begins past its first stages lost its first lines.
    if (!MayFollow(STEP_START, step) && step != STEP_START) {
        why += Gaps(step, number, true);
        run_.headless = true;
        // The rest of a run whose lines interleave with the one before.
        run_.interleaves = run_.interleaves || lastInterleaved_;
    }
    run_.step = step;
    return why;
}

void LogReader::Begin(int step, long number)
{
    run_.Reset();
    run_.spoolerSeen = spoolerSeen_;
    run_.number = ++runs_;
    run_.first = run_.last = number;
    run_.firstStep = step;
    inRun_ = true;
    sink_.RunBegins(run_.number, number);
}

// A run whose first line is cut at its front: what stood before it is
// missing, up to and with the rest of that line's launch, but nothing inside
// the run.
void LogReader::BeginCut(int place, long number)
{
    Begin(place, number);
    const int launch = RowOf(place).launch;
    run_.headless = true; // the log was cut in front of this line
    run_.firstStep = launch >= 0 ? StepOf(launch, PHASE_FAILED) + 1 : place;
    run_.step = place;
    // The tail of an announcement: the launch is the run's, and shows from
    // its command line on.
    if (launch >= 0 && RowOf(place).phase == PHASE_ANNOUNCED) {
        run_.firstStep = place;
        run_.launches[launch].phase = PHASE_ANNOUNCED;
    }
}

bool LogReader::Fits(const RunState& run, int step)
{
    return IsLater(run.step, step) && RowOf(run.step).follows != 0;
}

// Two runs at once: the parked run becomes the current one, and both are
// known to interleave.
void LogReader::SwitchRuns()
{
    std::swap(run_, parkedRun_);
    run_.interleaves = parkedRun_.interleaves = true;
}

// The current run goes on at step; the words of the lines missing before it,
// if any.
Phrase LogReader::GoOn(int step, long number)
{
    run_.stepBefore = run_.step;
    Phrase gap = MayFollow(run_.step, step) ? Phrase() : Gaps(step, number, false);
    run_.step = step;
    return gap;
}

// Of two runs at once, the earlier ends, so that runs end in their order;
// the later stays the current run.
void LogReader::EndParked()
{
    if (!parked_)
        return;
    // The earlier ends in place, not swapped in and out: a run is large.
    if (parkedRun_.number < run_.number)
        EndRun(parkedRun_);
    else {
        EndRun(run_);
        std::swap(run_, parkedRun_);
    }
    inRun_ = true;
    parked_ = false;
}

// What the program writes between the run's last place and step, were the
// run whole, but is not there. Each missing launch is named once.
Phrase LogReader::Gaps(int step, long number, bool fresh)
{
    ++run_.lost;
    Phrase list; // the lines missing here, as ids of words
    const int current = CurrentLaunch();
    const int launch = RowOf(step).launch;
    if (current >= 0 && current != launch) {
        const LaunchState& left = run_.launches[current];
        if (left.phase == PHASE_ANNOUNCED)
            Missing(&list, Sentence(W_MISSING_COMMAND_AFTER, { Number(left.line) }));
        if (left.phase == PHASE_TOO_LONG)
            Missing(&list, Sentence(W_MISSING_ERROR_AFTER, { Number(left.line) }));
    }
    const LaunchState* l = run_.launches;
    struct Needed {
        bool missing;
        WordId what;
    };
    const Needed needed[] = {
        { step >= STEP_PRINTER_FIRST && run_.faxFlagLine && l[LAUNCH_FAX].phase == PHASE_NONE,
            W_MISSING_FAX_CALLED_FOR },
        { step == STEP_FAX_NAME && l[LAUNCH_FAX].phase == PHASE_NONE, W_MISSING_FAX },
        { step >= STEP_FAX_TOOL_FIRST && l[LAUNCH_PRINTER].phase == PHASE_NONE, W_MISSING_PRINTER },
        { step >= STEP_PRINTER_TOOL_FIRST && l[LAUNCH_FAX_TOOL].phase == PHASE_NONE, W_MISSING_FAX_TOOL },
    };
    for (unsigned i = 0; i < sizeof needed / sizeof needed[0]; ++i)
        if (needed[i].missing && !(run_.named & (1u << i))) {
            run_.named |= 1u << i;
            Missing(&list, Sentence(needed[i].what, { Number(run_.faxFlagLine) }));
        }
    if (launch >= 0 && RowOf(step).phase == PHASE_FAILED && l[launch].phase == PHASE_NONE)
        Missing(&list, Sentence(W_MISSING_ANNOUNCE_AND_COMMAND, { Sentence(LaunchOf(launch).stage) }));
    if (list.empty())
        list = Sentence(W_MISSING_OWN_LINE);
    run_.gaps += (run_.gaps.empty() ? Phrase() : Phrase(" "))
        + Sentence(W_BEFORE_LINE_LIST, { Number(number), Sentence(list) });
    return Sentence(fresh ? W_FIRST_LINES_MISSING : W_LINES_MISSING_BEFORE, { Sentence(list) });
}

void LogReader::EndRun(const RunState& run)
{
    lastInterleaved_ = run.interleaves;
    Record(run);
    if (run.spooler)
        spoolerSeen_ = true;
    KeepStarted(run, &facts_);
    inRun_ = false;
}
