// The reader's command lines and system texts.
#include <stdlib.h>
#include <string.h>

#include "install/key_paths.h"
#include "evidence.h"
#include "log_reader.h"
#include "start_errors.h"
#include "support/log_texts.h"

namespace {

const size_t kSystemTextLines = 4; // a system text of more lines is not taken as one

bool EndsWith(const std::string& text, const char* end)
{
    size_t n = strlen(end);
    return text.size() >= n && text.compare(text.size() - n, n, end) == 0;
}

// The tools' names as the command lines hold them: \zqntadd.exe" and \zqdrvtl.exe.
const std::string kAddPrinterTool(LOG_ADD_PRINTER_TOOL, strlen(LOG_ADD_PRINTER_TOOL) - 1);
const std::string kAddPrinterFile = kAddPrinterTool.substr(1, kAddPrinterTool.size() - 2);
const std::string kDriverToolFile = std::string(LOG_DRIVER_TOOL).substr(1);

} // namespace

// text's first what, minding lead bytes; a plain search where there are none.
static const char* Find(const std::string& text, size_t from, const char* what, LeadByteTest isLead)
{
    if (isLead)
        return FindText(text.c_str() + from, what, isLead);
    const size_t at = text.find(what, from);
    return at == std::string::npos ? nullptr : text.c_str() + at;
}

// The command line of a launch: "<dir>\zqntadd.exe" <key path> or
// <dir>\zqdrvtl.exe /n:<name>.
bool LogReader::ParseCommand(int index, const std::string& text, std::string* dir, std::string* arg) const
{
    if (LaunchOf(index).addPrinter) {
        const char* found = text.size() > 1 && text[0] == '"' ? Find(text, 1, LOG_ADD_PRINTER_TOOL, isLead_) : nullptr;
        if (!found)
            return false;
        dir->assign(text, 1, found - (text.c_str() + 1));
        arg->assign(text, found - text.c_str() + strlen(LOG_ADD_PRINTER_TOOL), std::string::npos);
        return true;
    }
    const char* found = Find(text, 0, LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME, isLead_);
    if (!found)
        return false;
    dir->assign(text, 0, found - text.c_str());
    arg->assign(text, found - text.c_str() + strlen(LOG_DRIVER_TOOL LOG_DRIVER_TOOL_NAME), std::string::npos);
    return true;
}

// The command line of the launch announced.
bool LogReader::TakeCommandLine(const Line& line)
{
    const int index = CurrentLaunch();
    // A line that ends in one of the program's texts is a cut line joined to it.
    if (JoinedText(line.text))
        return false;
    std::string& dir = scratchDir_;
    std::string& arg = scratchArg_;
    if (!ParseCommand(index, line.text, &dir, &arg))
        return false;
    // The command line, or after the warning the command line again: the row
    // whose place may follow the launch's last line.
    // Without its line end it is the log's last line, cut short.
    if (HandsOver(index, dir, arg)) {
        Move hand;
        hand.kind = Move::HAND_OVER;
        hand.launch = index;
        Advance(hand);
    }
    Move move = CommandMove(index, dir, arg, !line.ended, line.number);
    move.damage = line.ended ? Move::WHOLE : Move::CUT_AT_END;
    const GrammarRow& again = RowOfToken(TOKEN_AGAIN, index);
    if (MayFollow(run_.step, PlaceOf(again, index)))
        move.row = &again;
    Advance(move);
    if (move.row == &again) {
        Emit(line, true, Sentence(again.meaning));
        return true;
    }
    if (!line.ended) {
        Emit(line, true, Sentence(W_COMMAND_CUT_AT_END));
        return true;
    }
    Emit(line, true, words_ ? CommandMeaning(index) : Phrase());
    return true;
}

// The command line of the launch at index, for Advance.
Move LogReader::CommandMove(int index, const std::string& dir, const std::string& arg, bool cut, long number) const
{
    Move move;
    move.row = &RowOfToken(TOKEN_COMMAND, index);
    move.launch = index;
    move.line = number;
    move.dir = &dir;
    move.arg = &arg;
    move.cut = cut;
    return move;
}

// A command line cut short with a later text of the program's joined to it,
// or an announcement cut short with its command line joined to it: the
// earlier line is cut, the later one whole. expected: the launch whose
// command line comes next, or -1.
bool LogReader::TakeJoinedCommand(const Line& line, int expected)
{
    const std::string& text = line.text;
    std::string dir, arg;
    const GrammarRow* later = JoinedText(text);
    if (later && expected >= 0) {
        const std::string cut = text.substr(0, text.size() - strlen(later->text));
        if (!ParseCommand(expected, cut, &dir, &arg))
            return false;
        Move move = CommandMove(expected, dir, arg, true, line.number);
        move.damage = Move::CUT;
        Advance(move);
        TakeOwnText(line, *later,
            Sentence(W_COMMAND_CUT_THEN_LATER,
                { Sentence(LaunchOf(expected).stage),
                    arg.empty() ? Sentence(W_ITS_TOOLS_NAME) : Sentence("\"" + arg + "\"") }));
        return true;
    }
    unsigned count;
    const GrammarRow* rows = FixedTexts(&count);
    for (unsigned i = 0; i < count; ++i) {
        if (rows[i].phase != PHASE_ANNOUNCED || text.empty() || text[0] != rows[i].text[0])
            continue;
        const size_t size = strlen(rows[i].text);
        // The announcement's start the line begins with: cut at any length up to that.
        size_t common = 0;
        while (common < size && common < text.size() && text[common] == rows[i].text[common])
            ++common;
        for (size_t k = 4; k <= common && k < size && k < text.size(); ++k)
            if (ParseCommand(LaunchOfRow(rows[i]), text.substr(k), &dir, &arg)) {
                const Phrase announced = TakeOwnText(line, rows[i], Phrase(), false);
                Move move = CommandMove(LaunchOfRow(rows[i]), dir, arg, false, line.number);
                move.damage = Move::CUT; // the announcement before it
                Advance(move);
                const Phrase command = words_ ? CommandMeaning(LaunchOfRow(rows[i])) : Phrase();
                Emit(line, true,
                    Sentence(W_ANNOUNCE_CUT_THEN_COMMAND, { rows[i].text, Sentence(announced), Sentence(command) }));
                return true;
            }
    }
    return false;
}

// Two runs at once: an add-printer command line whose folder and key the
// kept run's other add-printer command line shows, and the current run's
// does not, is the kept run's, and so is the announcement before it, which
// the current run took right after its last line and the kept run could.
bool LogReader::HandsOver(int launch, const std::string& dir, const std::string& arg) const
{
    const int announced = StepOf(launch, PHASE_ANNOUNCED);
    return parked_ && LaunchOf(launch).addPrinter && run_.step == announced && MayFollow(run_.stepBefore, announced)
        && Fits(parkedRun_, announced) && MayFollow(parkedRun_.step, announced)
        && ShowsPackage(parkedRun_, launch, dir, arg) && !ShowsPackage(run_, launch, dir, arg);
}

// The run's other add-printer command line has the same folder and the same
// key root.
bool LogReader::ShowsPackage(const RunState& run, int launch, const std::string& dir, const std::string& arg) const
{
    const LaunchState& other = run.launches[launch == LAUNCH_FAX ? LAUNCH_PRINTER : LAUNCH_FAX];
    return other.command && !other.cut && other.dir == dir && KeyRoot(other.arg) == KeyRoot(arg);
}

// What the fax key and the printer key of one key path share: the key path
// cut before its first Printer; the fax key without its Fax.
std::string LogReader::KeyRoot(const std::string& arg) const
{
    const char* printer = FindText(arg.c_str(), "Printer", isLead_);
    if (printer)
        return arg.substr(0, printer - arg.c_str());
    return EndsWith(arg, "Fax") ? arg.substr(0, arg.size() - 3) : arg;
}

// A fax key is the key path cut before its first Printer, with Fax after it.
bool LogReader::IsFaxKey(const std::string& arg) const
{
    return !FindText(arg.c_str(), "Printer", isLead_) && EndsWith(arg, "Fax");
}

// A line of the exact shape of a command line of the program's, where the
// order expects that launch, is its, though its announcement was lost.
bool LogReader::TakeUnannouncedCommand(const Line& line)
{
    if (!inRun_ || RowOf(run_.step).follows == 0 || JoinedText(line.text) || !IsCommandShape(line.text))
        return false;
    int index = -1;
    std::string dir, arg;
    if (ParseCommand(LAUNCH_PRINTER, line.text, &dir, &arg)) {
        if (arg.empty() || dir.find('"') != std::string::npos)
            return false;
        index = IsFaxKey(arg) ? LAUNCH_FAX : LAUNCH_PRINTER;
    } else if (ParseCommand(LAUNCH_FAX_TOOL, line.text, &dir, &arg)) {
        if (dir.empty() || dir.find('"') != std::string::npos)
            return false;
        index = IsLater(run_.step, StepOf(LAUNCH_FAX_TOOL, PHASE_COMMAND)) ? LAUNCH_FAX_TOOL : LAUNCH_PRINTER_TOOL;
    } else
        return false;
    const int step = StepOf(index, PHASE_COMMAND);
    if (!IsLater(run_.step, step) || run_.launches[index].phase != PHASE_NONE)
        return false;
    Move move = CommandMove(index, dir, arg, false, line.number);
    move.unannounced = true;
    const Phrase why = Advance(move);
    const Phrase meaning = words_ ? CommandMeaning(index) : Phrase();
    Emit(line, true,
        Sentence(W_UNANNOUNCED_COMMAND, { Sentence(why), Sentence(LaunchOf(index).stage), Sentence(meaning) }));
    return true;
}

// A system text: the lines right after a command line, up to the empty line
// that the program's own line end leaves after the text's.
bool LogReader::TakeSystemText()
{
    size_t end = 0;
    while (end < count_ && end < kSystemTextLines && !Pending(end).text.empty()
        && Pending(end).length == Pending(end).text.size() && !OwnRow(Pending(end).text)
        && !IsUnknownErrorLine(Pending(end).text))
        ++end;
    if (end == 0 || end >= count_)
        return false;
    if (!Pending(end).text.empty() || !Pending(end).ended)
        return parked_ && TakeTextApart(end);
    const int index = CurrentLaunch();
    // A failed start of the add-printer tool gives a negative status, so its
    // error line follows; without it the text is most likely the tool's own.
    const GrammarRow* next = end + 1 < count_ ? OwnRow(Pending(end + 1).text) : nullptr;
    const bool awaits = inRun_ && AwaitsStart(run_);
    const bool failureNext = awaits && next && next->record == REC_FAILURE && LaunchOfRow(*next) == index;
    // Two runs that wait for the same launch's start: either may have written it.
    const bool either = parked_ && AwaitsStart(parkedRun_) && RowOf(parkedRun_.step).launch == index;
    if ((!failureNext || either) && parked_ && TakeStrayText(end, end))
        return true;
    if (!awaits)
        return false;
    const LaunchState& launch = run_.launches[index];
    if (LaunchOf(index).addPrinter && !failureNext) {
        const std::string failed = index == LAUNCH_FAX ? LOG_FAX_FAILED : LOG_PRINTER_FAILED;
        for (size_t i = 0; i <= end; ++i) {
            Emit(PopFront(), false,
                Sentence(W_NO_FAILED_START, { Sentence(i < end ? W_TOOL_OUTPUT : W_EMPTY_LINE), failed }));
        }
        return true;
    }
    Move move;
    move.row = &RowOfToken(TOKEN_SYSTEM_TEXT, index);
    move.launch = index;
    move.line = Pending(0).number;
    scratchText_.clear();
    for (size_t i = 0; i < end; ++i)
        scratchText_.append(i ? " " : "").append(Pending(i).text);
    move.text = &scratchText_;
    Advance(move);
    // Its meaning is made only when the reader gives words (not for --summary).
    Phrase first;
    if (words_)
        first = Sentence(move.row->meaning,
            { LaunchOf(index).addPrinter ? "\"" + launch.dir + kAddPrinterTool : launch.dir + LOG_DRIVER_TOOL });
    for (size_t i = 0; i <= end; ++i) {
        const Line& line = PopFront();
        if (i < end) {
            Emit(line, true, i == 0 ? first : Phrase(Sentence(W_SYSTEM_TEXT_MORE)));
        } else {
            Emit(line, true, Sentence(W_SYSTEM_TEXT_END));
        }
    }
    return true;
}

// Two runs at once: a system's text after a command line, with a failure
// line of a launch that either run waits for ahead, is the program's; the
// failure line's run takes it, where that can be told (ClaimStrayText).
bool LogReader::TakeStrayText(size_t end, size_t empty)
{
    const GrammarRow* failure = nullptr;
    for (size_t i = empty + 1; i < count_ && !failure; ++i) {
        const GrammarRow* row = OwnRow(Pending(i).text);
        failure = row && row->record == REC_FAILURE ? row : nullptr;
    }
    auto waits = [failure](const RunState& run) {
        return AwaitsStart(run) && RowOf(run.step).launch == LaunchOfRow(*failure);
    };
    if (!failure || !((inRun_ && waits(run_)) || waits(parkedRun_)))
        return false;
    Move move;
    move.kind = Move::STRAY_TEXT;
    move.line = Pending(0).number;
    scratchText_.clear();
    for (size_t i = 0; i < end; ++i)
        scratchText_.append(i ? " " : "").append(Pending(i).text);
    move.text = &scratchText_;
    move.place = static_cast<int>(Pending(empty).number - move.line); // where its empty line stands
    Advance(move);
    for (size_t i = 0; i <= end; ++i)
        if (i < end || empty == end)
            Emit(PopFront(), true, Sentence(i == 0 ? W_STRAY_TEXT : i < end ? W_SYSTEM_TEXT_MORE : W_SYSTEM_TEXT_END));
    return true;
}

// Two runs at once: a system's text whose empty line stands past the other
// run's lines, right before a failure line.
bool LogReader::TakeTextApart(size_t end)
{
    auto others = [this](size_t i) { // a line of the program's that is no failure line
        const GrammarRow* row = OwnRow(Pending(i).text);
        return row ? row->record != REC_FAILURE : IsCommandShape(Pending(i).text);
    };
    for (size_t i = 0; i < end; ++i)
        if (others(i))
            end = i;
    size_t empty = end;
    while (empty < count_ && others(empty))
        ++empty;
    if (end == 0 || empty == end || empty + 1 >= count_ || !Pending(empty).text.empty() || !Pending(empty).ended)
        return false;
    const GrammarRow* failure = OwnRow(Pending(empty + 1).text);
    return failure && failure->record == REC_FAILURE && TakeStrayText(end, empty);
}

// What a command line says: ids of words, which the printers put into words.
Phrase LogReader::CommandMeaning(int index) const
{
    const LaunchState& launch = run_.launches[index];
    const LaunchState* l = run_.launches;
    if (LaunchOf(index).addPrinter) {
        Phrase meaning = Sentence(W_ADD_PRINTER_COMMAND, { kAddPrinterFile, launch.arg });
        if (launch.dir.empty())
            meaning += Sentence(W_PROGRAM_DIR_EMPTY);
        if (HasVariable(launch.dir))
            meaning += Phrase(". ") + Sentence(W_UNEXPANDED_DIR);
        return meaning;
    }
    const Phrase meaning = Sentence(W_DRIVER_TOOL_COMMAND, { launch.dir });
    if (!launch.arg.empty())
        return meaning + Sentence(W_FOR_THE_DRIVER, { launch.arg });
    if (index == LAUNCH_PRINTER_TOOL)
        return meaning + Sentence(PrinterKeyOpened(RunFactsNow()) ? W_NO_NAME_KEY_OPENED : W_NO_NAME_KEY_UNOPENED);
    if (l[LAUNCH_FAX].phase == PHASE_NONE && (run_.headless || run_.faxFlagLine))
        return meaning + Sentence(W_NO_NAME_HEADLESS);
    if (l[LAUNCH_FAX].phase == PHASE_NONE)
        return meaning + Sentence(FaxKeyShown(RunFactsNow()) ? W_NO_NAME_FAX_KEY_SHOWN : W_NO_NAME_AS_EXPECTED);
    if (run_.faxNameLine)
        return meaning + Sentence(W_NO_NAME_FAX_UNREAD, { std::to_string(run_.faxNameLine) });
    return meaning + Sentence(W_NO_NAME_FAX_KEY_UNOPENED);
}

// A failure line's cause and what to check, as the record has them.
Phrase LogReader::FailureMeaning(int index) const
{
    const LaunchFailure failure = FailureParts(RunFactsNow(), index);
    return failure.advice.empty() ? failure.cause : failure.cause + "; " + failure.advice;
}
