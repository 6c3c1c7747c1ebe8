#include "log_reader.h"

#include <string.h>

#include "code_pages.h"
#include "support/log_texts.h"
#include "words.h"

namespace {

const size_t kLookAhead = 8; // lines held to read a system text or a failure line ahead

std::string Number(long n)
{
    return std::to_string(n);
}

} // namespace

void RunState::Reset()
{
    // Strings are cleared, not freed, so that a long log reuses them.
    number = 0;
    first = last = 0;
    step = firstStep = STEP_START;
    settingsEnd = spooler = nullptr;
    settingsLine = spoolerLine = faxFlagLine = faxNameLine = nullLine = 0;
    for (LaunchState& launch : launches) {
        launch.phase = launch.cause = PHASE_NONE;
        launch.line = launch.failedLine = 0;
        launch.command = launch.cut = false;
        launch.dir.clear(), launch.arg.clear(), launch.systemText.clear(), launch.code.clear();
    }
    gaps.clear();
    named = 0;
    headless = false;
    lost = zeroLines = gluedLines = cutLines = others = othersPending = 0;
    endedByRun = interleaves = spoolerSeen = crashTail = false;
}

LogReader::LogReader(NoteSink& sink, unsigned codePage, size_t lineCap, bool words, bool causes)
    : sink_(sink)
    , source_(*this, lineCap)
    , codePage_(codePage)
    , isLead_(LeadByteTestOf(codePage))
    , words_(words)
    , causes_(causes || words)
    , guessing_(codePage == 0 || codePage == 1252)
{
}

void LogReader::TakeLine(Line& line)
{
    // Text converted to UTF-8 has no lead bytes that could hide a backslash.
    if (line.number == 1 && source_.Found() != CONV_NONE && source_.Found() != CONV_LF
        && source_.Found() != CONV_CRCRLF)
        isLead_ = nullptr;
    if (line.number == 1 && source_.Found() != CONV_NONE && source_.Found() != CONV_LF
        && source_.Found() != CONV_CRCRLF)
        guessing_ = false;
    if (guessing_)
        guess_.Take(line.text);
    Line& slot = Pending(count_++);
    slot.number = line.number;
    slot.text.swap(line.text);
    slot.length = line.length;
    slot.ended = line.ended;
    slot.crlf = line.crlf;
    slot.zeros = line.zeros;
    while (count_ > kLookAhead)
        Step();
}

const Line& LogReader::PopFront()
{
    const Line& front = Pending(0);
    head_ = (head_ + 1) % kRing;
    --count_;
    return front;
}

void LogReader::Finish()
{
    source_.Finish();
    while (count_ > 0)
        Step();
    // Zero bytes after the last run's last line, and no line of the
    // program's after them: the log's end was lost in a crash.
    if (inRun_ && crashLines_ > 0) {
        crashTail_ = run_.crashTail = true;
        others_ -= crashLines_;
        run_.othersPending -= crashLines_;
    }
    EndParked();
    if (inRun_)
        EndRun();
}

void LogReader::Emit(const Line& line, bool own, const std::string& meaning)
{
    if (own) {
        run_.last = line.number;
        run_.zeroLines += line.zeros > 0;
        // Other programs' lines count inside the run only when a line of its own follows them.
        run_.others += run_.othersPending;
        run_.othersPending = 0;
        crashLines_ = 0;
    } else {
        ++others_;
        run_.othersPending += inRun_;
        crashLines_ += line.zeros > 0;
    }
    if (!words_)
        return;
    std::string said = meaning;
    if (line.zeros)
        said = Say(W_ZEROS_IN_LINE, { Number(line.zeros), said });
    LineNote note { line.text, said, own, own ? run_.number : 0 };
    sink_.Note(line.number, note, line.length);
}

// Where a line of the program's stands: in the current run when it can
// follow the last line there, else as the first line of a new run.
std::string LogReader::Place(int step, long number)
{
    if (inRun_ && Fits(run_, step)) {
        std::string gap = MayFollow(run_.step, step) ? "" : Gaps(step, number, false);
        run_.step = step;
        return gap;
    }
    // Two runs at once: a line that only the parked run can take is its.
    if (parked_ && Fits(parkedRun_, step)) {
        std::swap(run_, parkedRun_);
        run_.interleaves = parkedRun_.interleaves = true;
        std::string gap = MayFollow(run_.step, step) ? "" : Gaps(step, number, false);
        run_.step = step;
        return gap;
    }
    EndParked();
    std::string why;
    if (inRun_) {
        if (words_)
            why = Say(W_NEW_RUN_HERE, { Number(run_.last) });
        run_.endedByRun = true;
        // A run that stops where the program cannot (it was ended, or two
        // runs' lines interleave), or that may end here but may also go on
        // (after the printer stage), is kept aside while the new run goes on;
        // the two interleave only if a line of the kept run's comes.
        if (RowOf(run_.step).follows != 0 && MayFollow(STEP_START, step)) {
            std::swap(run_, parkedRun_);
            parked_ = true;
        } else
            EndRun();
    }
    Begin(step, number);
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

bool LogReader::Fits(const RunState& run, int step)
{
    return IsLater(run.step, step) && RowOf(run.step).follows != 0;
}

// Of two runs at once, the earlier ends, so that runs end in their order;
// the later stays the current run.
void LogReader::EndParked()
{
    if (!parked_)
        return;
    if (parkedRun_.number < run_.number)
        std::swap(run_, parkedRun_);
    EndRun();
    std::swap(run_, parkedRun_);
    inRun_ = true;
    parked_ = false;
}

// What the program writes between the run's last place and step, were the
// run whole, but is not there. Each missing launch is named once.
std::string LogReader::Gaps(int step, long number, bool fresh)
{
    ++run_.lost;
    std::vector<std::string> missing;
    const int current = CurrentLaunch();
    const int launch = RowOf(step).launch;
    if (current >= 0 && current != launch) {
        const LaunchState& left = run_.launches[current];
        if (left.phase == PHASE_ANNOUNCED)
            missing.push_back(Say(W_MISSING_COMMAND_AFTER, { Number(left.line) }));
        if (left.phase == PHASE_TOO_LONG)
            missing.push_back(Say(W_MISSING_ERROR_AFTER, { Number(left.line) }));
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
            missing.push_back(Say(needed[i].what, { Number(run_.faxFlagLine) }));
        }
    if (launch >= 0 && RowOf(step).phase == PHASE_FAILED && l[launch].phase == PHASE_NONE)
        missing.push_back(Say(W_MISSING_ANNOUNCE_AND_COMMAND, { Word(LaunchOf(launch).stage) }));
    if (missing.empty())
        missing.push_back(Word(W_MISSING_OWN_LINE));
    std::string list;
    for (const std::string& item : missing)
        list += (list.empty() ? "" : "; ") + item;
    run_.gaps += (run_.gaps.empty() ? "" : " ") + Say(W_BEFORE_LINE_LIST, { Number(number), list });
    return Say(fresh ? W_FIRST_LINES_MISSING : W_LINES_MISSING_BEFORE, { list });
}

void LogReader::EndRun()
{
    lastInterleaved_ = run_.interleaves;
    RunRecord record = BuildRecord(*this);
    sink_.RunEnds(record);
    if (run_.spooler)
        spoolerSeen_ = true;
    KeepStarted();
    inRun_ = false;
}

// Command line too long stands for the launch whose failure line comes next.
int LogReader::LaunchOfTooLong() const
{
    for (size_t i = 0; i < count_; ++i) { // the line itself is taken off already
        const TextMeaning* row = OwnRow(Pending(i).text);
        if (row && row->kind == TEXT_FAILURE)
            return row->launch;
        if (row)
            break;
    }
    // No failure line to go by: the next launch in the order.
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (inRun_ && IsLater(run_.step, StepOf(i, PHASE_TOO_LONG)) && RowOf(run_.step).follows)
            return i;
    return LAUNCH_FAX;
}
