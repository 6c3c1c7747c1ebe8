// What the rest of the log shows of a launch: the meaning of its command
// line, the keys it shows, and where the same program started.
#include <string.h>

#include "install/key_paths.h"
#include "evidence.h"

#include <stdlib.h>

#include "meanings.h"
#include "start_errors.h"
#include "wording.h"
#include "support/log_texts.h"
#include "words.h"

namespace {

const size_t kStartedKept = 32; // programs kept that started in earlier runs

// The tool's name as the command line holds it: \zqntadd.exe".
const std::string kAddPrinterTool(LOG_ADD_PRINTER_TOOL, strlen(LOG_ADD_PRINTER_TOOL) - 1);

bool HasStarted(const LaunchState& launch)
{
    return launch.command && !launch.cut && launch.cause != PHASE_SYSTEM_TEXT && launch.cause != PHASE_WARNED
        && launch.cause != PHASE_WARNED_COMMAND && !launch.dir.empty();
}

// Where the launch started, and in which run. Of two runs that cannot be
// told apart, an add-printer start is the run's by its command line; a driver
// tool's start is either run's (run 0).
LogFacts::Started StartOf(const RunState& run, int i, bool tied)
{
    const LaunchState& launch = run.launches[i];
    const bool addPrinter = LaunchOf(i).addPrinter;
    if (!tied)
        return { addPrinter, launch.dir, launch.line, run.number };
    return { addPrinter, launch.dir, addPrinter ? launch.commandLine : launch.line, addPrinter ? run.number : 0 };
}

} // namespace

// The same program started elsewhere in this run, or in another run of the
// log: its path was right then.
LogFacts::Started StartedAt(const RunFacts& facts, int index)
{
    const RunState& run_ = facts.run;
    const bool addPrinter = LaunchOf(index).addPrinter;
    const std::string& dir = run_.launches[index].dir;
    if (dir.empty())
        return { addPrinter, dir, 0, 0 };
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (i != index && LaunchOf(i).addPrinter == addPrinter && HasStarted(run_.launches[i])
            && run_.launches[i].dir == dir)
            return StartOf(run_, i, facts.tied != nullptr);
    for (const LogFacts::Started& started : facts.known.started)
        if (started.addPrinter == addPrinter && started.dir == dir && started.run != run_.number)
            return started;
    return { addPrinter, dir, 0, 0 };
}

// The run's started programs, each kept once, for later runs.
void KeepStarted(const RunState& run_, LogFacts* facts)
{
    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const LaunchState& launch = run_.launches[i];
        if (!HasStarted(launch))
            continue;
        bool kept = false;
        for (const LogFacts::Started& started : facts->started)
            kept = kept || (started.addPrinter == LaunchOf(i).addPrinter && started.dir == launch.dir);
        if (kept)
            continue;
        if (facts->started.size() == kStartedKept)
            facts->started.erase(facts->started.begin());
        facts->started.push_back(StartOf(run_, i, run_.Tied()));
    }
    if (run_.launches[LAUNCH_FAX_TOOL].command || run_.launches[LAUNCH_PRINTER_TOOL].command) {
        facts->firstDriverToolRun = facts->firstDriverToolRun ? facts->firstDriverToolRun : run_.number;
        facts->lastDriverToolRun = run_.number;
    }
    if (!facts->firstPrinterEndRun
        && (run_.step == StepOf(LAUNCH_PRINTER, PHASE_COMMAND) || run_.step == StepOf(LAUNCH_PRINTER, PHASE_FAILED)))
        facts->firstPrinterEndRun = run_.number;
}

// Another run that launched a driver tool: a later one when the whole file was
// read ahead, else an earlier one; 0 for none.
int DriverToolRun(const RunFacts& facts)
{
    const LogFacts& known = facts.known;
    const RunState& run_ = facts.run;
    if (known.lastDriverToolRun && known.lastDriverToolRun != run_.number)
        return known.lastDriverToolRun;
    if (known.firstDriverToolRun && known.firstDriverToolRun != run_.number)
        return known.firstDriverToolRun;
    return 0;
}

// The key path came in double quotes: the program keeps them, so no key opens.
bool KeyPathQuoted(const RunState& run_)
{
    for (int i : { LAUNCH_FAX, LAUNCH_PRINTER })
        if (run_.launches[i].command && !run_.launches[i].arg.empty() && run_.launches[i].arg[0] == '"')
            return true;
    return false;
}

// ProgramDir was read from the install root key, and that is the printer key
// itself (a key path without Install\Printer): so the printer key opened.
bool PrinterKeyOpened(const RunFacts& facts)
{
    const RunState& run_ = facts.run;
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    char root[KEY_PATH_SIZE] = "";
    return printer.command && !printer.cut && !printer.dir.empty()
        && InstallRootKeyPath(printer.arg.c_str(), root, facts.isLead) && printer.arg == root;
}

// The printer launch's key path shows that there is a fax key.
bool FaxKeyShown(const RunFacts& facts)
{
    const RunState& run_ = facts.run;
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && FindText(printer.arg.c_str(), "Printer", facts.isLead);
}

// The printer launch's key path shows that there was no fax stage.
bool NoFaxKey(const RunFacts& facts)
{
    const RunState& run_ = facts.run;
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && !FindText(printer.arg.c_str(), "Printer", facts.isLead);
}

SystemId SystemIdShown(const RunFacts& facts)
{
    const RunState& run_ = facts.run;
    if (run_.spooler)
        return SYSTEM_NT4_OR_LATER;
    bool launched = run_.faxFlagLine != 0;
    for (const LaunchState& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    // An earlier run with a spooler line makes a dropped line likelier than another system.
    return run_.headless || !launched || facts.spoolerSeen ? SYSTEM_UNKNOWN : SYSTEM_9X_OR_NT351;
}

Phrase SystemShown(const RunFacts& facts)
{
    const RunState& run_ = facts.run;
    if (run_.spooler)
        return Sentence(W_SYSTEM_SPOOLER);
    if (run_.headless)
        return Sentence(W_SYSTEM_HEADLESS);
    bool launched = run_.faxFlagLine != 0;
    for (const LaunchState& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    if (!launched)
        return Sentence(run_.settingsEnd ? W_SYSTEM_NOTHING_SETTINGS : W_SYSTEM_NOTHING);
    if (facts.spoolerSeen)
        return Sentence(W_SYSTEM_DROPPED);
    std::string dir = run_.launches[LAUNCH_FAX_TOOL].dir;
    if (dir.empty())
        dir = run_.launches[LAUNCH_PRINTER_TOOL].dir;
    std::string lower;
    for (char c : dir)
        lower += (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    if (lower.size() >= 7 && lower.compare(lower.size() - 7, 7, "\\w32x86") == 0)
        return Sentence(W_SYSTEM_NT351);
    return Sentence(dir.empty() ? W_SYSTEM_9X_OR_NT351 : W_SYSTEM_9X);
}

// The program that did not start, why, and what to check, from the error
// and the evidence of the rest of the log.
LaunchFailure StartFailure(const RunFacts& facts, int index)
{
    const RunState& run_ = facts.run;
    const LaunchState& launch = run_.launches[index];
    const bool addPrinter = LaunchOf(index).addPrinter;
    const std::string program = addPrinter ? "\"" + launch.dir + kAddPrinterTool : launch.dir + LOG_DRIVER_TOOL;
    const StartErrorRow* row = launch.code.empty() ? StartErrorByText(launch.systemText)
                                                   : StartErrorByCode(strtol(launch.code.c_str(), nullptr, 10));
    LaunchFailure failure;
    if (addPrinter && launch.dir.empty() && KeyPathQuoted(run_)) {
        failure.cause = Sentence(kWords.quotedKeyCause);
        failure.advice = Sentence(kWords.quotedKeyAdvice);
        return failure;
    }
    // The install root key, from the printer launch's key path when it has come.
    char root[KEY_PATH_SIZE] = "";
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    if (addPrinter && printer.command && !printer.cut)
        InstallRootKeyPath(printer.arg.c_str(), root, facts.isLead);
    const std::string key = root[0] ? " HKEY_LOCAL_MACHINE\\" + std::string(root) : "";
    if (addPrinter && launch.dir.empty()) {
        failure.cause = Sentence(W_NO_PROGRAM_DIR_CAUSE, { key });
        failure.advice = Sentence(kWords.noProgramDirAdvice);
        return failure;
    }
    if (row)
        failure.cause = Sentence(W_COULD_NOT_START_ROW, { program, Sentence(row->meaning), std::to_string(row->code) });
    else if (!launch.code.empty())
        failure.cause = Sentence(W_COULD_NOT_START_CODE, { program, launch.code });
    else
        failure.cause = Sentence(W_COULD_NOT_START_TEXT, { program, launch.systemText });
    Sentence advice = Sentence(row ? (addPrinter ? row->addPrinter : row->driverTool)
                                   : (launch.code.empty() ? kWords.unknownTextAdvice : kWords.unknownCodeAdvice));
    advice.anchor = W_INSTALL_ROOT_KEY; // the key named where the advice names it
    advice.atAnchor = key;
    failure.advice = advice;
    const LogFacts::Started started = StartedAt(facts, index);
    if (started.line)
        failure.advice = (started.run ? Sentence(
                              W_STARTED_ELSEWHERE, { std::to_string(started.line), std::to_string(started.run) })
                                      : Sentence(W_STARTED_ELSEWHERE_RUN_UNTOLD, { std::to_string(started.line) }))
            + failure.advice;
    if (HasVariable(launch.dir))
        failure.advice = Sentence(W_UNEXPANDED_DIR) + failure.advice;
    return failure;
}

LaunchFailure FailureParts(const RunFacts& facts, int index)
{
    const LaunchMeaning& meaning = LaunchOf(index);
    if (facts.run.launches[index].causeUntold)
        return { Sentence(W_CAUSE_AMBIGUOUS), Sentence(W_ADVICE_FAILURE_CAUSE_AMBIGUOUS) };
    switch (facts.run.launches[index].cause) {
    case PHASE_SYSTEM_TEXT:
    case PHASE_WARNED:
    case PHASE_WARNED_COMMAND:
        return StartFailure(facts, index);
    case PHASE_COMMAND:
        return { Sentence(meaning.negativeExit), Sentence(meaning.negativeExitAdvice) };
    case PHASE_TOO_LONG:
        return { Sentence(W_NOT_STARTED, { Sentence(meaning.tooLong) }), Sentence(meaning.tooLongAdvice) };
    default:
        return { Sentence(kWords.commandMissing), Phrase() };
    }
}
