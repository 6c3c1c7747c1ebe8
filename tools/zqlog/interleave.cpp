// The engine's part for two runs at once (engine.cpp calls it, from
// Advance alone): which run a driver tool's line or a stray system text may
// be, the announcement handed over to the kept run, and the tie of two runs
// at the same place.
#include "log_reader.h"

// Two runs at once: a system's text that stands apart from its run's command
// line is kept, with the runs that waited for a start then.
void LogReader::KeepStray(const Move& move)
{
    const int runs[2]
        = { inRun_ && AwaitsStart(run_) ? run_.number : 0, parked_ && AwaitsStart(parkedRun_) ? parkedRun_.number : 0 };
    // After a text whose run could not be told, the next one of the same
    // two runs is the other run's only if the first was this one's: untold too.
    auto before = [this](int run) { return run && (stray_.runs[0] == run || stray_.runs[1] == run); };
    stray_.contested = stray_.line && stray_.contested && (before(runs[0]) || before(runs[1]));
    stray_.text = *move.text;
    stray_.line = move.line;
    stray_.emptyLine = move.line + move.place;
    stray_.runs[0] = runs[0];
    stray_.runs[1] = runs[1];
}

// Once a driver tool's line could be either run's, each later one of either
// run depends on that line: none of them is sure.
bool LogReader::ToolLineUnsure(int place, const Move& move, const LaunchState* launch)
{
    const bool either = launch && place != STEP_NONE && EitherRunsTool(place);
    toolsContested_ = parked_ && (toolsContested_ || either);
    // The other run's driver tool that waits for its command line may have had this one.
    if (either && RowOf(place).phase == PHASE_COMMAND)
        parkedRun_.launches[RowOf(parkedRun_.step).launch].unsure = true;
    return launch && (launch->unsure || (toolsContested_ && IsDriverTool(move.launch)));
}

// A system's text that stood apart from its command line, while this run
// waited for the launch to start, is this run's when the other run that
// waited then has gone on without a failure line; else whose it is cannot
// be told, and neither run's failure has a known cause.
void LogReader::ClaimStrayText(const Move& move, LaunchState* launch)
{
    const int mine = stray_.runs[0] == run_.number ? 0 : stray_.runs[1] == run_.number ? 1 : -1;
    if (!stray_.line || mine < 0 || stray_.line < launch->commandLine)
        return;
    const int other = stray_.runs[1 - mine];
    if (!stray_.contested && (!other || OtherRunMovedOn(move, other))) {
        launch->cause = PHASE_SYSTEM_TEXT;
        launch->systemText = stray_.text;
        stray_.line = 0;
        return;
    }
    stray_.contested = true;
    launch->cause = PHASE_NONE;
    launch->causeUntold = true;
}

// The other run that waited for a start has gone on: it waits no more, or
// the next line of the program's that it can take, and this run cannot, is
// no failure line. A run that ended meanwhile shows nothing.
bool LogReader::OtherRunMovedOn(const Move& move, int other) const
{
    if (!parked_ || parkedRun_.number != other)
        return false;
    if (!AwaitsStart(parkedRun_))
        return true;
    for (const GrammarRow* row : move.ahead) {
        const int place = row ? FixedPlace(*row) : STEP_NONE;
        if (place != STEP_NONE && Fits(parkedRun_, place) && MayFollow(parkedRun_.step, place)
            && !MayFollow(run_.step, place))
            return row->record != REC_FAILURE;
    }
    return false;
}

// The current and the kept run stand at the same place, and the line at
// number can follow there: whichever takes it is the reader's choice. Unless
// their command lines already showed two packages, the two are tied there.
void LogReader::Tie(int step, long number)
{
    if (!parked_ || !inRun_ || run_.step != parkedRun_.step || !Fits(run_, step))
        return;
    if (run_.tieWith || parkedRun_.tieWith || ShownApart())
        return; // a run is tied to one other run only
    run_.tieWith = parkedRun_.number;
    parkedRun_.tieWith = run_.number;
    run_.tieLine = parkedRun_.tieLine = number;
}

// The run tied to one that ended without their taking turns is tied no more.
void LogReader::Untie(int run)
{
    for (RunState* other : { &run_, &parkedRun_ })
        if (other->number == run) {
            other->tieWith = 0;
            other->tieLine = 0;
        }
}

bool LogReader::IsDriverTool(int launch)
{
    return launch == LAUNCH_FAX_TOOL || launch == LAUNCH_PRINTER_TOOL;
}

// Two runs at once, of different keys or of keys not seen: a driver tool's
// line that the other run could have written right there as well; a command
// line, while the other run waits for one of its driver tools' too.
bool LogReader::EitherRunsTool(int step) const
{
    if (!parked_ || !IsDriverTool(RowOf(step).launch))
        return false;
    const bool otherWaits
        = IsDriverTool(RowOf(parkedRun_.step).launch) && RowOf(parkedRun_.step).phase == PHASE_ANNOUNCED;
    if (!(RowOf(step).phase == PHASE_COMMAND ? otherWaits : Fits(parkedRun_, step) && MayFollow(parkedRun_.step, step)))
        return false;
    for (int i : { LAUNCH_PRINTER, LAUNCH_FAX }) {
        const LaunchState &mine = run_.launches[i], &other = parkedRun_.launches[i];
        if (mine.command && other.command && !mine.cut && !other.cut)
            return mine.dir != other.dir || mine.arg != other.arg;
    }
    return true;
}

// Two runs at once: the announcement the current run took right after its
// last line is the kept run's, as the command line after it shows. The
// current run goes back to where it stood; the kept run goes on from it.
void LogReader::HandOver(int launch)
{
    const long line = run_.launches[launch].line;
    const int from = run_.number;
    run_.launches[launch].Reset();
    run_.step = run_.stepBefore;
    SwitchRuns();
    sink_.LineMoves(line, from, run_.number);
    run_.stepBefore = run_.step;
    run_.step = StepOf(launch, PHASE_ANNOUNCED);
    run_.launches[launch].Reset();
    run_.launches[launch].line = line;
    run_.launches[launch].phase = PHASE_ANNOUNCED;
}
