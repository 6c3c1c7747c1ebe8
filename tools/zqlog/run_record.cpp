// A run's record, built from what the reader kept of it and the order table.
#include "run_record.h"

#include <string.h>

#include "log_reader.h"
#include "support/log_texts.h"
#include "wording.h"

namespace {

std::string Number(long n)
{
    return std::to_string(n);
}

const Stage kLaunchStage[LAUNCH_COUNT] = { STAGE_FAX, STAGE_PRINTER, STAGE_DRIVER_TOOL_FAX, STAGE_DRIVER_TOOL_PRINTER };

} // namespace

const char* VerdictId(Verdict verdict)
{
    static const char* const kIds[] = { "ok", "failed", "incomplete" };
    return kIds[verdict];
}

const char* StageId(Stage stage)
{
    static const char* const kIds[]
        = { "settings", "spooler", "fax_decision", "fax", "printer", "driver_tool_fax", "driver_tool_printer" };
    return kIds[stage];
}

const char* StageName(Stage stage)
{
    static const char* const kNames[]
        = { "settings", "spooler", "fax decision", "fax", "printer", "driver tool (fax)", "driver tool (printer)" };
    return kNames[stage];
}

const char* StateId(StageState state)
{
    static const char* const kIds[] = { "done", "failed", "not_made", "not_reached", "unfinished", "unknown" };
    return kIds[state];
}

RunRecord BuildRecord(const LogReader& reader)
{
    const RunState& run = reader.run_;
    const bool words = reader.causes_;
    const LaunchState* l = run.launches;
    RunRecord record;
    record.run = run.number;
    record.firstLine = run.first;
    record.lastLine = run.last;
    // The cause is put into words only when words are asked for.
    auto put = [&](Stage stage, StageState state, long line, auto cause) {
        record.stages[stage].state = state;
        record.stages[stage].line = line;
        if (words)
            record.stages[stage].cause = cause();
    };
#define SET(stage, state, line, ...) put(stage, state, line, [&]() -> std::string { return __VA_ARGS__; })
    bool pastSettings = run.spooler || run.faxFlagLine;
    for (const LaunchState& launch : run.launches)
        pastSettings = pastSettings || launch.phase != PHASE_NONE;
    const std::string unknown
        = words && run.headless ? "unknown: the run's lines before line " + Number(run.first) + " are missing" : "";

    // Settings.
    if (run.settingsEnd)
        SET(STAGE_SETTINGS, STATE_FAILED, run.settingsLine,
            "line " + Number(run.settingsLine) + ": " + run.settingsEnd->summary);
    else if (run.headless || !pastSettings)
        SET(STAGE_SETTINGS, STATE_UNKNOWN, 0, run.headless ? unknown : "no line of the settings or later stages");
    else {
        std::string settings;
        if (words && l[LAUNCH_PRINTER].command && l[LAUNCH_PRINTER].dir.empty())
            settings = "ProgramDir not read: the install root key did not open";
        if (words && l[LAUNCH_PRINTER_TOOL].command && l[LAUNCH_PRINTER_TOOL].arg.empty())
            settings += std::string(settings.empty() ? "" : "; ")
                + (reader.PrinterKeyOpened() ? "Driver Name under the printer key is empty"
                                             : "Driver Name not read (the printer key did not open) or empty");
        SET(STAGE_SETTINGS, STATE_DONE, 0, settings.empty() ? "read" : settings);
    }
    // Spooler.
    if (run.spooler)
        SET(STAGE_SPOOLER, strcmp(run.spooler->text, LOG_SPOOLER_NOT_RUNNING) == 0 ? STATE_FAILED : STATE_DONE,
            run.spoolerLine, "line " + Number(run.spoolerLine) + ": " + run.spooler->summary);
    else if (run.headless && run.firstStep > STEP_SPOOLER)
        SET(STAGE_SPOOLER, STATE_UNKNOWN, 0, unknown);
    else if (pastSettings)
        SET(STAGE_SPOOLER, STATE_NOT_MADE, 0, "no line (see system)");
    else
        SET(STAGE_SPOOLER, STATE_NOT_REACHED, 0, "not reached");
    // Fax decision.
    if (run.faxFlagLine)
        SET(STAGE_FAX_DECISION, STATE_DONE, run.faxFlagLine,
            "line " + Number(run.faxFlagLine) + ": fax on, the fax key has no No Fax Function value");
    else if (run.headless && run.firstStep > STEP_FAX_FLAG)
        SET(STAGE_FAX_DECISION, STATE_UNKNOWN, 0, unknown);
    else if (l[LAUNCH_FAX].phase != PHASE_NONE)
        SET(STAGE_FAX_DECISION, STATE_DONE, 0,
            "fax on: No Fax Function was read and is not TRUE, or the fax key did not open");
    else if (reader.NoFaxKey())
        SET(STAGE_FAX_DECISION, STATE_NOT_MADE, 0, "no fax stage: the key path has no Printer in it");
    else if (reader.FaxKeyShown())
        SET(STAGE_FAX_DECISION, STATE_DONE, 0,
            "no fax: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)");
    else if (l[LAUNCH_PRINTER].phase != PHASE_NONE)
        SET(STAGE_FAX_DECISION, STATE_DONE, 0, "no fax: No Fax Function is TRUE, or the key path has no Printer in it");
    else if (l[LAUNCH_FAX_TOOL].phase != PHASE_NONE || l[LAUNCH_PRINTER_TOOL].phase != PHASE_NONE)
        SET(STAGE_FAX_DECISION, STATE_UNKNOWN, 0,
            "no fax launch in this run's lines: No Fax Function is TRUE, the key path has no Printer in it, or the "
            "launch's lines were lost");
    else
        SET(STAGE_FAX_DECISION, STATE_NOT_REACHED, 0, "not reached");

    // The launches.
    const bool printed = l[LAUNCH_PRINTER].command || l[LAUNCH_PRINTER].phase == PHASE_FAILED;
    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const LaunchState& launch = l[i];
        const LaunchMeaning& meaning = LaunchOf(i);
        const Stage stage = kLaunchStage[i];
        bool later = false;
        for (int j = i + 1; j < LAUNCH_COUNT; ++j)
            later = later || l[j].phase != PHASE_NONE;
        if (run.headless && StepOf(i, PHASE_FAILED) < run.firstStep && launch.phase == PHASE_NONE)
            SET(stage, STATE_UNKNOWN, 0, unknown);
        else if (launch.phase == PHASE_NONE) {
            if (i == LAUNCH_FAX && reader.NoFaxKey())
                SET(stage, STATE_NOT_MADE, 0, "not made: the key path has no Printer in it, so there is no fax key");
            else if (i == LAUNCH_FAX && later && reader.FaxKeyShown())
                SET(stage, STATE_NOT_MADE, 0,
                    "not made: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)");
            else if (i == LAUNCH_FAX && later)
                SET(stage, STATE_NOT_MADE, 0, meaning.notMade);
            else if (later)
                SET(stage, STATE_UNKNOWN, 0, "not made: its lines are missing");
            else if (i == LAUNCH_FAX_TOOL && printed)
                SET(stage, STATE_NOT_MADE, 0, kWords.notMadeDriverTool);
            else if (i == LAUNCH_PRINTER_TOOL && printed && l[LAUNCH_FAX_TOOL].phase == PHASE_NONE)
                SET(stage, STATE_NOT_MADE, 0, kWords.notMadeDriverTool);
            else
                SET(stage, STATE_NOT_REACHED, 0, "not reached");
        } else if (launch.phase == PHASE_FAILED) {
            std::string cause;
            if (words) {
                cause = "failed at line " + Number(launch.failedLine) + ": " + reader.FailureMeaning(i);
                if (launch.cause == PHASE_SYSTEM_TEXT || launch.cause == PHASE_WARNED
                    || launch.cause == PHASE_WARNED_COMMAND)
                    cause += " (the system said: " + launch.systemText + ")";
            }
            SET(stage, STATE_FAILED, launch.line ? launch.line : launch.failedLine, cause);
        } else if (launch.phase == PHASE_ANNOUNCED)
            SET(stage, STATE_UNKNOWN, launch.line,
                "announced at line " + Number(launch.line) + ", but its command line is missing");
        else if (launch.phase == PHASE_TOO_LONG)
            SET(stage, STATE_FAILED, launch.line, "not started: " + std::string(meaning.tooLong));
        else if (launch.phase == PHASE_SYSTEM_TEXT || launch.phase == PHASE_WARNED
            || launch.phase == PHASE_WARNED_COMMAND)
            SET(stage, STATE_FAILED, launch.line,
                "did not start (announced at line " + Number(launch.line) + "; the system said: " + launch.systemText
                    + "), and no error line follows");
        else
            SET(stage, STATE_DONE, launch.line,
                "started at line " + Number(launch.line)
                    + (meaning.addPrinter ? ", ran and reported no failure" : ", not waited for"));
        if (i == LAUNCH_FAX && run.faxNameLine) {
            record.stages[stage].cause
                += words ? "; its Driver Name could not be read (line " + Number(run.faxNameLine) + ")" : "";
            if (record.stages[stage].state == STATE_DONE)
                record.stages[stage].state = STATE_FAILED;
        }
    }

    // Where the run stops, and the verdict.
    const StepRow& end = RowOf(run.step);
    if (!end.mayEnd) {
        record.verdict = VERDICT_INCOMPLETE;
        Stage at = STAGE_FAX_DECISION;
        if (end.launch >= 0 && end.phase != PHASE_FAILED)
            at = kLaunchStage[end.launch];
        else if (end.launch >= 0)
            at = kLaunchStage[end.launch + 1];
        else if (run.step == STEP_FAX_FLAG)
            at = STAGE_FAX;
        else if (run.step == STEP_FAX_NAME)
            at = STAGE_PRINTER;
        StageRecord& stage = record.stages[at];
        stage.state = STATE_UNFINISHED;
        record.why = std::string("the run stops at line ") + Number(run.last)
            + ", where the program cannot stop: " + StageName(at) + " unfinished";
        if (words) {
            stage.cause = std::string("unfinished: ") + kWords.stopped[run.step]
                + " (the program or the whole setup was ended, the machine restarted, the log was copied while the run "
                  "went on, or the lines after line "
                + Number(run.last) + " were lost)";
        }
    } else {
        bool failed = run.nullLine != 0;
        for (const StageRecord& stage : record.stages)
            failed = failed || stage.state == STATE_FAILED;
        const bool printerEnd
            = run.step == StepOf(LAUNCH_PRINTER, PHASE_COMMAND) || run.step == StepOf(LAUNCH_PRINTER, PHASE_FAILED);
        if (failed || printerEnd)
            record.verdict = VERDICT_FAILED;
        if (words && printerEnd) {
            record.stages[STAGE_PRINTER].cause += std::string("; ") + kWords.printerEnd
                + kWords.printerEndLikelier[reader.driverToolsSeen_ ? 1
                        : reader.printerEndsSeen_                   ? 2
                                                                    : 0];
            record.notes.push_back(std::string(kWords.printerEnd)
                + kWords.printerEndLikelier[reader.driverToolsSeen_ ? 1
                        : reader.printerEndsSeen_                   ? 2
                                                                    : 0]);
        }
        if (failed) {
            for (int s = 0; s < STAGE_COUNT && record.why.empty(); ++s)
                if (record.stages[s].state == STATE_FAILED)
                    record.why = std::string(StageName((Stage)s)) + " failed";
            if (record.why.empty() && run.nullLine)
                record.why = "a CRITICAL ERROR line at line " + Number(run.nullLine);
        } else if (printerEnd)
            record.why = "ends after the printer stage, with no driver-tool launch";
    }
    if (!words)
        return record;

    // Notes: findings with no failure line.
    if (run.headless)
        record.notes.push_back(kWords.headless);
    if (!run.gaps.empty())
        record.notes.push_back(std::string(kWords.lost) + ": " + run.gaps);
    if (run.interleaves)
        record.notes.push_back(kWords.interleave);
    if (run.zeroLines)
        record.notes.push_back(kWords.zeros);
    if (run.gluedLines)
        record.notes.push_back(kWords.glued);
    if (run.cutLines)
        record.notes.push_back(kWords.cut);
    if (l[LAUNCH_FAX_TOOL].command && l[LAUNCH_FAX_TOOL].arg.empty() && l[LAUNCH_FAX].phase != PHASE_NONE
        && !run.faxNameLine)
        record.notes.push_back(kWords.emptyFaxName);
    if ((l[LAUNCH_PRINTER].command && l[LAUNCH_PRINTER].dir.empty())
        || (l[LAUNCH_FAX].command && l[LAUNCH_FAX].dir.empty()))
        record.notes.push_back(kWords.emptyProgramDir);
    if (run.nullLine)
        record.notes.push_back(std::string(kWords.nullText) + " (line " + Number(run.nullLine) + ")");
    if (run.others)
        record.notes.push_back(std::string(kWords.others) + ": " + Number(run.others));
    record.system = reader.SystemShown();
    return record;
}
