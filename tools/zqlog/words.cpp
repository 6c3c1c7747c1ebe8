#include "words.h"

namespace {

struct WordRow {
    WordId id;
    const char* text;
};

// In the ids' order (a test holds it so).
const WordRow kRows[] = {
    { W_FIRST_LINE_CUT,
        "the end of a line of the program's, its front cut off: the log begins in the middle of a line (rotated, or "
        "pasted from the middle); the lines before it are missing" },
    { W_OTHER_LINE, "another program's line (the package's tools write to this log too); not counted as zqrunadd's" },
    { W_NOT_COUNTED_NO_CRLF,
        "not counted as zqrunadd's: it ends without CR LF, and no whole line of zqrunadd's comes before it" },
    { W_EMPTY_LINE, "an empty line, not zqrunadd's" },
    { W_LINE_END_MISSING, "its line end is missing (cut short, or still being written); " },
    { W_CUT_AT_END,
        "a line of the program's cut short where the log ends (a full disk, or a run still writing): the start of "
        "{}" },
    { W_THE_COMMAND_LINE, "the command line" },
    { W_SHOWN_CUT, " ({} bytes, shown cut at {})" },
    { W_BETWEEN_ANNOUNCE_AND_COMMAND, "; it stands between an announcement and its command line" },
    { W_NO_TEXT_FOR_ERROR, "error {}, for which the system has no text" },
    { W_UNKNOWN_ERROR_LINE,
        "the program on the command line above could not start, and the system has no text for its error {}; the "
        "command line follows again" },
    { W_WARNING_OUT_OF_PLACE, "a start error out of its place: the launch's lines before it are missing" },
    { W_CUT_THEN_LATER,
        "the start of {}, cut short or without its line end (a full disk?), then a later line of the program's: " },
    { W_GLUED_PART,
        "another program's text without its line end, glued to the front of a line of zqrunadd's: split off, not "
        "counted as zqrunadd's" },
    { W_GLUED_SPLIT, "split off another program's text glued to its front; " },
    { W_TOO_LONG_LAUNCH, " (the {} launch)" },
    { W_COMMAND_AGAIN, "the command line that could not start, again" },
    { W_COMMAND_END_MISSING, " (its line end is missing)" },
    { W_COMMAND_CUT_THEN_LATER,
        "the {} launch's command line, cut short after {} (a full disk, or another writer), then a later line of the "
        "program's: " },
    { W_ITS_TOOLS_NAME, "its tool's name" },
    { W_ANNOUNCE_CUT_THEN_COMMAND,
        "the start of \"{}\", cut short (a full disk, or another writer), then its command line whole: {}; the "
        "command line: {}" },
    { W_BEFORE_LINE_ANNOUNCEMENT, "Before line {}: the {} launch's announcement." },
    { W_UNANNOUNCED_COMMAND,
        "{}the {} launch's command line; its announcement before it is missing (lost, as lines are while another "
        "writer holds the log): {}" },
    { W_TOOL_OUTPUT, "not zqrunadd's: most likely the add-printer tool's own output" },
    { W_NO_FAILED_START,
        "{}; a failed start would have \"{}\" after the system's text, and none follows here, so the order cannot "
        "tell it for one" },
    { W_SYSTEM_TEXT_FIRST,
        "the system's text (in the machine's language) for why {} on the command line above could not start" },
    { W_SYSTEM_TEXT_MORE, "the system's text, continued" },
    { W_SYSTEM_TEXT_END, "the empty line that ends the system's text" },
    { W_ZEROS_IN_LINE, "{} zero bytes in this line were skipped (a crash or a power cut leaves them); {}" },
    { W_NEW_RUN_HERE, "a new run begins here: this line cannot follow line {} in the program's order; " },
    { W_MISSING_COMMAND_AFTER, "the command line after line {}" },
    { W_MISSING_ERROR_AFTER, "the error line after line {}" },
    { W_MISSING_FAX_CALLED_FOR, "the fax launch, which line {} calls for" },
    { W_MISSING_FAX, "the fax launch" },
    { W_MISSING_PRINTER, "the printer launch" },
    { W_MISSING_FAX_TOOL, "the fax driver tool's launch" },
    { W_MISSING_ANNOUNCE_AND_COMMAND, "the {} launch's announcement and command line" },
    { W_MISSING_OWN_LINE, "a line of the program's" },
    { W_BEFORE_LINE_LIST, "Before line {}: {}." },
    { W_FIRST_LINES_MISSING,
        "this run's first lines are missing ({}): they were lost, as lines are while another writer holds the log, "
        "or the log was pasted from its tail; " },
    { W_LINES_MISSING_BEFORE,
        "lines are missing before this one ({}): they were lost, as lines are while another writer holds the log, or "
        "a new run begins here whose first lines were lost; the order cannot tell which; " },
    { W_ADD_PRINTER_COMMAND, "the add-printer tool {} in ProgramDir, for the key {}" },
    { W_PROGRAM_DIR_EMPTY,
        ". ProgramDir stands empty: the install root key did not open (missing, or no full access for this user), "
        "so ProgramDir was never read and the tool is looked for at the drive's root" },
    { W_DRIVER_TOOL_COMMAND, "the driver-directory tool in the running system's printer driver directory {}" },
    { W_FOR_THE_DRIVER, ", for the driver {}" },
    { W_NO_NAME_KEY_OPENED,
        ", with no name after /n:: the printer key's Driver Name is empty (the key opened: ProgramDir was read from "
        "it). Check Driver Name under the printer key" },
    { W_NO_NAME_KEY_UNOPENED,
        ", with no name after /n:: the printer key did not open (missing, or no full access for this user), so its "
        "Driver Name was never read, or its Driver Name is empty. Check the key path and Driver Name under it" },
    { W_NO_NAME_HEADLESS,
        ", with no name after /n:: no fax launch is in this run's lines, but lines before it are missing, so the "
        "order cannot tell whether the run made none (then no name is expected) or the fax key's Driver Name was "
        "not read" },
    { W_NO_NAME_AS_EXPECTED,
        ", with no name after /n:, as expected: this run made no fax launch (No Fax Function is TRUE, or the key "
        "path has no Printer in it)" },
    { W_NO_NAME_FAX_KEY_SHOWN,
        ", with no name after /n:, as expected: this run made no fax launch (No Fax Function is TRUE)" },
    { W_NO_NAME_FAX_UNREAD, ", with no name after /n:: the fax Driver Name could not be read (line {})" },
    { W_NO_NAME_FAX_KEY_UNOPENED,
        ", with no name after /n:: the fax key did not open for its Driver Name (missing, or no full access for this "
        "user), so no name was read. Check the fax key" },
    { W_SYSTEM_SPOOLER, "NT 4.0 or later: the run has a spooler line" },
    { W_SYSTEM_HEADLESS, "not shown: the run's first lines, where a spooler line would stand, are missing" },
    { W_SYSTEM_NOTHING_SETTINGS, "nothing: the run ended before the spooler stage" },
    { W_SYSTEM_NOTHING, "nothing" },
    { W_SYSTEM_DROPPED,
        "no spooler line: most likely it was dropped, since an earlier run in this log has one (the log lives in one "
        "Windows directory); else Windows 9x or NT 3.51" },
    { W_SYSTEM_NT351, "no spooler line, and an NT driver directory: NT 3.51 is likely, unless the line was dropped" },
    { W_SYSTEM_9X,
        "no spooler line, and a driver directory that is not NT's: Windows 9x is likely, unless the line was "
        "dropped" },
    { W_SYSTEM_9X_OR_NT351, "no spooler line: Windows 9x or NT 3.51, unless the line was dropped" },
    { W_INSTALL_ROOT_KEY, "the install root key" },
    { W_NO_PROGRAM_DIR_CAUSE,
        "the add-printer tool could not start: ProgramDir was never read, since the install root key{} did not "
        "open" },
    { W_COULD_NOT_START_ROW, "{} could not start: {} (error {})" },
    { W_COULD_NOT_START_CODE,
        "{} could not start: error {}, for which the system has no text and which zqlog does not know" },
    { W_COULD_NOT_START_TEXT,
        "{} could not start: the system said \"{}\", a text zqlog does not know (it may be in the machine's "
        "language), so it names no cause" },
    { W_NOT_STARTED, "not started: {}" },
    { W_LINE_SAID, "line {}: {}" },
    { W_DID_NOT_START, "did not start (announced at line {}; the system said: {}), and no error line follows" },
    { W_FAILED_AT, "failed at line {}: {}" },
    { W_ANNOUNCED_AT, "announced at line {}, but its command line is missing" },
    { W_STARTED_AT_RAN, "started at line {}, ran and reported no failure" },
    { W_STARTED_AT_NOT_WAITED, "started at line {}, not waited for" },
    { W_FAX_NAME_UNREAD_AT, "; its Driver Name could not be read (line {})" },
    { W_STOPS_AT, "the run stops at line {}, where the program cannot stop: {} unfinished" },
    { W_UNFINISHED,
        "unfinished: {} (the program or the whole setup was ended, the machine restarted, the log was copied while "
        "the run went on, or the lines after line {} were lost)" },
    { W_STAGE_FAILED, "{} failed" },
    { W_CRITICAL_AT, "a CRITICAL ERROR line at line {}" },
    { W_HEADLESS_UNKNOWN, "unknown: the run's lines before line {} are missing" },
    { W_OTHERS_NOT_SHOWN, "({} of other programs not shown)\n" },
    { W_RUN_NOT_SHOWN, "({} of this run not shown)\n" },
    { W_SYSTEM_SAID_IN_STAGE, " (the system said: {})" },
    { W_NO_PROGRAM_LINES_IN, "no line of zqrunadd's in {}" },
};
static_assert(sizeof kRows / sizeof kRows[0] == WORD_COUNT, "a row for each word id");

unsigned long gUses[WORD_COUNT];

} // namespace

const char* Word(WordId id)
{
    ++gUses[id];
    return kRows[id].text;
}

std::string Say(WordId id, std::initializer_list<std::string> fills)
{
    const char* text = Word(id);
    std::string said;
    const std::string* fill = fills.begin();
    for (const char* c = text; *c; ++c) {
        if (c[0] == '{' && c[1] == '}' && fill != fills.end()) {
            said += *fill++;
            ++c;
        } else
            said += *c;
    }
    return said;
}

bool WordsInOrder()
{
    for (int i = 0; i < WORD_COUNT; ++i)
        if (kRows[i].id != i)
            return false;
    return true;
}

unsigned long WordUses(WordId id)
{
    return gUses[id];
}
