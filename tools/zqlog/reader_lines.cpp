// The reader's step: each line in its place in the program's order.
#include <string.h>

#include "log_reader.h"
#include "support/log_texts.h"

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

} // namespace

// A command line that the run kept aside waits for, and the current run does
// not, is the kept run's; so is one of the kept run's launch's shape (its
// tool, a fax key or a printer key) when the current run waits for another,
// and an add-printer command line whose folder and key root only the kept
// run's other add-printer command line shows; so is a start's warning that
// the kept run's command line follows (ParkedWarned).
bool LogReader::ParkedWants(const Line& head) const
{
    if (parked_ && IsUnknownErrorLine(head.text))
        return ParkedWarned();
    if (!parked_ || !IsCommandShape(head.text))
        return false;
    auto waits = [](const RunState& run) {
        const int launch = RowOf(run.step).launch;
        return launch >= 0
            && (run.launches[launch].phase == PHASE_ANNOUNCED || run.launches[launch].phase == PHASE_WARNED);
    };
    if (!waits(parkedRun_))
        return false;
    if (!waits(run_))
        return true;
    if (!ShapeFits(parkedRun_, head))
        return false;
    if (!ShapeFits(run_, head))
        return true;
    const int launch = RowOf(parkedRun_.step).launch;
    std::string dir, arg;
    return LaunchOf(launch).addPrinter && RowOf(run_.step).launch == launch
        && ParseCommand(launch, head.text, &dir, &arg) && ShowsPackage(parkedRun_, launch, dir, arg)
        && !ShowsPackage(run_, launch, dir, arg);
}

// The warning at the head is the kept run's when the command line it
// repeats after it is the kept run's own, waiting for that start, and not
// the current run's.
bool LogReader::ParkedWarned() const
{
    if (count_ < 2)
        return false;
    const int launch = RowOf(parkedRun_.step).launch;
    if (launch < 0 || !LaunchOf(launch).addPrinter)
        return false;
    std::string dir, arg;
    if (!ParseCommand(launch, Pending(1).text, &dir, &arg))
        return false;
    auto waitsFor = [&](const RunState& run) {
        const LaunchState& own = run.launches[launch];
        return RowOf(run.step).launch == launch && own.phase == PHASE_COMMAND && own.cause == PHASE_NONE && own.command
            && !own.cut && own.dir == dir && own.arg == arg;
    };
    return waitsFor(parkedRun_) && !waitsFor(run_);
}

// The line is of the shape of the command line of the launch the run is in.
bool LogReader::ShapeFits(const RunState& run, const Line& head) const
{
    const int launch = RowOf(run.step).launch;
    std::string dir, arg;
    if (!ParseCommand(launch, head.text, &dir, &arg))
        return false;
    return !LaunchOf(launch).addPrinter || IsFaxKey(arg) == (launch == LAUNCH_FAX);
}

// The place of the line whose end the log's first line is, where the next
// line of the program's can follow it; STEP_NONE where that is not known.
int LogReader::CutFrontPlace(const std::string& text) const
{
    auto endsWith = [&text](const char* whole) {
        const size_t n = strlen(whole);
        return text.size() < n && text.compare(0, std::string::npos, whole + n - text.size()) == 0;
    };
    uint64_t places = 0;
    unsigned count;
    const GrammarRow* rows = FixedTexts(&count);
    for (unsigned i = 0; i < count; ++i)
        if (FixedPlace(rows[i]) != STEP_NONE && endsWith(rows[i].text))
            places |= 1ull << FixedPlace(rows[i]);
    const size_t exe = text.find(".exe\" ");
    if (exe != std::string::npos && text[0] != '"') // an add-printer tool's: the key tells which
        places |= 1ull << StepOf(IsFaxKey(text.substr(exe + 6)) ? LAUNCH_FAX : LAUNCH_PRINTER, PHASE_COMMAND);
    else if (IsKeyTail(text)) // only its key path's end: the next line must confirm it
        places |= 1ull << StepOf(IsFaxKey(text) ? LAUNCH_FAX : LAUNCH_PRINTER, PHASE_COMMAND);
    else if (text.find(" /n:") != std::string::npos)
        places |= 1ull << StepOf(LAUNCH_FAX_TOOL, PHASE_COMMAND) | 1ull << StepOf(LAUNCH_PRINTER_TOOL, PHASE_COMMAND);
    const GrammarRow* next = count_ > 1 ? OwnRow(Pending(1).text) : nullptr;
    const int after = next ? FixedPlace(*next) : STEP_NONE;
    for (int step = 0; step < STEP_COUNT; ++step)
        if ((places >> step & 1) && (after != STEP_NONE ? MayFollow(step, after) : CommandFollows(step)))
            return step;
    return STEP_NONE;
}

// The log's first line is the end of a line of the program's: of a text of
// its, or of an add-printer command line's key path, as the next line shows.
bool LogReader::IsCutFirstLine(const std::string& text) const
{
    return IsCutFront(text) || (IsKeyTail(text) && CutFrontPlace(text) != STEP_NONE);
}

// The line after the log's first, cut one is the command line of the launch
// that step announces: the cut line is that announcement's tail.
bool LogReader::CommandFollows(int step) const
{
    const StepRow& row = RowOf(step);
    if (count_ < 2 || row.launch < 0 || row.phase != PHASE_ANNOUNCED || !Pending(1).ended)
        return false;
    std::string dir, arg;
    const Line& next = Pending(1);
    return !JoinedText(next.text) && ParseCommand(row.launch, next.text, &dir, &arg)
        && (!LaunchOf(row.launch).addPrinter || IsFaxKey(arg) == (row.launch == LAUNCH_FAX));
}

// The log's first line, the end of a line of the program's: where its place
// is known, the run begins with it.
void LogReader::TakeCutFront(const Line& head)
{
    firstLineCut_ = true;
    Move cut;
    cut.kind = Move::CUT_FRONT;
    cut.line = head.number;
    cut.place = CutFrontPlace(head.text);
    if (cut.place != STEP_NONE)
        Advance(cut);
    Emit(PopFront(), true, Sentence(W_FIRST_LINE_CUT));
}

void LogReader::Step()
{
    if (ParkedWants(Pending(0))) {
        Move resume;
        resume.kind = Move::RESUME;
        Advance(resume);
    }
    const Line& head = Pending(0);
    headZeros_ = head.zeros;
    const int launch = CurrentLaunch();
    const Phase phase = launch >= 0 ? run_.launches[launch].phase : PHASE_NONE;
    const bool whole = head.length == head.text.size();
    if (head.number == 1 && whole && IsCutFirstLine(head.text)) {
        TakeCutFront(head);
        return;
    }
    if (whole && (phase == PHASE_ANNOUNCED || phase == PHASE_WARNED) && TakeCommandLine(head)) {
        PopFront();
        return;
    }
    const Sorted sorted = Classify(head);

    // A log holds at least one whole line of the program's: a cut fragment
    // alone, or a line without its line end, begins no run.
    if (!inRun_ && whole && !head.crlf) {
        const Line& line = PopFront();
        const bool ownish = sorted.kind == LINE_OWN || sorted.kind == LINE_WARNING || sorted.kind == LINE_CUT;
        Emit(line, false,
            Sentence(ownish                     ? W_NOT_COUNTED_NO_CRLF
                    : sorted.kind == LINE_EMPTY ? W_EMPTY_LINE
                                                : W_OTHER_LINE));
        return;
    }
    const bool awaited = (inRun_ && AwaitsStart(run_)) || (parked_ && AwaitsStart(parkedRun_));
    if (whole && awaited && sorted.kind != LINE_OWN && sorted.kind != LINE_WARNING && TakeSystemText())
        return;
    const Line& line = PopFront();

    switch (sorted.kind) {
    case LINE_OWN:
        TakeOwnText(line, *sorted.row, line.ended ? Phrase() : Sentence(W_LINE_END_MISSING), true,
            line.ended ? Move::WHOLE : Move::CUT_AT_END);
        return;
    case LINE_WARNING:
        TakeWarning(line, launch, phase);
        return;
    case LINE_CUT_JOINED:
    case LINE_GLUED:
        if (TakeCutOrGlued(line, sorted, launch, phase))
            return;
        break;
    default:
        break;
    }
    if (whole) {
        if (TakeJoinedCommand(line, phase == PHASE_ANNOUNCED ? launch : -1))
            return;
        if (TakeUnannouncedCommand(line))
            return;
    }
    if (whole && !line.ended && count_ == 0 && TakeCutAtEnd(line, phase))
        return;
    TakeOther(line, whole, phase);
}

// The line the program was writing when the log ends: the one of the texts
// it starts that may stand here in the order.
bool LogReader::TakeCutAtEnd(const Line& line, Phase phase)
{
    const std::string cut = CutFrom(line.text);
    // Behind a crash's zero bytes, what is no start of a line of the program's is stale.
    const bool path = !line.text.empty() && (line.text[0] == '"' || line.text[0] == '\\' || line.text[1] == ':');
    if (cut.empty() && (phase != PHASE_ANNOUNCED || (line.zeros && !path)))
        return false;
    Move anywhere;
    anywhere.line = line.number;
    anywhere.damage = Move::CUT_AT_END;
    Advance(anywhere);
    unsigned count;
    const GrammarRow* rows = FixedTexts(&count);
    for (unsigned i = 0; i < count && !cut.empty(); ++i)
        if (line.text.size() < strlen(rows[i].text)
            && line.text.compare(0, line.text.size(), rows[i].text, line.text.size()) == 0
            && FixedPlace(rows[i]) != STEP_NONE && MayFollow(run_.step, FixedPlace(rows[i]))) {
            TakeOwnText(line, rows[i], "", false);
            break;
        }
    Emit(line, true, Sentence(W_CUT_AT_END, { cut.empty() ? Sentence(W_THE_COMMAND_LINE) : Sentence(cut) }));
    return true;
}

// Another program's line, or an empty one.
void LogReader::TakeOther(const Line& line, bool whole, Phase phase)
{
    if (line.text.empty() && line.number == stray_.emptyLine) { // a system's text's, apart from it
        Emit(line, true, Sentence(W_SYSTEM_TEXT_END));
        return;
    }
    if (!words_) { // the commonest line of a long log: no words wanted
        Emit(line, false, Phrase());
        return;
    }
    if (line.zeros && !line.ended && count_ == 0 && whole) { // stale bytes at the log's end
        Emit(line, false, Sentence(W_STALE_AFTER_ZEROS));
        return;
    }
    Phrase meaning = Sentence(line.text.empty() ? W_EMPTY_LINE : W_OTHER_LINE);
    if (!whole)
        meaning += Sentence(W_SHOWN_CUT, { Number((long)line.length), Number((long)line.text.size()) });
    if (phase == PHASE_ANNOUNCED)
        meaning += Sentence(W_BETWEEN_ANNOUNCE_AND_COMMAND);
    Emit(line, false, meaning);
}

bool LogReader::TakeWarning(const Line& line, int launch, Phase phase)
{
    Move move;
    move.line = line.number;
    if (phase == PHASE_COMMAND && run_.launches[launch].cause == PHASE_NONE) {
        move.row = &RowOfToken(TOKEN_WARNING, launch);
        move.launch = launch;
        const size_t before = strlen(move.row->text);
        scratchText_.assign(line.text, before, line.text.size() - before - strlen(move.row->then));
        move.text = &scratchText_;
        Advance(move);
        Emit(line, true, Sentence(move.row->meaning, { scratchText_ }));
    } else {
        Advance(move); // out of place: it takes none
        Emit(line, true, Sentence(W_WARNING_OUT_OF_PLACE));
    }
    return true;
}

// A line cut short by a full disk with a later write of the program's right
// after it on the same line; or another program's text without its line end,
// glued to the front of one of the program's fixed texts: split off.
bool LogReader::TakeCutOrGlued(const Line& line, const Sorted& sorted, int, Phase)
{
    const std::string before = line.text.substr(0, sorted.at);
    if (sorted.kind == LINE_CUT_JOINED) {
        TakeOwnText(line, *sorted.row, Sentence(W_CUT_THEN_LATER, { CutFrom(before) }), true, Move::CUT_BEFORE);
        return true;
    }
    Line part;
    part.number = line.number;
    part.text = before;
    part.length = before.size();
    part.ended = false;
    Emit(part, false, Sentence(W_GLUED_PART));
    part.text = sorted.row->text;
    part.length = part.text.size();
    part.ended = line.ended;
    part.zeros = line.zeros;
    TakeOwnText(part, *sorted.row, Sentence(W_GLUED_SPLIT), true, Move::GLUED);
    return true;
}

// One of the program's fixed texts, whole: its place and record from its
// grammar row. A text that may stand in several launches (Command line too
// long) stands in the one whose failure line follows.
Phrase LogReader::TakeOwnText(
    const Line& line, const GrammarRow& row, const Phrase& before, bool emit, Move::Damage damage)
{
    Move move;
    move.damage = damage;
    move.row = &row;
    move.launch = row.launches && LaunchOfRow(row) < 0 ? LaunchOfTooLong() : LaunchOfRow(row);
    move.line = line.number;
    // A failure line: the lines of the program's after it, for whose system's text stood before it.
    for (size_t i = 0, n = 0; row.record == REC_FAILURE && i < count_ && n < Move::kAhead; ++i)
        if (const GrammarRow* after = OwnRow(Pending(i).text))
            move.ahead[n++] = after;
    const Phrase why = Advance(move);
    if (!words_) {
        if (emit)
            Emit(line, true, Phrase());
        return Phrase();
    }
    Phrase meaning = before + why + Sentence(row.meaning);
    if (row.record == REC_FAILURE)
        meaning += Phrase(": ") + FailureMeaning(move.launch);
    else if (row.launches && LaunchOfRow(row) < 0)
        meaning += Sentence(W_TOO_LONG_LAUNCH, { Sentence(LaunchOf(move.launch).stage) });
    if (emit)
        Emit(line, true, meaning);
    return meaning;
}
