#include "meanings.h"

#include <string.h>

#include <string>

#include "support/log_texts.h"

// One row per text, in the order a run writes them. A text changed in the
// program changes here with it, since both take it from log_texts.h.
static const TextMeaning kMeanings[] = {
    { LOG_NO_KEY_PATH, TEXT_SETTINGS_END, 0,
        "the program was given no key path at all; the run ends here. Check how the setup package starts "
        "zqrunadd.exe",
        "no key path given; the run ended" },
    { LOG_KEY_PATH_TOO_LONG, TEXT_SETTINGS_END, 0,
        "the key path on the command line is 260 characters or more and was refused (cut, it would name another "
        "key); the run ends here. Check the command line the setup package passes",
        "the key path was 260 characters or more; the run ended" },
    { LOG_NO_PRINTER_NAME, TEXT_SETTINGS_END, 0,
        "the printer key opened, but its Driver Name could not be read (missing, or 50 bytes or more); the run ends "
        "here. Check Driver Name under the printer key (an empty command tail opens HKEY_LOCAL_MACHINE itself)",
        "Driver Name under the printer key could not be read; the run ended" },
    { LOG_NO_PROGRAM_DIR, TEXT_SETTINGS_END, 0,
        "the install root key (the key path cut before Install\\Printer) opened, but its ProgramDir could not be "
        "read (missing, or 260 bytes or more); the run ends here. Check ProgramDir under the install root key",
        "ProgramDir under the install root key could not be read; the run ended" },
    { LOG_SPOOLER_RUNNING, TEXT_SPOOLER, 0,
        "the Spooler service could be opened (NT 4.0 or later). The line does not say it was started: a stopped "
        "spooler gives the same line, after the whole 10 s wait",
        "opened; a stopped spooler gives the same line, after a 10 s wait" },
    { LOG_SPOOLER_NOT_RUNNING, TEXT_SPOOLER, 0,
        "the service manager or the Spooler service did not open within 10 s (NT 4.0 or later); the run goes on. "
        "Check that the Print Spooler service is installed and that this user may query it",
        "did not open within 10 s; check the Print Spooler service" },
    { LOG_NO_FAX_FLAG, TEXT_FAX_FLAG, 0,
        "the fax key opened and has no No Fax Function value (or one of 260 bytes or more), so the fax is "
        "installed. Normal for a package with a fax; to leave the fax out, No Fax Function must be TRUE",
        nullptr },
    { LOG_FAX_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_FAX,
        "the fax stage: the add-printer tool runs for the fax key, and the run waits for it; its command line "
        "follows",
        nullptr },
    { LOG_FAX_FAILED, TEXT_FAILURE, LAUNCH_FAX, "the fax was not added", nullptr },
    { LOG_NO_FAX_NAME, TEXT_FAX_NAME, 0,
        "the fax key opened, but its Driver Name could not be read (missing, or 50 bytes or more), so the fax "
        "driver tool gets /n: with no name. Check Driver Name under the fax key",
        nullptr },
    { LOG_PRINTER_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_PRINTER,
        "the printer stage: the add-printer tool runs for the printer key, and the run waits for it; its command "
        "line follows",
        nullptr },
    { LOG_PRINTER_FAILED, TEXT_FAILURE, LAUNCH_PRINTER, "the printer was not added", nullptr },
    { LOG_FAX_TOOL_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_FAX_TOOL,
        "the driver-directory tool starts for the fax driver, not waited for; its command line follows", nullptr },
    { LOG_FAX_TOOL_FAILED, TEXT_FAILURE, LAUNCH_FAX_TOOL, "the driver-directory tool did not start for the fax driver",
        nullptr },
    { LOG_PRINTER_TOOL_ANNOUNCE, TEXT_ANNOUNCE, LAUNCH_PRINTER_TOOL,
        "the driver-directory tool starts for the printer driver, 1 s after the fax driver's, not waited for; its "
        "command line follows",
        nullptr },
    { LOG_PRINTER_TOOL_FAILED, TEXT_FAILURE, LAUNCH_PRINTER_TOOL,
        "the driver-directory tool did not start for the printer driver", nullptr },
    { LOG_COMMAND_TOO_LONG, TEXT_TOO_LONG, 0,
        "a command line did not fit its buffer and was not started (it is never cut into another command); the "
        "launch's error line follows",
        nullptr },
    { LOG_NULL_TEXT, TEXT_NULL, 0,
        "the program was asked to log a text that did not exist; the line meant for this place is lost", nullptr },
};

static const LaunchMeaning kLaunches[LAUNCH_COUNT] = {
    { "fax", "fax", true, "the add-printer tool ran and returned a negative code (a crash, for one)",
        "check the add-printer tool's own lines in this log and the fax key it was given",
        "ProgramDir and the fax key path together are too long for the 259-byte command line",
        "install to a shorter ProgramDir, or give the package a shorter key path",
        "not made: No Fax Function is TRUE, or the key path has no Printer in it (then there is no fax key)" },
    { "printer", "printer", true, "the add-printer tool ran and returned a negative code (a crash, for one)",
        "check the add-printer tool's own lines in this log and the printer key it was given",
        "ProgramDir and the key path together are too long for the 259-byte command line",
        "install to a shorter ProgramDir, or give the package a shorter key path", "not made" },
    { "driver tool (fax)", "driver_tool_fax", false,
        "a failure line with no start error before it: the system's text for the failed start was lost",
        "check that zqdrvtl.exe is in the printer driver directory and that this user may run it",
        "the driver directory and the fax driver name together are too long for the command line",
        "give the fax driver a shorter Driver Name",
        "not made: the running system's printer driver directory was empty, so the run ended after the printer "
        "stage" },
    { "driver tool (printer)", "driver_tool_printer", false,
        "a failure line with no start error before it: the system's text for the failed start was lost",
        "check that zqdrvtl.exe is in the printer driver directory and that this user may run it",
        "the driver directory and the printer driver name together are too long for the command line",
        "give the printer driver a shorter Driver Name",
        "not made: the running system's printer driver directory was empty, so the run ended after the printer "
        "stage" },
};

const TextMeaning* FindMeaning(const char* text)
{
    for (const TextMeaning& row : kMeanings)
        if (strcmp(row.text, text) == 0)
            return &row;
    return nullptr;
}

const TextMeaning* AllMeanings(unsigned* count)
{
    *count = sizeof kMeanings / sizeof kMeanings[0];
    return kMeanings;
}

const LaunchMeaning& LaunchOf(int launch)
{
    return kLaunches[launch];
}

std::string StartedElsewhere(long line, int run)
{
    return "the same program started at line " + std::to_string(line) + " (run " + std::to_string(run)
        + ") of this log, so its path is right; at this start, ";
}

bool HasVariable(const std::string& dir)
{
    const size_t first = dir.find('%');
    return first != std::string::npos && dir.find('%', first + 2) != std::string::npos;
}

std::string UnexpandedDir()
{
    return "the path holds a %NAME%, which the program never expands: ProgramDir holds a name with a variable in "
           "it (an installer that wrote it as an expandable string, for one); ProgramDir must hold the expanded "
           "path. ";
}
