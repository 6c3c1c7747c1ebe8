// What the rest of the log shows of a launch: the meaning of its command
// line, the keys it shows, and where the same program started.
#include <string.h>

#include "install/key_paths.h"
#include "log_reader.h"
#include "support/log_texts.h"
#include "words.h"

namespace {

const size_t kStartedKept = 32; // programs kept that started in earlier runs

std::string Number(long n)
{
    return std::to_string(n);
}

const std::string kAddPrinterFile = std::string(LOG_ADD_PRINTER_TOOL).substr(1, strlen(LOG_ADD_PRINTER_TOOL) - 3);

bool HasStarted(const LaunchState& launch)
{
    return launch.command && !launch.cut && launch.cause != PHASE_SYSTEM_TEXT && launch.cause != PHASE_WARNED
        && launch.cause != PHASE_WARNED_COMMAND && !launch.dir.empty();
}

} // namespace

// The same program started elsewhere in this run, or in another run of the
// log: its path was right then.
LogFacts::Started LogReader::StartedAt(int index) const
{
    const bool addPrinter = LaunchOf(index).addPrinter;
    const std::string& dir = run_.launches[index].dir;
    if (dir.empty())
        return { addPrinter, dir, 0, 0 };
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (i != index && LaunchOf(i).addPrinter == addPrinter && HasStarted(run_.launches[i])
            && run_.launches[i].dir == dir)
            return { addPrinter, dir, run_.launches[i].line, run_.number };
    for (const LogFacts::Started& started : Known().started)
        if (started.addPrinter == addPrinter && started.dir == dir && started.run != run_.number)
            return started;
    return { addPrinter, dir, 0, 0 };
}

// The run's started programs, each kept once, for later runs.
void LogReader::KeepStarted()
{
    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const LaunchState& launch = run_.launches[i];
        if (!HasStarted(launch))
            continue;
        bool kept = false;
        for (const LogFacts::Started& started : facts_.started)
            kept = kept || (started.addPrinter == LaunchOf(i).addPrinter && started.dir == launch.dir);
        if (kept)
            continue;
        if (facts_.started.size() == kStartedKept)
            facts_.started.erase(facts_.started.begin());
        facts_.started.push_back({ LaunchOf(i).addPrinter, launch.dir, launch.line, run_.number });
    }
    if (run_.launches[LAUNCH_FAX_TOOL].command || run_.launches[LAUNCH_PRINTER_TOOL].command) {
        facts_.firstDriverToolRun = facts_.firstDriverToolRun ? facts_.firstDriverToolRun : run_.number;
        facts_.lastDriverToolRun = run_.number;
    }
    if (!facts_.firstPrinterEndRun
        && (run_.step == StepOf(LAUNCH_PRINTER, PHASE_COMMAND) || run_.step == StepOf(LAUNCH_PRINTER, PHASE_FAILED)))
        facts_.firstPrinterEndRun = run_.number;
}

// Another run that launched a driver tool: a later one when the whole file was
// read ahead, else an earlier one; 0 for none.
int LogReader::DriverToolRun() const
{
    const LogFacts& known = Known();
    if (known.lastDriverToolRun && known.lastDriverToolRun != run_.number)
        return known.lastDriverToolRun;
    if (known.firstDriverToolRun && known.firstDriverToolRun != run_.number)
        return known.firstDriverToolRun;
    return 0;
}

// The key path came in double quotes: the program keeps them, so no key opens.
bool LogReader::KeyPathQuoted() const
{
    for (int i : { LAUNCH_FAX, LAUNCH_PRINTER })
        if (run_.launches[i].command && !run_.launches[i].arg.empty() && run_.launches[i].arg[0] == '"')
            return true;
    return false;
}

// ProgramDir was read from the install root key, and that is the printer key
// itself (a key path without Install\Printer): so the printer key opened.
bool LogReader::PrinterKeyOpened() const
{
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    char root[KEY_PATH_SIZE] = "";
    return printer.command && !printer.cut && !printer.dir.empty()
        && InstallRootKeyPath(printer.arg.c_str(), root, isLead_) && printer.arg == root;
}

// The printer launch's key path shows that there is a fax key.
bool LogReader::FaxKeyShown() const
{
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && FindText(printer.arg.c_str(), "Printer", isLead_);
}

// The printer launch's key path shows that there was no fax stage.
bool LogReader::NoFaxKey() const
{
    const LaunchState& printer = run_.launches[LAUNCH_PRINTER];
    return printer.command && !printer.cut && !FindText(printer.arg.c_str(), "Printer", isLead_);
}

std::string LogReader::CommandMeaning(int index) const
{
    const LaunchState& launch = run_.launches[index];
    const LaunchState* l = run_.launches;
    if (LaunchOf(index).addPrinter) {
        std::string meaning = Say(W_ADD_PRINTER_COMMAND, { kAddPrinterFile, launch.arg });
        if (launch.dir.empty())
            meaning += Word(W_PROGRAM_DIR_EMPTY);
        if (HasVariable(launch.dir))
            meaning += ". " + UnexpandedDir();
        return meaning;
    }
    const std::string meaning = Say(W_DRIVER_TOOL_COMMAND, { launch.dir });
    if (!launch.arg.empty())
        return meaning + Say(W_FOR_THE_DRIVER, { launch.arg });
    if (index == LAUNCH_PRINTER_TOOL)
        return meaning + Word(PrinterKeyOpened() ? W_NO_NAME_KEY_OPENED : W_NO_NAME_KEY_UNOPENED);
    if (l[LAUNCH_FAX].phase == PHASE_NONE && (run_.headless || run_.faxFlagLine))
        return meaning + Word(W_NO_NAME_HEADLESS);
    if (l[LAUNCH_FAX].phase == PHASE_NONE)
        return meaning + Word(FaxKeyShown() ? W_NO_NAME_FAX_KEY_SHOWN : W_NO_NAME_AS_EXPECTED);
    if (run_.faxNameLine)
        return meaning + Say(W_NO_NAME_FAX_UNREAD, { Number(run_.faxNameLine) });
    return meaning + Word(W_NO_NAME_FAX_KEY_UNOPENED);
}

SystemId LogReader::SystemIdShown() const
{
    if (run_.spooler)
        return SYSTEM_NT4_OR_LATER;
    bool launched = run_.faxFlagLine != 0;
    for (const LaunchState& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    // An earlier run with a spooler line makes a dropped line likelier than another system.
    return run_.headless || !launched || spoolerSeen_ ? SYSTEM_UNKNOWN : SYSTEM_9X_OR_NT351;
}

std::string LogReader::SystemShown() const
{
    if (run_.spooler)
        return Word(W_SYSTEM_SPOOLER);
    if (run_.headless)
        return Word(W_SYSTEM_HEADLESS);
    bool launched = run_.faxFlagLine != 0;
    for (const LaunchState& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    if (!launched)
        return Word(run_.settingsEnd ? W_SYSTEM_NOTHING_SETTINGS : W_SYSTEM_NOTHING);
    if (spoolerSeen_)
        return Word(W_SYSTEM_DROPPED);
    std::string dir = run_.launches[LAUNCH_FAX_TOOL].dir;
    if (dir.empty())
        dir = run_.launches[LAUNCH_PRINTER_TOOL].dir;
    std::string lower;
    for (char c : dir)
        lower += (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    if (lower.size() >= 7 && lower.compare(lower.size() - 7, 7, "\\w32x86") == 0)
        return Word(W_SYSTEM_NT351);
    return Word(dir.empty() ? W_SYSTEM_9X_OR_NT351 : W_SYSTEM_9X);
}
