#include "wording.h"

namespace {

const char kLostOrEnded[] = " (the program or the whole setup was ended, the machine restarted, the log was copied "
                            "while the run went on, or the lines after it were lost)";

struct Table : Words {
    Table()
    {
        for (const char*& text : stopped)
            text = "the run stops here, where the program cannot stop";
        stopped[STEP_SPOOLER] = "the run stops after the spooler line, where the program goes on at once: next it "
                                "starts the driver tool through the shell (never logged; it waits at most 60 s for "
                                "it), or the fax stage or printer stage begins. Look at the driver tool zqdrvtl.exe in "
                                "the \"Windows NT x86\" driver directory, and at the fax stage";
        stopped[STEP_FAX_FLAG] = "the run stops after the fax decision: next the program starts the driver tool "
                                 "through the shell (never logged; it waits at most 60 s for it), then the fax "
                                 "stage. Look at zqdrvtl.exe in the \"Windows NT x86\" driver directory, and at the "
                                 "fax stage's add-printer tool";
        stopped[STEP_FAX_NAME] = "the run stops after the fax stage: the printer stage's line never came";
        for (int launch = 0; launch < LAUNCH_COUNT; ++launch) {
            stopped[StepOf(launch, PHASE_ANNOUNCED)] = "announced, but its command line never came";
            stopped[StepOf(launch, PHASE_TOO_LONG)] = "its command line did not fit, but its error line never came";
            stopped[StepOf(launch, PHASE_SYSTEM_TEXT)] = "its start failed, but its error line never came";
            stopped[StepOf(launch, PHASE_WARNED)] = "its start failed, but the command line and error line never came";
            stopped[StepOf(launch, PHASE_WARNED_COMMAND)] = "its start failed, but its error line never came";
            stopped[StepOf(launch, PHASE_FAILED)] = "the next stage's line never came";
        }
        stopped[StepOf(LAUNCH_FAX, PHASE_COMMAND)]
            = "the add-printer tool for the fax started and never ended, or its end was never followed by a line: "
              "the program waits for it without limit, and writes its next line however it ends. Look at "
              "zqntadd.exe and the fax key it was given";
        stopped[StepOf(LAUNCH_FAX_TOOL, PHASE_COMMAND)]
            = "the driver tool for the fax driver started (not waited for); the program stops in the 1 s pause "
              "before the printer driver's tool, where it cannot stop";
        printerEnd = "the run ends after the printer stage, with no driver-tool launch: either the running system's "
                     "printer driver directory was empty (the run ends there by design), or the add-printer tool for "
                     "the printer hung and the run was ended";
        printerEndLikelier[0] = "; nothing else in this log tells the two apart";
        printerEndLikelier[1] = "; a hung tool is likelier: run ";
        printerEndLikelier[2] = "; an empty driver directory is likelier: no other run in this log reached the "
                                "driver tool, and another ended the same way";
        notMadeDriverTool = "not made: the running system's printer driver directory was empty, so the run ended "
                            "after the printer stage, or the printer's add-printer tool hung and the run was ended";
        interleave = "the lines of two runs interleave here (two setups ran at once, or a run was ended and another "
                     "began): each line goes to the run whose place in the program's order it can take; where both "
                     "runs write the same line, which of them wrote it is not known";
        headless = "the run's first lines are missing (lost, or the log was pasted from its tail): its earlier stages "
                   "are unknown";
        lost = "lines of the program's are missing inside the run";
        zeros = "zero bytes were skipped in front of or inside its lines (a crash or a power cut leaves them in a "
                "file that had been extended); the lines behind them were kept";
        glued = "another program's text without a line end was glued to the front of a line of the program's: split "
                "off";
        cut = "a line of the program's is cut short (a full disk, or another writer)";
        emptyFaxName = "the fax driver tool got no name after /n: although the fax was launched: the fax key's Driver "
                       "Name was not read";
        emptyProgramDir = "ProgramDir stands empty in the add-printer command line: the install root key did not open, "
                          "so ProgramDir was never read";
        nullText = "the program logged a text that did not exist (CRITICAL ERROR line): a line meant for that place "
                   "is lost";
        others = "lines of other programs stand inside the run";
        (void)kLostOrEnded;
        crashTail = "the log ends in zero bytes after this run's last line: the end of the log was lost in a crash "
                    "or a power cut (a FAT disk keeps the file's new length but not its last bytes), so this run's "
                    "last lines are lost; it is incomplete, not failed";
        firstLineCut = "the log's first line is the end of a line of the program's, cut at its front: the log was "
                       "cut there (rotated or pasted), so the lines before it are missing";
        Causes();
        Whys();
    }

    void Causes()
    {
        read = "read";
        noSettingsLine = "no line of the settings or later stages";
        quotedKeySettings = "the key path came in double quotes, so neither key opened and ProgramDir was not read";
        noProgramDirSettings = "ProgramDir not read: the install root key did not open";
        emptyDriverName = "Driver Name under the printer key is empty";
        driverNameUnread = "Driver Name not read (the printer key did not open) or empty";
        noSpoolerLine = "no line (see system)";
        notReached = "not reached";
        faxOn = "fax on, the fax key has no No Fax Function value";
        faxOnNoLine = "fax on: No Fax Function was read and is not TRUE, or the fax key did not open";
        noFaxStage = "no fax stage: the key path has no Printer in it";
        noFaxKeyShown = "no fax: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)";
        noFax = "no fax: No Fax Function is TRUE, or the key path has no Printer in it";
        noFaxLaunchSeen = "no fax launch in this run's lines: No Fax Function is TRUE, the key path has no Printer in "
                          "it, or the launch's lines were lost";
        notMadeNoFaxKey = "not made: the key path has no Printer in it, so there is no fax key";
        notMadeNoFax = "not made: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)";
        notMadeLost = "not made: its lines are missing";
        printerEndRunSaw = " of this log found the driver directory not empty and launched the driver tool";
        quotedKeyCause = "the key path was passed in double quotes: zqrunadd.exe takes its command tail unchanged as "
                         "the key path, so neither the printer key nor the install root key opened, ProgramDir was "
                         "never read, and the add-printer tool was looked for at the drive's root";
        quotedKeyAdvice = "remove the double quotes around the key path in the command that starts zqrunadd.exe (the "
                          "setup package's script or Run entry); a key path with blanks needs none";
        noProgramDirAdvice = "check that the install root key exists and that this user may open it for full access";
        unknownTextAdvice = "look the quoted text up among the system's error messages; the log shows no more";
        unknownCodeAdvice = "look the code up among Windows' system error codes; the log shows no more";
        commandMissing = "its command line is missing";
        readOnce = "standard input is read once: evidence for a run comes from this run and earlier runs only; name "
                   "the file to let later runs count too";
        onlyZeros = "the file holds only zero bytes: it is the log, but its content was lost (a crash or a power cut "
                    "left the file's length and not its bytes)";
        binary = "a binary file, not a log";
        empty = "the file is empty";
        system[SYSTEM_NT4_OR_LATER] = "NT 4.0 or later";
        system[SYSTEM_9X_OR_NT351] = "Windows 9x or NT 3.51";
        system[SYSTEM_UNKNOWN] = "not shown";
    }

    void Whys()
    {
        why[WHY_NONE] = "";
        why[WHY_NO_KEY_PATH] = "the program was given no key path";
        why[WHY_KEY_PATH_TOO_LONG] = "the key path was 260 characters or more";
        why[WHY_PRINTER_NAME_UNREAD] = "Driver Name under the printer key could not be read";
        why[WHY_PROGRAM_DIR_UNREAD] = "ProgramDir under the install root key could not be read";
        why[WHY_KEY_PATH_QUOTED] = "the key path was passed in double quotes";
        why[WHY_SPOOLER_NOT_OPENED] = "the Spooler service did not open";
        why[WHY_FAX_START_FAILED] = "the fax stage's add-printer tool could not start";
        why[WHY_PRINTER_START_FAILED] = "the printer stage's add-printer tool could not start";
        why[WHY_DRIVER_TOOL_START_FAILED] = "the driver tool could not start";
        why[WHY_FAX_TOOL_FAILED] = "the fax stage's add-printer tool returned a negative code";
        why[WHY_PRINTER_TOOL_FAILED] = "the printer stage's add-printer tool returned a negative code";
        why[WHY_COMMAND_TOO_LONG] = "a command line did not fit and was not started";
        why[WHY_FAX_NAME_UNREAD] = "the fax key's Driver Name could not be read";
        why[WHY_FAILURE_CAUSE_LOST] = "a failure line whose cause's lines are missing";
        why[WHY_NULL_TEXT] = "the program logged a text that did not exist";
        why[WHY_ENDS_AFTER_PRINTER] = "ends after the printer stage, with no driver-tool launch";
        why[WHY_STOPPED] = "the run stops where the program cannot stop";
        why[WHY_LOG_END_LOST] = "the log's end was lost in a crash (zero bytes)";
        why[WHY_INTERLEAVED] = "its lines interleave with another run's";
    }
};

const Table kTable;

std::string Plural(long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

const Words kWords = kTable;

const char* WhyText(WhyId why)
{
    return kWords.why[why];
}

std::string ConversionSaid(Conversion conversion, Conversion lineEnds)
{
    std::string said;
    switch (conversion) {
    case CONV_NONE:
        return "";
    case CONV_UTF8_BOM:
        said = "the log was re-saved as UTF-8 with a byte-order mark (an editor), not in the code page the program "
               "writes: its text is read as UTF-8";
        break;
    case CONV_UTF8:
        said = "the log's text is UTF-8, not the code page the program writes (an editor re-saved it): its text is "
               "read as UTF-8";
        break;
    case CONV_UTF16LE:
    case CONV_UTF16BE:
        said = std::string("the log was saved as UTF-16 (") + (conversion == CONV_UTF16LE ? "little" : "big")
            + "-endian, with a byte-order mark), not in the code page the program writes: it is read as that "
              "text, turned into UTF-8";
        break;
    case CONV_LF:
    case CONV_CRCRLF:
        break;
    }
    if (lineEnds == CONV_LF)
        said += std::string(said.empty() ? "the log's" : "; its")
            + " line ends are LF, not the CR LF the program "
              "writes (converted on its way: mail, a ticket system)";
    if (lineEnds == CONV_CRCRLF)
        said += std::string(said.empty() ? "the log's" : "; its")
            + " line ends are CR CR LF, not CR LF (converted "
              "twice on its way)";
    return "conversion: " + said
        + ". What rests on exact bytes is less certain: a line cut short is told from a whole one only by its "
          "text, and a system text's own line end is not seen.";
}

std::string CodePageSaid(unsigned codePage)
{
    const std::string page = std::to_string(codePage);
    return "the log's text was read as code page 1252, but its high bytes pair as code page " + page
        + " double-byte text: the log was most likely written on a system using code page " + page
        + "; read it with --code-page " + page + " (the texts read as 1252 are mojibake)";
}

std::string ClosingLine(const long runs[VERDICT_COUNT], long lines, long others)
{
    const long all = runs[VERDICT_OK] + runs[VERDICT_FAILED] + runs[VERDICT_INCOMPLETE];
    return Plural(all, "run", "runs") + " of zqrunadd (" + std::to_string(runs[VERDICT_OK]) + " ok, "
        + std::to_string(runs[VERDICT_FAILED]) + " failed, " + std::to_string(runs[VERDICT_INCOMPLETE])
        + " incomplete) in " + Plural(lines, "line", "lines") + "; " + Plural(others, "line", "lines")
        + " of other programs";
}

std::string VerdictLine(const RunRecord& record)
{
    std::string line = "run " + std::to_string(record.run) + ": " + VerdictId(record.verdict) + ", lines "
        + std::to_string(record.firstLine) + " to " + std::to_string(record.lastLine);
    if (!record.why.empty())
        line += ": " + record.why;
    return line;
}
