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
        printerEndLikelier[1] = "; a hung tool is likelier: an earlier run in this log found the driver directory and "
                                "launched the driver tool";
        printerEndLikelier[2] = "; an empty driver directory is likelier: no earlier run in this log reached the "
                                "driver tool, and one ended the same way";
        notMadeDriverTool = "not made: the running system's printer driver directory was empty, so the run ended "
                            "after the printer stage, or the printer's add-printer tool hung and the run was ended";
        interleave = "a run begins right where another stops where the program cannot stop: the earlier run was "
                     "ended, or the lines of two runs at once interleave here (they may interleave); zqlog does not "
                     "guess them apart";
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
    }
};

const Table kTable;

std::string Plural(long n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

} // namespace

const Words kWords = kTable;

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
