#include "wording.h"

namespace {

struct Table : Words {
    Table()
    {
        printerEnd = W_PRINTER_END;
        printerEndLikelier[0] = W_PRINTER_END_LIKELIER_0;
        printerEndLikelier[1] = W_PRINTER_END_LIKELIER_1;
        printerEndLikelier[2] = W_PRINTER_END_LIKELIER_2;
        printerEndLikelier[3] = W_PRINTER_END_LIKELIER_0_ONCE;
        printerEndLikelier[4] = W_PRINTER_END_LIKELIER_2_ONCE;
        notMadeDriverTool = W_NOT_MADE_DRIVER_TOOL;
        interleave = W_INTERLEAVE;
        headless = W_HEADLESS;
        lost = W_LOST;
        zeros = W_ZEROS;
        glued = W_GLUED;
        cut = W_CUT;
        emptyFaxName = W_EMPTY_FAX_NAME;
        emptyProgramDir = W_EMPTY_PROGRAM_DIR;
        nullText = W_NULL_TEXT;
        others = W_OTHERS;
        crashTail = W_CRASH_TAIL;
        crashBefore = W_CRASH_BEFORE;
        firstLineCut = W_NOTE_FIRST_LINE_CUT;
        Causes();
        Whys();
    }

    void Causes()
    {
        read = W_READ;
        noSettingsLine = W_NO_SETTINGS_LINE;
        quotedKeySettings = W_QUOTED_KEY_SETTINGS;
        noProgramDirSettings = W_NO_PROGRAM_DIR_SETTINGS;
        emptyDriverName = W_EMPTY_DRIVER_NAME;
        driverNameUnread = W_DRIVER_NAME_UNREAD;
        noSpoolerLine = W_NO_SPOOLER_LINE;
        notReached = W_NOT_REACHED;
        faxOn = W_FAX_ON;
        faxOnNoLine = W_FAX_ON_NO_LINE;
        noFaxStage = W_NO_FAX_STAGE;
        noFaxKeyShown = W_NO_FAX_KEY_SHOWN;
        noFax = W_NO_FAX;
        noFaxLaunchSeen = W_NO_FAX_LAUNCH_SEEN;
        notMadeNoFaxKey = W_NOT_MADE_NO_FAX_KEY;
        notMadeNoFax = W_NOT_MADE_NO_FAX;
        notMadeLost = W_NOT_MADE_LOST;
        printerEndRunSaw = W_PRINTER_END_RUN_SAW;
        quotedKeyCause = W_QUOTED_KEY_CAUSE;
        quotedKeyAdvice = W_QUOTED_KEY_ADVICE;
        noProgramDirAdvice = W_NO_PROGRAM_DIR_ADVICE;
        unknownTextAdvice = W_UNKNOWN_TEXT_ADVICE;
        unknownCodeAdvice = W_UNKNOWN_CODE_ADVICE;
        commandMissing = W_COMMAND_MISSING;
        readOnce = W_READ_ONCE;
        onlyZeros = W_ONLY_ZEROS;
        binary = W_BINARY;
        empty = W_EMPTY;
    }

    void Whys()
    {
        why[WHY_NONE] = WORD_COUNT; // none: WhyText gives ""
        why[WHY_NO_KEY_PATH] = W_WHY_NO_KEY_PATH;
        why[WHY_KEY_PATH_TOO_LONG] = W_WHY_KEY_PATH_TOO_LONG;
        why[WHY_PRINTER_NAME_UNREAD] = W_WHY_PRINTER_NAME_UNREAD;
        why[WHY_PROGRAM_DIR_UNREAD] = W_WHY_PROGRAM_DIR_UNREAD;
        why[WHY_KEY_PATH_QUOTED] = W_WHY_KEY_PATH_QUOTED;
        why[WHY_SPOOLER_NOT_OPENED] = W_WHY_SPOOLER_NOT_OPENED;
        why[WHY_FAX_START_FAILED] = W_WHY_FAX_START_FAILED;
        why[WHY_PRINTER_START_FAILED] = W_WHY_PRINTER_START_FAILED;
        why[WHY_DRIVER_TOOL_START_FAILED] = W_WHY_DRIVER_TOOL_START_FAILED;
        why[WHY_FAX_TOOL_FAILED] = W_WHY_FAX_TOOL_FAILED;
        why[WHY_PRINTER_TOOL_FAILED] = W_WHY_PRINTER_TOOL_FAILED;
        why[WHY_COMMAND_TOO_LONG] = W_WHY_COMMAND_TOO_LONG;
        why[WHY_FAX_NAME_UNREAD] = W_WHY_FAX_NAME_UNREAD;
        why[WHY_FAILURE_CAUSE_LOST] = W_WHY_FAILURE_CAUSE_LOST;
        why[WHY_FAILURE_CAUSE_AMBIGUOUS] = W_WHY_FAILURE_CAUSE_AMBIGUOUS;
        why[WHY_NULL_TEXT] = W_WHY_NULL_TEXT;
        why[WHY_ENDS_AFTER_PRINTER] = W_WHY_ENDS_AFTER_PRINTER;
        why[WHY_STOPPED] = W_WHY_STOPPED;
        why[WHY_LOG_END_LOST] = W_WHY_LOG_END_LOST;
        why[WHY_INTERLEAVED] = W_WHY_INTERLEAVED;
    }
};

const Table kTable;

} // namespace

const Words kWords = kTable;

const char* WhyText(WhyId why)
{
    return why == WHY_NONE ? "" : Word(kWords.why[why]);
}

std::string ConversionSaid(Conversion conversion, Conversion lineEnds)
{
    std::string said;
    switch (conversion) {
    case CONV_NONE:
        return "";
    case CONV_UTF8_BOM:
        said = Word(W_CONV_UTF8_BOM);
        break;
    case CONV_UTF8:
        said = Word(W_CONV_UTF8);
        break;
    case CONV_UTF16LE:
    case CONV_UTF16BE:
        said = Say(W_CONV_UTF16, { Word(conversion == CONV_UTF16LE ? W_LITTLE : W_BIG) });
        break;
    case CONV_LF:
    case CONV_CRCRLF:
        break;
    }
    if (lineEnds == CONV_LF || lineEnds == CONV_CRCRLF)
        said += Say(
            lineEnds == CONV_LF ? W_LINE_ENDS_LF : W_LINE_ENDS_CRCRLF, { Word(said.empty() ? W_THE_LOGS : W_AND_ITS) });
    return Say(W_CONVERSION, { said });
}

std::string CodePageSaid(unsigned codePage)
{
    const std::string page = std::to_string(codePage);
    return Say(W_CODE_PAGE_LIKELY, { page, page, page });
}

std::string ClosingLine(const long runs[VERDICT_COUNT], long lines, long others)
{
    const long all = runs[VERDICT_OK] + runs[VERDICT_FAILED] + runs[VERDICT_INCOMPLETE];
    return Say(W_CLOSING,
        { Count(all, W_RUN, W_RUNS), std::to_string(runs[VERDICT_OK]), std::to_string(runs[VERDICT_FAILED]),
            std::to_string(runs[VERDICT_INCOMPLETE]), Count(lines, W_LINE, W_LINES), Count(others, W_LINE, W_LINES) });
}

std::string VerdictLine(const RunRecord& record)
{
    const std::string run = std::to_string(record.run);
    // Of two runs that cannot be told apart, a line not known is never a number.
    std::string line = !record.lastLine ? Say(W_VERDICT_LINE_UNTOLD, { run, VerdictId(record.verdict) })
        : !record.firstLine
        ? Say(W_VERDICT_LINE_FIRST_UNTOLD, { run, VerdictId(record.verdict), std::to_string(record.lastLine) })
        : Say(W_VERDICT_LINE,
            { run, VerdictId(record.verdict), std::to_string(record.firstLine), std::to_string(record.lastLine) });
    if (!record.why.empty())
        line += ": " + Spoken(record.why);
    return line;
}
