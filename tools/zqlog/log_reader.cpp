#include "log_reader.h"

#include <string.h>

#include "code_pages.h"
#include "support/log_texts.h"

namespace {

const size_t kLookAhead = 8; // lines held to read a system text or a failure line ahead

std::string Number(long n)
{
    return std::to_string(n);
}

} // namespace

void LaunchState::Reset()
{
    // Strings are cleared, not freed, so that a long log reuses them.
    phase = cause = PHASE_NONE;
    line = failedLine = commandLine = 0;
    command = cut = causeUntold = unsure = false;
    dir.clear(), arg.clear(), systemText.clear(), code.clear();
}

void RunState::Reset()
{
    // Strings are cleared, not freed, so that a long log reuses them.
    number = 0;
    first = last = 0;
    step = firstStep = stepBefore = STEP_START;
    settingsEnd = spooler = nullptr;
    settingsLine = spoolerLine = faxFlagLine = faxNameLine = nullLine = 0;
    for (LaunchState& launch : launches)
        launch.Reset();
    gaps.parts.clear();
    named = 0;
    headless = false;
    lost = zeroLines = gluedLines = cutLines = others = othersPending = 0;
    endedByRun = interleaves = spoolerSeen = crashTail = crashBefore = zerosInFront = endCut = false;
    endCutLaunch = -1;
    tieWith = 0;
    tieLine = boundLast = 0;
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
    if (line.number == 1)
        sink_.Converted(source_.Found(), source_.LineEnds());
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

FileFacts LogReader::File() const
{
    FileFacts file;
    file.found = source_.Found();
    file.lineEnds = source_.LineEnds();
    file.bytes = source_.Bytes();
    file.lines = source_.Lines();
    file.otherLines = others_;
    file.runs = runs_;
    file.binary = source_.Binary();
    file.onlyZeros = source_.OnlyZeros();
    file.sawZero = source_.SawZero();
    file.likelyCodePage = LikelyCodePage();
    return file;
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
    Move end;
    end.kind = Move::END;
    Advance(end);
}

void LogReader::Emit(const Line& line, bool own, Phrase meaning)
{
    Move stands;
    stands.kind = Move::STANDS;
    stands.line = line.number;
    stands.own = own;
    stands.zeros = line.zeros > 0;
    Advance(stands);
    if (!words_)
        return;
    if (line.zeros)
        meaning = Sentence(W_ZEROS_IN_LINE, { Number(line.zeros), Sentence(meaning) });
    LineNote note { line.text, std::move(meaning), own, own ? run_.number : 0 };
    sink_.Note(line.number, note, line.length);
}

// Command line too long stands for the launch whose failure line comes next.
int LogReader::LaunchOfTooLong() const
{
    for (size_t i = 0; i < count_; ++i) { // the line itself is taken off already
        const GrammarRow* row = OwnRow(Pending(i).text);
        if (row && row->record == REC_FAILURE)
            return LaunchOfRow(*row);
        if (row)
            break;
    }
    // No failure line to go by: the next launch in the order.
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (inRun_ && IsLater(run_.step, StepOf(i, PHASE_TOO_LONG)) && RowOf(run_.step).follows)
            return i;
    return LAUNCH_FAX;
}
