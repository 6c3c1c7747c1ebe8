// A run's record, built from what the reader kept of it and the order table:
// its stages' states, causes and advice; its verdict with its why id; its
// notes with their ids; and what its command lines show.
#include <stdlib.h>
#include <string.h>

#include "build_record.h"

#include "advice.h"
#include "evidence.h"
#include "indistinct.h"
#include "meanings.h"
#include "run_notes.h"
#include "shown_facts.h"
#include "start_errors.h"
#include "support/log_texts.h"
#include "wording.h"
#include "words.h"

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

const Stage kLaunchStage[LAUNCH_COUNT] = { STAGE_FAX, STAGE_PRINTER, STAGE_DRIVER_TOOL_FAX, STAGE_DRIVER_TOOL_PRINTER };

const char* FailureText(int launch)
{
    unsigned count;
    const GrammarRow* rows = FixedTexts(&count);
    for (unsigned i = 0; i < count; ++i)
        if (rows[i].record == REC_FAILURE && LaunchOfRow(rows[i]) == launch)
            return rows[i].text;
    return "";
}

// \zqntadd.exe, as a path ends with it.
const std::string kAddPrinterPath(LOG_ADD_PRINTER_TOOL, strlen(LOG_ADD_PRINTER_TOOL) - 2);

// What the system said of a failed start: its text, or, for the warning
// line, that it had none for the error's code.
Sentence SystemSaid(const LaunchState& launch)
{
    return launch.code.empty() ? Sentence(launch.systemText) : Sentence(W_NO_TEXT_FOR_ERROR, { launch.code });
}

bool StartFailed(Phase phase)
{
    return phase == PHASE_SYSTEM_TEXT || phase == PHASE_WARNED || phase == PHASE_WARNED_COMMAND;
}

} // namespace

class RecordBuilder {
public:
    explicit RecordBuilder(const RunFacts& facts)
        : facts_(facts)
        , run_(facts.run)
        , words_(facts.causes)
    {
        record_.run = run_.number;
        record_.firstLine = run_.first;
        record_.lastLine = run_.last;
    }
    RunRecord Build();

private:
    // The cause is put into words only when words are asked for.
    template <class Cause> void Put(Stage stage, StageState state, long line, Cause cause)
    {
        record_.stages[stage].state = state;
        record_.stages[stage].line = line;
        if (words_)
            record_.stages[stage].cause = cause();
    }
    bool PastSettings() const;
    // Of two runs that cannot be told apart, a line is the run's own only
    // where its own add-printer command line ties it to it; of two runs at
    // once, a driver-tool line only where no other run could have written it.
    bool Told(long line, int launch) const;
    long Kept(long line, int launch = -1) const { return Told(line, launch) ? line : 0; }
    Sentence LineSaid(long line, int launch = -1) const
    {
        return Told(line, launch) ? Sentence(Number(line)) : Sentence(W_LINE_NOT_KNOWN);
    }
    // Zero bytes after the run's last line: a crash lost its end.
    bool EndLost() const { return run_.crashTail || run_.crashBefore || run_.endCut; }
    void Settings();
    void Spooler();
    void FaxDecision();
    void Launch(int index);
    void LaunchNotMade(int index, Stage stage);
    void LaunchFailed(int index, Stage stage);
    void Unfinished();
    void Ended();
    WhyId FailedWhy() const;

    const RunFacts& facts_;
    const RunState& run_;
    const bool words_;
    RunRecord record_;
    Phrase unknown_; // the cause of a stage the lost first lines hide
};

bool RecordBuilder::Told(long line, int launch) const
{
    // A driver-tool line that the other of two runs at once could have
    // written is neither run's for sure.
    if (launch >= 0 && run_.launches[launch].unsure)
        return false;
    return !facts_.tied || LineOwn(run_, line, launch);
}

bool RecordBuilder::PastSettings() const
{
    bool past = run_.spooler || run_.faxFlagLine;
    for (const LaunchState& launch : run_.launches)
        past = past || launch.phase != PHASE_NONE;
    return past;
}

void RecordBuilder::Settings()
{
    const LaunchState* l = run_.launches;
    if (run_.settingsEnd) {
        Put(STAGE_SETTINGS, STATE_FAILED, Kept(run_.settingsLine), [&] {
            return Sentence(W_LINE_SAID, { LineSaid(run_.settingsLine), Sentence(run_.settingsEnd->summary) });
        });
        record_.stages[STAGE_SETTINGS].failureLine = run_.settingsEnd->text;
    } else if (run_.headless || !PastSettings())
        Put(STAGE_SETTINGS, STATE_UNKNOWN, 0,
            [&] { return run_.headless ? unknown_ : Sentence(kWords.noSettingsLine); });
    else {
        Put(STAGE_SETTINGS, STATE_DONE, 0, [&] {
            Phrase settings;
            if (l[LAUNCH_PRINTER].command && l[LAUNCH_PRINTER].dir.empty())
                settings = Sentence(KeyPathQuoted(run_) ? kWords.quotedKeySettings : kWords.noProgramDirSettings);
            if (l[LAUNCH_PRINTER_TOOL].command && !l[LAUNCH_PRINTER_TOOL].cut && l[LAUNCH_PRINTER_TOOL].arg.empty())
                settings += (settings.empty() ? Phrase() : Phrase("; "))
                    + Sentence(PrinterKeyOpened(facts_) ? kWords.emptyDriverName : kWords.driverNameUnread);
            return settings.empty() ? Phrase(Sentence(kWords.read)) : settings;
        });
    }
}

void RecordBuilder::Spooler()
{
    if (run_.spooler) {
        const bool failed = run_.spooler->why != WHY_NONE;
        Put(STAGE_SPOOLER, failed ? STATE_FAILED : STATE_DONE, Kept(run_.spoolerLine), [&] {
            return Sentence(W_LINE_SAID, { LineSaid(run_.spoolerLine), Sentence(run_.spooler->summary) });
        });
        if (failed)
            record_.stages[STAGE_SPOOLER].failureLine = run_.spooler->text;
    } else if (run_.headless && run_.firstStep > STEP_SPOOLER)
        Put(STAGE_SPOOLER, STATE_UNKNOWN, 0, [&] { return unknown_; });
    else if (PastSettings())
        Put(STAGE_SPOOLER, STATE_NOT_MADE, 0, [] { return Sentence(kWords.noSpoolerLine); });
    else
        Put(STAGE_SPOOLER, STATE_NOT_REACHED, 0, [] { return Sentence(kWords.notReached); });
}

void RecordBuilder::FaxDecision()
{
    const LaunchState* l = run_.launches;
    const Stage s = STAGE_FAX_DECISION;
    if (run_.faxFlagLine)
        Put(s, STATE_DONE, Kept(run_.faxFlagLine), [&] {
            return Sentence(W_LINE_SAID, { LineSaid(run_.faxFlagLine), Sentence(kWords.faxOn) });
        });
    else if (run_.headless && run_.firstStep > STEP_FAX_FLAG)
        Put(s, STATE_UNKNOWN, 0, [&] { return unknown_; });
    else if (l[LAUNCH_FAX].phase != PHASE_NONE)
        Put(s, STATE_DONE, 0, [] { return Sentence(kWords.faxOnNoLine); });
    else if (NoFaxKey(facts_))
        Put(s, STATE_NOT_MADE, 0, [] { return Sentence(kWords.noFaxStage); });
    else if (FaxKeyShown(facts_))
        Put(s, STATE_DONE, 0, [] { return Sentence(kWords.noFaxKeyShown); });
    else if (l[LAUNCH_PRINTER].phase != PHASE_NONE)
        Put(s, STATE_DONE, 0, [] { return Sentence(kWords.noFax); });
    else if (l[LAUNCH_FAX_TOOL].phase != PHASE_NONE || l[LAUNCH_PRINTER_TOOL].phase != PHASE_NONE)
        Put(s, STATE_UNKNOWN, 0, [] { return Sentence(kWords.noFaxLaunchSeen); });
    else
        Put(s, STATE_NOT_REACHED, 0, [] { return Sentence(kWords.notReached); });
}

void RecordBuilder::LaunchNotMade(int i, Stage stage)
{
    const LaunchState* l = run_.launches;
    bool later = false;
    for (int j = i + 1; j < LAUNCH_COUNT; ++j)
        later = later || l[j].phase != PHASE_NONE;
    const bool printed = l[LAUNCH_PRINTER].command || l[LAUNCH_PRINTER].phase == PHASE_FAILED;
    if (i == LAUNCH_FAX && NoFaxKey(facts_))
        Put(stage, STATE_NOT_MADE, 0, [] { return Sentence(kWords.notMadeNoFaxKey); });
    else if (i == LAUNCH_FAX && later && FaxKeyShown(facts_))
        Put(stage, STATE_NOT_MADE, 0, [] { return Sentence(kWords.notMadeNoFax); });
    else if (i == LAUNCH_FAX && later)
        Put(stage, STATE_NOT_MADE, 0, [] { return Sentence(W_NOT_MADE_FAX); });
    else if (later)
        Put(stage, STATE_UNKNOWN, 0, [] { return Sentence(kWords.notMadeLost); });
    else if (printed
        && (i == LAUNCH_FAX_TOOL || (i == LAUNCH_PRINTER_TOOL && l[LAUNCH_FAX_TOOL].phase == PHASE_NONE))) {
        // After the printer's error line its tool had ended: it cannot have hung.
        const WordId why
            = l[LAUNCH_PRINTER].phase == PHASE_FAILED ? W_NOT_MADE_DRIVER_TOOL_AFTER_FAILURE : kWords.notMadeDriverTool;
        Put(stage, STATE_NOT_MADE, 0, [why] { return Sentence(why); });
    } else
        Put(stage, STATE_NOT_REACHED, 0, [] { return Sentence(kWords.notReached); });
}

void RecordBuilder::LaunchFailed(int i, Stage stage)
{
    const LaunchState& launch = run_.launches[i];
    StageRecord& out = record_.stages[stage];
    StartErrorSeen& error = out.error;
    if (StartFailed(launch.cause) || StartFailed(launch.phase)) {
        error.present = true;
        error.text = launch.code.empty() ? launch.systemText : std::string(); // the warning has no system text
        const StartErrorRow* row = launch.code.empty() ? StartErrorByText(launch.systemText)
                                                       : StartErrorByCode(strtol(launch.code.c_str(), nullptr, 10));
        error.hasCode = row || !launch.code.empty();
        error.code = row ? row->code : strtol(launch.code.c_str(), nullptr, 10);
        error.known = row != nullptr;
    }
    if (launch.phase == PHASE_TOO_LONG) {
        Put(stage, STATE_FAILED, Kept(launch.line, i),
            [&] { return Sentence(W_NOT_STARTED, { Sentence(LaunchOf(i).tooLong) }); });
        out.advice = words_ ? Sentence(LaunchOf(i).tooLongAdvice) : "";
        return;
    }
    if (launch.phase != PHASE_FAILED) { // a failed start with no error line after it
        // A system text zqlog knows names its error by itself: read it as the error line would be.
        LaunchFailure failure;
        if (words_ && error.known)
            failure = StartFailure(facts_, i);
        Put(stage, STATE_FAILED, Kept(launch.line, i), [&] {
            return error.known ? Sentence(W_DID_NOT_START_KNOWN, { LineSaid(launch.line, i), Sentence(failure.cause) })
                               : Sentence(W_DID_NOT_START, { LineSaid(launch.line, i), SystemSaid(launch) });
        });
        out.advice = failure.advice;
        return;
    }
    out.failureLine = FailureText(i);
    LaunchFailure failure;
    if (words_)
        failure = FailureParts(facts_, i);
    Put(stage, STATE_FAILED, Kept(launch.line ? launch.line : launch.failedLine, i), [&] {
        return Sentence(W_FAILED_AT, { LineSaid(launch.failedLine, i), Sentence(failure.cause) });
    });
    out.advice = failure.advice;
}

void RecordBuilder::Launch(int i)
{
    const LaunchState& launch = run_.launches[i];
    const Stage stage = kLaunchStage[i];
    StageRecord& out = record_.stages[stage];
    // A command line cut at the log's end, or one the other of two runs at
    // once may have written, names nothing for sure.
    if (launch.command && run_.endCutLaunch != i && !launch.unsure) {
        out.command = true;
        out.program = launch.dir + (LaunchOf(i).addPrinter ? kAddPrinterPath : LOG_DRIVER_TOOL);
        out.arguments = LaunchOf(i).addPrinter ? launch.arg : std::string(LOG_DRIVER_TOOL_NAME).substr(1) + launch.arg;
    }
    if (run_.headless && StepOf(i, PHASE_FAILED) < run_.firstStep && launch.phase == PHASE_NONE)
        Put(stage, STATE_UNKNOWN, 0, [&] { return unknown_; });
    else if (launch.phase == PHASE_NONE)
        LaunchNotMade(i, stage);
    else if (launch.phase == PHASE_FAILED || launch.phase == PHASE_TOO_LONG || StartFailed(launch.phase))
        LaunchFailed(i, stage);
    else if (run_.endCutLaunch == i && launch.phase == PHASE_COMMAND)
        Put(stage, STATE_UNKNOWN, Kept(launch.line, i),
            [&] { return Sentence(W_CUT_COMMAND_UNKNOWN, { LineSaid(run_.last) }); });
    else if (launch.phase == PHASE_ANNOUNCED)
        Put(stage, STATE_UNKNOWN, Kept(launch.line, i),
            [&] { return Sentence(W_ANNOUNCED_AT, { LineSaid(launch.line, i) }); });
    else
        Put(stage, STATE_DONE, Kept(launch.line, i), [&] {
            return Sentence(
                LaunchOf(i).addPrinter ? W_STARTED_AT_RAN : W_STARTED_AT_NOT_WAITED, { LineSaid(launch.line, i) });
        });
    if (i == LAUNCH_FAX && run_.faxNameLine) {
        out.cause += words_ ? Sentence(W_FAX_NAME_UNREAD_AT, { LineSaid(run_.faxNameLine) }) : "";
        if (out.state == STATE_DONE) {
            out.state = STATE_FAILED;
            out.failureLine = LOG_NO_FAX_NAME;
        }
    }
}

// A run that stops where the program cannot stop.
void RecordBuilder::Unfinished()
{
    const StepRow& end = RowOf(run_.step);
    record_.verdict = VERDICT_INCOMPLETE;
    record_.whyId = EndLost() ? WHY_LOG_END_LOST : run_.interleaves ? WHY_INTERLEAVED : WHY_STOPPED;
    Stage at = STAGE_FAX_DECISION;
    if (end.launch >= 0 && end.phase != PHASE_FAILED)
        at = kLaunchStage[end.launch];
    else if (end.launch >= 0)
        at = kLaunchStage[end.launch + 1];
    else if (run_.step == STEP_FAX_FLAG)
        at = STAGE_FAX;
    else if (run_.step == STEP_FAX_NAME)
        at = STAGE_PRINTER;
    StageRecord& stage = record_.stages[at];
    stage.state = STATE_UNFINISHED;
    record_.why = Sentence(W_STOPS_AT, { LineSaid(run_.last), Sentence(StageWord(at)) });
    if (words_)
        stage.cause = Sentence(W_UNFINISHED, { Sentence(RowOf(run_.step).stopped), LineSaid(run_.last) });
}

WhyId RecordBuilder::FailedWhy() const
{
    if (run_.settingsEnd)
        return run_.settingsEnd->why;
    if (KeyPathQuoted(run_))
        return WHY_KEY_PATH_QUOTED;
    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const LaunchState& launch = run_.launches[i];
        if (launch.phase == PHASE_TOO_LONG || launch.cause == PHASE_TOO_LONG)
            return WHY_COMMAND_TOO_LONG;
        if (StartFailed(launch.cause) || StartFailed(launch.phase))
            return i == LAUNCH_FAX    ? WHY_FAX_START_FAILED
                : i == LAUNCH_PRINTER ? WHY_PRINTER_START_FAILED
                                      : WHY_DRIVER_TOOL_START_FAILED;
        if (launch.phase == PHASE_FAILED && launch.causeUntold)
            return WHY_FAILURE_CAUSE_AMBIGUOUS;
        if (launch.phase == PHASE_FAILED && launch.cause == PHASE_COMMAND && i < LAUNCH_FAX_TOOL)
            return i == LAUNCH_FAX ? WHY_FAX_TOOL_FAILED : WHY_PRINTER_TOOL_FAILED;
        if (launch.phase == PHASE_FAILED)
            return WHY_FAILURE_CAUSE_LOST;
        if (i == LAUNCH_FAX && run_.faxNameLine)
            return WHY_FAX_NAME_UNREAD;
    }
    if (record_.stages[STAGE_SPOOLER].state == STATE_FAILED)
        return WHY_SPOOLER_NOT_OPENED;
    return run_.nullLine ? WHY_NULL_TEXT : WHY_ENDS_AFTER_PRINTER;
}

// A run that stops where the program may stop.
void RecordBuilder::Ended()
{
    bool failed = run_.nullLine != 0;
    for (const StageRecord& stage : record_.stages)
        failed = failed || stage.state == STATE_FAILED;
    const bool printerEnd
        = run_.step == StepOf(LAUNCH_PRINTER, PHASE_COMMAND) || run_.step == StepOf(LAUNCH_PRINTER, PHASE_FAILED);
    if (!failed && ((printerEnd && (EndLost() || run_.interleaves)) || run_.endCut)) {
        // No failure line shows a failure: the log's end was lost, or another run's lines stand here.
        record_.verdict = VERDICT_INCOMPLETE;
        record_.whyId = EndLost() ? WHY_LOG_END_LOST : WHY_INTERLEAVED;
        const bool crash = run_.crashTail || run_.crashBefore;
        record_.why = Sentence(crash ? W_WHY_CRASH : run_.endCut ? W_WHY_END_CUT : kWords.why[record_.whyId]);
        // The driver tools' lines may have stood where the lost end is: not "not made".
        for (Stage s : { STAGE_DRIVER_TOOL_FAX, STAGE_DRIVER_TOOL_PRINTER })
            if (EndLost() && record_.stages[s].state == STATE_NOT_MADE)
                Put(s, STATE_UNKNOWN, 0,
                    [&] { return Sentence(crash ? W_LOST_IN_CRASH : W_LOST_AT_CUT, { Number(run_.last) }); });
        return;
    }
    if (words_ && printerEnd) {
        // After the printer's error line its tool had ended: it cannot have hung.
        const bool afterFailure = run_.step == StepOf(LAUNCH_PRINTER, PHASE_FAILED);
        const int other = DriverToolRun(facts_);
        const Phrase likelier = other
            ? Phrase(Sentence(afterFailure ? W_PRINTER_END_LIKELIER_ENDED : kWords.printerEndLikelier[1]))
                + Number(other) + Sentence(kWords.printerEndRunSaw)
            : facts_.known.firstPrinterEndRun && facts_.known.firstPrinterEndRun != run_.number
            ? Phrase(Sentence(kWords.printerEndLikelier[facts_.laterSeen ? 2 : 4]))
            : Phrase(Sentence(kWords.printerEndLikelier[facts_.laterSeen ? 0 : 3]));
        const Phrase ends = Sentence(afterFailure ? W_PRINTER_END_AFTER_FAILURE : kWords.printerEnd) + likelier;
        record_.stages[STAGE_PRINTER].cause += "; " + ends;
        record_.notes.push_back({ NOTE_ENDS_AFTER_PRINTER, ends });
    }
    if (!failed && !printerEnd)
        return;
    record_.verdict = VERDICT_FAILED;
    record_.whyId = failed ? FailedWhy() : WHY_ENDS_AFTER_PRINTER;
    for (int s = 0; s < STAGE_COUNT && record_.why.empty(); ++s)
        if (record_.stages[s].state == STATE_FAILED)
            record_.why = Sentence(W_STAGE_FAILED, { Sentence(StageWord((Stage)s)) });
    if (record_.why.empty() && run_.nullLine)
        record_.why = Sentence(W_CRITICAL_AT, { Number(run_.nullLine) });
    if (record_.why.empty())
        record_.why = Sentence(kWords.why[WHY_ENDS_AFTER_PRINTER]);
}

RunRecord RecordBuilder::Build()
{
    if (words_ && run_.headless)
        unknown_ = Sentence(W_HEADLESS_UNKNOWN, { Number(run_.first) });
    Settings();
    Spooler();
    FaxDecision();
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        Launch(i);
    if (!RowOf(run_.step).mayEnd)
        Unfinished();
    else
        Ended();
    if (words_) {
        Advise(&record_, RowOf(run_.step).stopped);
        const std::vector<RunNote> notes = RunNotes(facts_, record_.verdict);
        record_.notes.insert(record_.notes.end(), notes.begin(), notes.end());
    }
    AddShownFacts(facts_, words_, &record_);
    return std::move(record_); // built once: moved, not copied
}

RunRecord BuildRecord(const RunFacts& facts)
{
    return RecordBuilder(facts).Build();
}
