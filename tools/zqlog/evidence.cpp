// What the rest of the log shows of a launch: the meaning of its command
// line, the keys it shows, and where the same program started.
#include <string.h>

#include "install/key_paths.h"
#include "log_reader.h"
#include "support/log_texts.h"

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

long LogReader::StartedAt(int index) const
{
    const bool addPrinter = LaunchOf(index).addPrinter;
    const std::string& dir = run_.launches[index].dir;
    if (dir.empty())
        return 0;
    for (int i = 0; i < LAUNCH_COUNT; ++i)
        if (i != index && LaunchOf(i).addPrinter == addPrinter && HasStarted(run_.launches[i])
            && run_.launches[i].dir == dir)
            return run_.launches[i].line;
    for (const Started& started : started_)
        if (started.addPrinter == addPrinter && started.dir == dir)
            return started.line;
    return 0;
}

void LogReader::KeepStarted()
{
    for (int i = 0; i < LAUNCH_COUNT; ++i) {
        const LaunchState& launch = run_.launches[i];
        if (!HasStarted(launch) || StartedAt(i))
            continue;
        if (started_.size() == kStartedKept)
            started_.erase(started_.begin());
        started_.push_back({ LaunchOf(i).addPrinter, launch.dir, launch.line });
    }
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
        std::string meaning = "the add-printer tool " + kAddPrinterFile + " in ProgramDir, for the key " + launch.arg;
        if (launch.dir.empty())
            meaning += ". ProgramDir stands empty: the install root key did not open (missing, or no full access "
                       "for this user), so ProgramDir was never read and the tool is looked for at the drive's root";
        if (HasVariable(launch.dir))
            meaning += ". " + UnexpandedDir();
        return meaning;
    }
    std::string meaning = "the driver-directory tool in the running system's printer driver directory " + launch.dir;
    if (!launch.arg.empty())
        return meaning + ", for the driver " + launch.arg;
    if (index == LAUNCH_PRINTER_TOOL && PrinterKeyOpened())
        return meaning
            + ", with no name after /n:: the printer key's Driver Name is empty (the key opened: ProgramDir was read "
              "from it). Check Driver Name under the printer key";
    if (index == LAUNCH_PRINTER_TOOL)
        return meaning
            + ", with no name after /n:: the printer key did not open (missing, or no full access for "
              "this user), so its Driver Name was never read, or its Driver Name is empty. Check the key path and "
              "Driver Name under it";
    if (l[LAUNCH_FAX].phase == PHASE_NONE && (run_.headless || run_.faxFlagLine))
        return meaning
            + ", with no name after /n:: no fax launch is in this run's lines, but lines before it are missing, so "
              "the order cannot tell whether the run made none (then no name is expected) or the fax key's Driver "
              "Name was not read";
    if (l[LAUNCH_FAX].phase == PHASE_NONE)
        return meaning + ", with no name after /n:, as expected: this run made no fax launch (No Fax Function is TRUE"
            + (FaxKeyShown() ? ")" : ", or the key path has no Printer in it)");
    if (run_.faxNameLine)
        return meaning + ", with no name after /n:: the fax Driver Name could not be read (line "
            + Number(run_.faxNameLine) + ")";
    return meaning
        + ", with no name after /n:: the fax key did not open for its Driver Name (missing, or no full "
          "access for this user), so no name was read. Check the fax key";
}

std::string LogReader::SystemShown() const
{
    if (run_.spooler)
        return "NT 4.0 or later: the run has a spooler line";
    if (run_.headless)
        return "not shown: the run's first lines, where a spooler line would stand, are missing";
    bool launched = run_.faxFlagLine != 0;
    for (const LaunchState& launch : run_.launches)
        launched = launched || launch.phase != PHASE_NONE;
    if (!launched)
        return run_.settingsEnd ? "nothing: the run ended before the spooler stage" : "nothing";
    if (spoolerSeen_)
        return "no spooler line: most likely it was dropped, since an earlier run in this log has one (the log "
               "lives in one Windows directory); else Windows 9x or NT 3.51";
    std::string dir = run_.launches[LAUNCH_FAX_TOOL].dir;
    if (dir.empty())
        dir = run_.launches[LAUNCH_PRINTER_TOOL].dir;
    std::string lower;
    for (char c : dir)
        lower += (c >= 'A' && c <= 'Z') ? (char)(c - 'A' + 'a') : c;
    if (lower.size() >= 7 && lower.compare(lower.size() - 7, 7, "\\w32x86") == 0)
        return "no spooler line, and an NT driver directory: NT 3.51 is likely, unless the line was dropped";
    if (!dir.empty())
        return "no spooler line, and a driver directory that is not NT's: Windows 9x is likely, unless the line "
               "was dropped";
    return "no spooler line: Windows 9x or NT 3.51, unless the line was dropped";
}
