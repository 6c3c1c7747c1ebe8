// The reader's step: each line in its place in the program's order.
#include <string.h>

#include "log_reader.h"
#include "support/log_texts.h"
#include "words.h"

namespace {

const std::string kNoWords;

std::string Number(long n)
{
    return std::to_string(n);
}

// The place of one of the program's fixed texts; too long: see LaunchOfTooLong.
int StepOfRow(const TextMeaning& row, int tooLongLaunch)
{
    switch (row.kind) {
    case TEXT_SETTINGS_END:
        return STEP_SETTINGS_END;
    case TEXT_SPOOLER:
        return STEP_SPOOLER;
    case TEXT_FAX_FLAG:
        return STEP_FAX_FLAG;
    case TEXT_FAX_NAME:
        return STEP_FAX_NAME;
    case TEXT_ANNOUNCE:
        return StepOf(row.launch, PHASE_ANNOUNCED);
    case TEXT_FAILURE:
        return StepOf(row.launch, PHASE_FAILED);
    case TEXT_TOO_LONG:
        return StepOf(tooLongLaunch, PHASE_TOO_LONG);
    case TEXT_NULL:
        break;
    }
    return STEP_START;
}

} // namespace

// A command line that the run kept aside waits for, and the current run does not, is the kept run's.
bool LogReader::ParkedWants(const Line& head) const
{
    auto waits = [](const RunState& run) {
        const int launch = RowOf(run.step).launch;
        return launch >= 0
            && (run.launches[launch].phase == PHASE_ANNOUNCED || run.launches[launch].phase == PHASE_WARNED);
    };
    return parked_ && waits(parkedRun_) && !waits(run_) && IsCommandShape(head.text);
}

void LogReader::Step()
{
    if (ParkedWants(Pending(0))) {
        std::swap(run_, parkedRun_);
        run_.interleaves = parkedRun_.interleaves = true;
    }
    const Line& head = Pending(0);
    const int launch = CurrentLaunch();
    const Phase phase = launch >= 0 ? run_.launches[launch].phase : PHASE_NONE;
    const bool whole = head.length == head.text.size();
    if (head.number == 1 && whole && IsCutFront(head.text)) {
        firstLineCut_ = true;
        Emit(PopFront(), true, Word(W_FIRST_LINE_CUT));
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
            Word(ownish                         ? W_NOT_COUNTED_NO_CRLF
                    : sorted.kind == LINE_EMPTY ? W_EMPTY_LINE
                                                : W_OTHER_LINE));
        return;
    }
    if (whole && phase == PHASE_COMMAND && run_.launches[launch].cause == PHASE_NONE && sorted.kind != LINE_OWN
        && sorted.kind != LINE_WARNING && TakeSystemText())
        return;
    const Line& line = PopFront();

    switch (sorted.kind) {
    case LINE_OWN:
        TakeOwnText(line, *sorted.row, line.ended ? "" : Word(W_LINE_END_MISSING));
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
    if (cut.empty() && phase != PHASE_ANNOUNCED)
        return false;
    if (!inRun_)
        Place(STEP_START, line.number);
    ++run_.cutLines;
    unsigned count;
    const TextMeaning* rows = AllMeanings(&count);
    for (unsigned i = 0; i < count && !cut.empty(); ++i)
        if (line.text.size() < strlen(rows[i].text)
            && line.text.compare(0, line.text.size(), rows[i].text, line.text.size()) == 0 && rows[i].kind != TEXT_NULL
            && rows[i].kind != TEXT_TOO_LONG && MayFollow(run_.step, StepOfRow(rows[i], 0))) {
            TakeOwnText(line, rows[i], "", false);
            break;
        }
    Emit(line, true, Say(W_CUT_AT_END, { cut.empty() ? Word(W_THE_COMMAND_LINE) : cut }));
    return true;
}

// Another program's line, or an empty one.
void LogReader::TakeOther(const Line& line, bool whole, Phase phase)
{
    if (!words_) { // the commonest line of a long log: no words wanted
        Emit(line, false, kNoWords);
        return;
    }
    std::string meaning = Word(line.text.empty() ? W_EMPTY_LINE : W_OTHER_LINE);
    if (!whole)
        meaning += Say(W_SHOWN_CUT, { Number((long)line.length), Number((long)line.text.size()) });
    if (phase == PHASE_ANNOUNCED)
        meaning += Word(W_BETWEEN_ANNOUNCE_AND_COMMAND);
    Emit(line, false, meaning);
}

bool LogReader::TakeWarning(const Line& line, int launch, Phase phase)
{
    if (phase == PHASE_COMMAND && run_.launches[launch].cause == PHASE_NONE) {
        LaunchState& current = run_.launches[launch];
        current.cause = PHASE_WARNED;
        current.phase = PHASE_WARNED;
        run_.step = StepOf(launch, PHASE_WARNED);
        current.code = line.text.substr(strlen(LOG_UNKNOWN_ERROR_BEFORE));
        current.code.resize(current.code.size() - strlen(LOG_UNKNOWN_ERROR_AFTER));
        current.systemText = Say(W_NO_TEXT_FOR_ERROR, { current.code });
        Emit(line, true, Say(W_UNKNOWN_ERROR_LINE, { current.code }));
    } else {
        if (!inRun_)
            Place(STEP_START, line.number);
        Emit(line, true, Word(W_WARNING_OUT_OF_PLACE));
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
        ++run_.cutLines;
        TakeOwnText(line, *sorted.row, Say(W_CUT_THEN_LATER, { CutFrom(before) }));
        return true;
    }
    Line part;
    part.number = line.number;
    part.text = before;
    part.length = before.size();
    part.ended = false;
    Emit(part, false, Word(W_GLUED_PART));
    part.text = sorted.row->text;
    part.length = part.text.size();
    part.ended = line.ended;
    part.zeros = line.zeros;
    TakeOwnText(part, *sorted.row, Word(W_GLUED_SPLIT));
    ++run_.gluedLines;
    return true;
}

// A launch begins: its announcement, or Command line too long in its place.
std::string LogReader::BeginLaunch(int index, Phase phase, long number)
{
    const std::string why = Place(StepOf(index, phase), number);
    LaunchState& launch = run_.launches[index];
    launch.phase = phase;
    launch.cause = phase == PHASE_TOO_LONG ? PHASE_TOO_LONG : PHASE_NONE;
    launch.line = number;
    launch.failedLine = 0;
    launch.command = launch.cut = false;
    launch.dir.clear(), launch.arg.clear(), launch.systemText.clear(), launch.code.clear();
    return why;
}

std::string LogReader::TakeOwnText(const Line& line, const TextMeaning& row, const std::string& before, bool emit)
{
    std::string why;
    int index = row.launch;
    switch (row.kind) {
    case TEXT_SETTINGS_END:
        why = Place(STEP_SETTINGS_END, line.number);
        run_.settingsEnd = &row;
        run_.settingsLine = line.number;
        break;
    case TEXT_SPOOLER:
        why = Place(STEP_SPOOLER, line.number);
        run_.spooler = &row;
        run_.spoolerLine = line.number;
        break;
    case TEXT_FAX_FLAG:
        why = Place(STEP_FAX_FLAG, line.number);
        run_.faxFlagLine = line.number;
        break;
    case TEXT_FAX_NAME:
        why = Place(STEP_FAX_NAME, line.number);
        run_.faxNameLine = line.number;
        break;
    case TEXT_ANNOUNCE:
    case TEXT_TOO_LONG:
        index = row.kind == TEXT_TOO_LONG ? LaunchOfTooLong() : index;
        why = BeginLaunch(index, row.kind == TEXT_TOO_LONG ? PHASE_TOO_LONG : PHASE_ANNOUNCED, line.number);
        break;
    case TEXT_FAILURE: {
        why = Place(StepOf(index, PHASE_FAILED), line.number);
        LaunchState& launch = run_.launches[index];
        if (launch.cause == PHASE_NONE && launch.phase == PHASE_COMMAND)
            launch.cause = PHASE_COMMAND;
        launch.phase = PHASE_FAILED;
        launch.failedLine = line.number;
        if (!words_) {
            if (emit)
                Emit(line, true, "");
            return "";
        }
        const std::string meaning = before + why + Word(row.meaning) + ": " + FailureMeaning(index);
        if (emit)
            Emit(line, true, meaning);
        return meaning;
    }
    case TEXT_NULL:
        if (!inRun_)
            Place(STEP_START, line.number);
        run_.nullLine = line.number;
        break;
    }
    if (!words_) {
        if (emit)
            Emit(line, true, "");
        return "";
    }
    std::string meaning = Word(row.meaning);
    if (row.kind == TEXT_TOO_LONG)
        meaning += Say(W_TOO_LONG_LAUNCH, { Word(LaunchOf(index).stage) });
    if (emit)
        Emit(line, true, before + why + meaning);
    return before + why + meaning;
}
