#include "words.h"

#include <string.h>

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
    { W_STALE_AFTER_ZEROS,
        "stale bytes after a crash's zero bytes, without a line end: what the file held there before, "
        "no line of zqrunadd's nor of another program's" },
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
    { W_COMMAND_CUT_AT_END,
        "a command line cut short at the log's end (its line end is missing): what stood after the cut is lost, "
        "so nothing it names is taken as a fact" },
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
    { W_STRAY_TEXT,
        "the system's text (in the machine's language) for a start that failed, apart from its command line, as "
        "two runs' lines interleave here: the failure line of the run whose start it was follows" },
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
    { W_LINE_NOT_KNOWN, "not known (see the note)" },
    { W_DID_NOT_START, "did not start (announced at line {}; the system said: {}), and no error line follows" },
    { W_DID_NOT_START_KNOWN, "did not start (announced at line {}): {}, and no error line follows" },
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
    { W_LOST_IN_CRASH, "unknown: the log's end was lost in a crash after line {}, where its lines would stand" },
    { W_LOST_AT_CUT, "unknown: the log's end was lost after line {}, cut short, where its lines would stand" },
    { W_CUT_COMMAND_UNKNOWN,
        "unknown: its command line, line {}, the log's last, is cut short, so what it named and whether the tool "
        "started are not known" },
    { W_WHY_END_CUT, "the log's end was lost: its last line is cut short" },
    { W_WHY_CRASH, "the log's end was lost in a crash (zero bytes)" },
    { W_OTHERS_NOT_SHOWN, "({} of other programs not shown)\n" },
    { W_RUN_NOT_SHOWN, "({} of this run not shown)\n" },
    { W_SYSTEM_SAID_IN_STAGE, " (the system said: {})" },
    { W_NO_PROGRAM_LINES_IN, "no line of zqrunadd's in {}" },
    { W_STOPPED_SPOOLER,
        "the run stops after the spooler line, where the program goes on at once: next it "
        "starts the driver tool through the shell (never logged; it waits at most 60 s for "
        "it), or the fax stage or printer stage begins" },
    { W_STOPPED_FAX_FLAG,
        "the run stops after the fax decision: next the program starts the driver tool "
        "through the shell (never logged; it waits at most 60 s for it), then the fax "
        "stage" },
    { W_STOPPED_FAX_NAME, "the run stops after the fax stage: the printer stage's line never came" },
    { W_STOPPED_LAUNCH_ANNOUNCED, "announced, but its command line never came" },
    { W_STOPPED_LAUNCH_TOO_LONG, "its command line did not fit, but its error line never came" },
    { W_STOPPED_LAUNCH_SYSTEM_TEXT, "its start failed, but its error line never came" },
    { W_STOPPED_LAUNCH_WARNED, "its start failed, but the command line and error line never came" },
    { W_STOPPED_LAUNCH_WARNED_COMMAND, "its start failed, but its error line never came" },
    { W_STOPPED_LAUNCH_FAILED, "the next stage's line never came" },
    { W_STOPPED_FAX_COMMAND,
        "the add-printer tool for the fax started and never ended, or its end was never followed by a line: "
        "the program waits for it without limit, and writes its next line however it ends" },
    { W_STOPPED_FAX_TOOL_COMMAND,
        "the driver tool for the fax driver started (not waited for); the program stops in the 1 s pause "
        "before the printer driver's tool, where it cannot stop" },
    { W_PRINTER_END,
        "the run ends after the printer stage, with no driver-tool launch: either the running system's "
        "printer driver directory was empty (the run ends there by design), or the add-printer tool for "
        "the printer hung and the run was ended" },
    { W_PRINTER_END_LIKELIER_0, "; nothing else in this log tells the two apart" },
    { W_PRINTER_END_LIKELIER_1, "; a hung tool is likelier: run " },
    { W_PRINTER_END_LIKELIER_2,
        "; an empty driver directory is likelier: no other run in this log reached the "
        "driver tool, and another ended the same way" },
    { W_PRINTER_END_LIKELIER_0_ONCE,
        "; nothing in the runs before it tells the two apart (the log was read once, so later runs were "
        "not seen)" },
    { W_PRINTER_END_LIKELIER_2_ONCE,
        "; an empty driver directory is likelier: no run before it reached the driver tool, and another "
        "ended the same way (the log was read once, so later runs were not seen)" },
    { W_PRINTER_END_AFTER_FAILURE,
        "the run ends after the printer stage's error line, with no driver-tool launch: the add-printer tool "
        "had ended, so either the running system's printer driver directory was empty (the run ends there "
        "by design), or the run was ended right after that line" },
    { W_PRINTER_END_LIKELIER_ENDED, "; an ended run is likelier: run " },
    { W_NOT_MADE_DRIVER_TOOL,
        "not made: the running system's printer driver directory was empty, so the run ended "
        "after the printer stage, or the printer's add-printer tool hung and the run was ended" },
    { W_NOT_MADE_DRIVER_TOOL_AFTER_FAILURE,
        "not made: the running system's printer driver directory was empty, so the run ended "
        "after the printer stage's error line, or the run was ended right after that line" },
    { W_INTERLEAVE,
        "the lines of two runs interleave here (two setups ran at once, or a run was ended and another "
        "began): each line goes to the run whose place in the program's order it can take; where both "
        "runs write the same line, which of them wrote it is not known" },
    { W_RUNS_INDISTINCT,
        "runs {} and {} cannot be told apart from line {} on: both stood at the same place in the program's order "
        "when a line came that either could have written, so from there such a line went to one of them by "
        "zqlog's choice, not by the log; together they began at lines {} and {}{}{}: which run each of these is, "
        "is not known; what a run's own command lines show (its key path, ProgramDir, a failure that repeats "
        "them) stays that run's" },
    { W_INDISTINCT_ENDS, ", ended at lines {} and {}" },
    { W_INDISTINCT_DRIVERS, ", named the drivers {}" },
    { W_INDISTINCT_STAGES, ", had their stages at lines {}" },
    { W_INDISTINCT_STAGE_LINE, "{} {}" },
    { W_INDISTINCT_LINE_PAIR, "{} and {}" },
    { W_HEADLESS,
        "the run's first lines are missing (lost, or the log was pasted from its tail): its earlier stages "
        "are unknown" },
    { W_LOST, "lines of the program's are missing inside the run" },
    { W_ZEROS,
        "zero bytes were skipped in front of or inside its lines (a crash or a power cut leaves them in a "
        "file that had been extended); the lines behind them were kept" },
    { W_GLUED,
        "another program's text without a line end was glued to the front of a line of the program's: split "
        "off" },
    { W_CUT, "a line of the program's is cut short (a full disk, or another writer)" },
    { W_EMPTY_FAX_NAME,
        "the fax driver tool got no name after /n: although the fax was launched: the fax key's Driver "
        "Name was not read" },
    { W_EMPTY_PROGRAM_DIR,
        "ProgramDir stands empty in the add-printer command line: the install root key did not open, "
        "so ProgramDir was never read" },
    { W_NULL_TEXT,
        "the program logged a text that did not exist (CRITICAL ERROR line): a line meant for that place "
        "is lost" },
    { W_OTHERS, "lines of other programs stand inside the run" },
    { W_CRASH_TAIL,
        "the log ends in zero bytes after this run's last line: the end of the log was lost in a crash "
        "or a power cut (a FAT disk keeps the file's new length but not its last bytes), so this run's "
        "last lines are lost; it is incomplete, not failed" },
    { W_CRASH_BEFORE,
        "zero bytes follow this run's last line, and another run's lines follow them: this run's end was "
        "lost in a crash or a power cut (a FAT disk keeps the file's new length but not its last bytes), "
        "so its last lines are lost; it is incomplete, not failed" },
    { W_CRASH_AFTER_WHOLE,
        "the log ends in zero bytes after this run's last line: the end of the log was lost in a crash "
        "or a power cut (a FAT disk keeps the file's new length but not its last bytes) after this run, "
        "which is whole; the lines lost there may be a later run's" },
    { W_NOTE_FIRST_LINE_CUT,
        "the log's first line is the end of a line of the program's, cut at its front: the log was "
        "cut there (rotated or pasted), so the lines before it are missing" },
    { W_READ, "read" },
    { W_NO_SETTINGS_LINE, "no line of the settings or later stages" },
    { W_QUOTED_KEY_SETTINGS, "the key path came in double quotes, so neither key opened and ProgramDir was not read" },
    { W_NO_PROGRAM_DIR_SETTINGS, "ProgramDir not read: the install root key did not open" },
    { W_EMPTY_DRIVER_NAME, "Driver Name under the printer key is empty" },
    { W_DRIVER_NAME_UNREAD, "Driver Name not read (the printer key did not open) or empty" },
    { W_NO_SPOOLER_LINE, "no line (see system)" },
    { W_NOT_REACHED, "not reached" },
    { W_FAX_ON, "fax on, the fax key has no No Fax Function value" },
    { W_FAX_ON_NO_LINE, "fax on: No Fax Function was read and is not TRUE, or the fax key did not open" },
    { W_NO_FAX_STAGE, "no fax stage: the key path has no Printer in it" },
    { W_NO_FAX_KEY_SHOWN, "no fax: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)" },
    { W_NO_FAX, "no fax: No Fax Function is TRUE, or the key path has no Printer in it" },
    { W_NO_FAX_LAUNCH_SEEN,
        "no fax launch in this run's lines: No Fax Function is TRUE, the key path has no Printer in "
        "it, or the launch's lines were lost" },
    { W_NOT_MADE_NO_FAX_KEY, "not made: the key path has no Printer in it, so there is no fax key" },
    { W_NOT_MADE_NO_FAX, "not made: No Fax Function is TRUE (the key path has Printer in it, so the fax key exists)" },
    { W_NOT_MADE_LOST, "not made: its lines are missing" },
    { W_PRINTER_END_RUN_SAW, " of this log found the driver directory not empty and launched the driver tool" },
    { W_QUOTED_KEY_CAUSE,
        "the key path was passed in double quotes: zqrunadd.exe takes its command tail unchanged as "
        "the key path, so neither the printer key nor the install root key opened, ProgramDir was "
        "never read, and the add-printer tool was looked for at the drive's root" },
    { W_QUOTED_KEY_ADVICE,
        "remove the double quotes around the key path in the command that starts zqrunadd.exe (the "
        "setup package's script or Run entry); a key path with blanks needs none" },
    { W_NO_PROGRAM_DIR_ADVICE,
        "check that the install root key exists and that this user may open it for full access" },
    { W_UNKNOWN_TEXT_ADVICE, "look the quoted text up among the system's error messages; the log shows no more" },
    { W_UNKNOWN_CODE_ADVICE, "look the code up among Windows' system error codes; the log shows no more" },
    { W_COMMAND_MISSING, "its command line is missing" },
    { W_CAUSE_AMBIGUOUS,
        "the cause is not known: a system's text stands between its command line and this line, and either of the "
        "two runs whose lines interleave here may have written it" },
    { W_READ_ONCE,
        "standard input (or a pipe) is read once: evidence for a run comes from this run and earlier runs "
        "only; name the file to let later runs count too" },
    { W_ONLY_ZEROS,
        "the file holds only zero bytes: it is the log, but its content was lost (a crash or a power cut "
        "left the file's length and not its bytes)" },
    { W_BINARY, "a binary file, not a log" },
    { W_EMPTY, "the file is empty" },
    { W_WHY_NO_KEY_PATH, "the program was given no key path" },
    { W_WHY_KEY_PATH_TOO_LONG, "the key path was 260 characters or more" },
    { W_WHY_PRINTER_NAME_UNREAD, "Driver Name under the printer key could not be read" },
    { W_WHY_PROGRAM_DIR_UNREAD, "ProgramDir under the install root key could not be read" },
    { W_WHY_KEY_PATH_QUOTED, "the key path was passed in double quotes" },
    { W_WHY_SPOOLER_NOT_OPENED, "the Spooler service did not open" },
    { W_WHY_FAX_START_FAILED, "the fax stage's add-printer tool could not start" },
    { W_WHY_PRINTER_START_FAILED, "the printer stage's add-printer tool could not start" },
    { W_WHY_DRIVER_TOOL_START_FAILED, "the driver tool could not start" },
    { W_WHY_FAX_TOOL_FAILED, "the fax stage's add-printer tool returned a negative code" },
    { W_WHY_PRINTER_TOOL_FAILED, "the printer stage's add-printer tool returned a negative code" },
    { W_WHY_COMMAND_TOO_LONG, "a command line did not fit and was not started" },
    { W_WHY_FAX_NAME_UNREAD, "the fax key's Driver Name could not be read" },
    { W_WHY_FAILURE_CAUSE_LOST, "a failure line whose cause's lines are missing" },
    { W_WHY_FAILURE_CAUSE_AMBIGUOUS,
        "a failure line in two runs at once, with a system's text before it that either run may have written" },
    { W_WHY_NULL_TEXT, "the program logged a text that did not exist" },
    { W_WHY_ENDS_AFTER_PRINTER, "ends after the printer stage, with no driver-tool launch" },
    { W_WHY_STOPPED, "the run stops where the program cannot stop" },
    { W_WHY_LOG_END_LOST, "the log's end was lost (a crash's zero bytes, or its last line cut short)" },
    { W_WHY_INTERLEAVED, "its lines interleave with another run's" },
    { W_ADVICE_NO_KEY_PATH, "fix the command that starts zqrunadd.exe in the setup package" },
    { W_ADVICE_KEY_PATH_TOO_LONG, "give the package a shorter key path" },
    { W_ADVICE_PRINTER_NAME_UNREAD, "check Driver Name under the printer key (missing, or 50 bytes or more)" },
    { W_ADVICE_PROGRAM_DIR_UNREAD, "check ProgramDir under the install root key (missing, or 260 bytes or more)" },
    { W_ADVICE_SPOOLER_NOT_OPENED,
        "check that the Print Spooler service is installed and that this user may query it" },
    { W_ADVICE_FAX_NAME_UNREAD, "check Driver Name under the fax key" },
    { W_ADVICE_FAILURE_CAUSE_LOST, "ask for the whole log, zipped" },
    { W_ADVICE_FAILURE_CAUSE_AMBIGUOUS,
        "run one setup alone to see whose start fails; the system's text between the two runs' command lines "
        "names one run's error" },
    { W_ADVICE_STOPPED,
        "ask whether the setup was ended, the machine restarted or the log copied while the run went on; "
        "run the setup again" },
    { W_ADVICE_STOPPED_SPOOLER,
        "look at the driver tool zqdrvtl.exe in the \"Windows NT x86\" driver directory, and at the fax stage" },
    { W_ADVICE_STOPPED_FAX_FLAG,
        "look at zqdrvtl.exe in the \"Windows NT x86\" driver directory, and at the fax stage's add-printer tool" },
    { W_ADVICE_STOPPED_FAX_COMMAND, "look at zqntadd.exe and the fax key it was given" },
    { W_ADVICE_LOG_END_LOST, "ask whether the machine crashed, or for the whole file; run the setup again" },
    { W_ADVICE_INTERLEAVED, "ask whether two setups ran at once; run one setup alone" },
    { W_CONV_UTF8_BOM,
        "the log was re-saved as UTF-8 with a byte-order mark (an editor), not in the code page the program "
        "writes: its text is read as UTF-8" },
    { W_CONV_UTF8,
        "the log's text is UTF-8, not the code page the program writes (an editor re-saved it): its text is "
        "read as UTF-8" },
    { W_CONV_UTF16,
        "the log was saved as UTF-16 ({}-endian, with a byte-order mark), not in the code page the program "
        "writes: it is read as that text, turned into UTF-8" },
    { W_LITTLE, "little" },
    { W_BIG, "big" },
    { W_LINE_ENDS_LF,
        "{} line ends are LF, not the CR LF the program writes (converted on its way: mail, a ticket "
        "system)" },
    { W_LINE_ENDS_CRCRLF, "{} line ends are CR CR LF, not CR LF (converted twice on its way)" },
    { W_THE_LOGS, "the log's" },
    { W_AND_ITS, "; its" },
    { W_CONVERSION,
        "conversion: {}. What rests on exact bytes is less certain: a line cut short is told from a whole one "
        "only by its text, and a system text's own line end is not seen." },
    { W_CODE_PAGE_LIKELY,
        "the log's text was read as code page 1252, but its high bytes pair as code page {} double-byte text: "
        "the log was most likely written on a system using code page {}; read it with --code-page {} (the texts "
        "read as 1252 are mojibake)" },
    { W_CLOSING, "{} of zqrunadd ({} ok, {} failed, {} incomplete) in {}; {} of other programs" },
    { W_RUN, "run" },
    { W_RUNS, "runs" },
    { W_LINE, "line" },
    { W_LINES, "lines" },
    { W_MORE_LINE, "more line" },
    { W_MORE_LINES, "more lines" },
    { W_VERDICT_LINE, "run {}: {}, lines {} to {}" },
    { W_VERDICT_LINE_FIRST_UNTOLD, "run {}: {}, its first line not known (see the note), its last line {}" },
    { W_VERDICT_LINE_UNTOLD, "run {}: {}, its first and last lines not known (see the note)" },
    { W_MEANING_NO_KEY_PATH,
        "the program was given no key path at all; the run ends here. Check how the setup package starts "
        "zqrunadd.exe" },
    { W_SUMMARY_NO_KEY_PATH, "no key path given; the run ended" },
    { W_MEANING_KEY_PATH_TOO_LONG,
        "the key path on the command line is 260 characters or more and was refused (cut, it would name another "
        "key); the run ends here. Check the command line the setup package passes" },
    { W_SUMMARY_KEY_PATH_TOO_LONG, "the key path was 260 characters or more; the run ended" },
    { W_MEANING_NO_PRINTER_NAME,
        "the printer key opened, but its Driver Name could not be read (missing, or 50 bytes or more); the run ends "
        "here. Check Driver Name under the printer key (an empty command tail opens HKEY_LOCAL_MACHINE itself)" },
    { W_SUMMARY_NO_PRINTER_NAME, "Driver Name under the printer key could not be read; the run ended" },
    { W_MEANING_NO_PROGRAM_DIR,
        "the install root key (the key path cut before Install\\Printer) opened, but its ProgramDir could not be "
        "read (missing, or 260 bytes or more); the run ends here. Check ProgramDir under the install root key" },
    { W_SUMMARY_NO_PROGRAM_DIR, "ProgramDir under the install root key could not be read; the run ended" },
    { W_MEANING_SPOOLER_RUNNING,
        "the Spooler service could be opened (NT 4.0 or later). The line does not say it was started: a stopped "
        "spooler gives the same line, after the whole 10 s wait" },
    { W_SUMMARY_SPOOLER_RUNNING, "opened; a stopped spooler gives the same line, after a 10 s wait" },
    { W_MEANING_SPOOLER_NOT_RUNNING,
        "the service manager or the Spooler service did not open within 10 s (NT 4.0 or later); the run goes on. "
        "Check that the Print Spooler service is installed and that this user may query it" },
    { W_SUMMARY_SPOOLER_NOT_RUNNING, "did not open within 10 s" },
    { W_MEANING_NO_FAX_FLAG,
        "the fax key opened and has no No Fax Function value (or one of 260 bytes or more), so the fax is "
        "installed. Normal for a package with a fax; to leave the fax out, No Fax Function must be TRUE" },
    { W_MEANING_FAX_ANNOUNCE,
        "the fax stage: the add-printer tool runs for the fax key, and the run waits for it; its command line "
        "follows" },
    { W_MEANING_FAX_FAILED, "the fax was not added" },
    { W_MEANING_NO_FAX_NAME,
        "the fax key opened, but its Driver Name could not be read (missing, or 50 bytes or more), so the fax "
        "driver tool gets /n: with no name. Check Driver Name under the fax key" },
    { W_MEANING_PRINTER_ANNOUNCE,
        "the printer stage: the add-printer tool runs for the printer key, and the run waits for it; its command "
        "line follows" },
    { W_MEANING_PRINTER_FAILED, "the printer was not added" },
    { W_MEANING_FAX_TOOL_ANNOUNCE,
        "the driver-directory tool starts for the fax driver, not waited for; its command line follows" },
    { W_MEANING_FAX_TOOL_FAILED, "the driver-directory tool did not start for the fax driver" },
    { W_MEANING_PRINTER_TOOL_ANNOUNCE,
        "the driver-directory tool starts for the printer driver, 1 s after the fax driver's, not waited for; its "
        "command line follows" },
    { W_MEANING_PRINTER_TOOL_FAILED, "the driver-directory tool did not start for the printer driver" },
    { W_MEANING_COMMAND_TOO_LONG,
        "a command line did not fit its buffer and was not started (it is never cut into another command); the "
        "launch's error line follows" },
    { W_MEANING_NULL_TEXT,
        "the program was asked to log a text that did not exist; the line meant for this place is lost" },
    { W_STAGE_FAX, "fax" },
    { W_NEGATIVE_EXIT_FAX, "the add-printer tool ran and returned a negative code (a crash, for one)" },
    { W_NEGATIVE_EXIT_ADVICE_FAX, "check the add-printer tool's own lines in this log and the fax key it was given" },
    { W_TOO_LONG_FAX, "ProgramDir and the fax key path together are too long for the 259-byte command line" },
    { W_TOO_LONG_ADVICE_FAX, "install to a shorter ProgramDir, or give the package a shorter key path" },
    { W_NOT_MADE_FAX,
        "not made: No Fax Function is TRUE, or the key path has no Printer in it (then there is no fax key)" },
    { W_STAGE_PRINTER, "printer" },
    { W_NEGATIVE_EXIT_PRINTER, "the add-printer tool ran and returned a negative code (a crash, for one)" },
    { W_NEGATIVE_EXIT_ADVICE_PRINTER,
        "check the add-printer tool's own lines in this log and the printer key it was given" },
    { W_TOO_LONG_PRINTER, "ProgramDir and the key path together are too long for the 259-byte command line" },
    { W_TOO_LONG_ADVICE_PRINTER, "install to a shorter ProgramDir, or give the package a shorter key path" },
    { W_STAGE_DRIVER_TOOL_FAX, "driver tool (fax)" },
    { W_NEGATIVE_EXIT_DRIVER_TOOL_FAX,
        "a failure line with no start error before it: the system's text for the failed start was lost" },
    { W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_FAX,
        "check that zqdrvtl.exe is in the printer driver directory and that this user may run it" },
    { W_TOO_LONG_DRIVER_TOOL_FAX,
        "the driver directory and the fax driver name together are too long for the command line" },
    { W_TOO_LONG_ADVICE_DRIVER_TOOL_FAX, "give the fax driver a shorter Driver Name" },
    { W_STAGE_DRIVER_TOOL_PRINTER, "driver tool (printer)" },
    { W_NEGATIVE_EXIT_DRIVER_TOOL_PRINTER,
        "a failure line with no start error before it: the system's text for the failed start was lost" },
    { W_NEGATIVE_EXIT_ADVICE_DRIVER_TOOL_PRINTER,
        "check that zqdrvtl.exe is in the printer driver directory and that this user may run it" },
    { W_TOO_LONG_DRIVER_TOOL_PRINTER,
        "the driver directory and the printer driver name together are too long for the command line" },
    { W_TOO_LONG_ADVICE_DRIVER_TOOL_PRINTER, "give the printer driver a shorter Driver Name" },
    { W_STARTED_ELSEWHERE,
        "the same program started at line {} (run {}) of this log, so its path is right; at this start, " },
    { W_STARTED_ELSEWHERE_RUN_UNTOLD,
        "the same program started at line {} of this log (of which run is not known), so its path is right; at this "
        "start, " },
    { W_UNEXPANDED_DIR,
        "the path holds a %NAME%, which the program never expands: ProgramDir holds a name with a variable in it (an "
        "installer that wrote it as an expandable string, for one); ProgramDir must hold the expanded path. " },
    { W_ERROR_2, "the program named on the command line is not there" },
    { W_ERROR_2_ADD_PRINTER, "check ProgramDir under the install root key, and that zqntadd.exe is in that folder" },
    { W_ERROR_2_DRIVER_TOOL, "check that the package put zqdrvtl.exe in that printer driver directory" },
    { W_ERROR_3, "a folder of the program's path on the command line is not there" },
    { W_ERROR_3_ADD_PRINTER,
        "check ProgramDir under the install root key: its folder does not exist (a drive letter or folder of "
        "another machine, or one removed)" },
    { W_ERROR_3_DRIVER_TOOL, "check that the printer driver directory exists on this machine" },
    { W_ERROR_5, "access to the program was denied" },
    { W_ERROR_5_ADD_PRINTER,
        "check this user's rights to run zqntadd.exe and to read its folder, and a security product that blocks it" },
    { W_ERROR_5_DRIVER_TOOL,
        "check this user's rights to run zqdrvtl.exe in that printer driver directory, and a security product that "
        "blocks it" },
    { W_ERROR_8, "the system had too little memory to start the program" },
    { W_ERROR_8_ADD_PRINTER,
        "run the setup again with fewer programs open, or after a restart; check the paging file" },
    { W_ERROR_8_DRIVER_TOOL,
        "run the setup again with fewer programs open, or after a restart; check the paging file" },
    { W_ERROR_32, "the program file was held open by another process (a sharing violation)" },
    { W_ERROR_32_ADD_PRINTER,
        "close what holds zqntadd.exe open (an earlier setup still running, a virus scanner scanning it, a copy "
        "still being made) and run the setup again" },
    { W_ERROR_32_DRIVER_TOOL,
        "close what holds zqdrvtl.exe open (a virus scanner, a copy still being made) and run the setup again" },
    { W_ERROR_87, "the system refused the command line as given" },
    { W_ERROR_87_ADD_PRINTER,
        "check ProgramDir and the key path for bytes a command line cannot hold (control characters)" },
    { W_ERROR_87_DRIVER_TOOL,
        "check the printer driver directory and the driver names for bytes a command line cannot hold" },
    { W_ERROR_123, "the program's path on the command line is not a valid path" },
    { W_ERROR_123_ADD_PRINTER,
        "check ProgramDir under the install root key for quotes, a wildcard, a colon or another byte a path "
        "cannot hold" },
    { W_ERROR_123_DRIVER_TOOL, "check the printer driver directory's path for bytes a path cannot hold" },
    { W_ERROR_161, "the program's path on the command line is not a valid path" },
    { W_ERROR_161_ADD_PRINTER,
        "check ProgramDir under the install root key: it must be a full path such as C:\\Program Files\\Name" },
    { W_ERROR_161_DRIVER_TOOL, "check the printer driver directory's path" },
    { W_ERROR_193, "the file is there but is no program this Windows can run" },
    { W_ERROR_193_ADD_PRINTER,
        "replace zqntadd.exe from the package: it is damaged (a broken copy or download), or built for another "
        "processor" },
    { W_ERROR_193_DRIVER_TOOL, "replace zqdrvtl.exe from the package: it is damaged, or built for another processor" },
    { W_ERROR_206, "the program's path is longer than the system takes" },
    { W_ERROR_206_ADD_PRINTER, "install to a shorter folder: ProgramDir under the install root key is too long" },
    { W_ERROR_206_DRIVER_TOOL, "check the printer driver directory's path length" },
    { W_ERROR_216, "the program is built for another processor or Windows than this one" },
    { W_ERROR_216_ADD_PRINTER,
        "use the package made for this Windows (32-bit x86); zqntadd.exe here is for another machine type" },
    { W_ERROR_216_DRIVER_TOOL,
        "use the driver package made for this Windows; zqdrvtl.exe here is for another machine type" },
    { W_ERROR_740, "the program asks to run as administrator, and the setup was not elevated" },
    { W_ERROR_740_ADD_PRINTER,
        "run the whole setup as administrator (Run as administrator), so that zqrunadd.exe and the tools it "
        "starts are elevated" },
    { W_ERROR_740_DRIVER_TOOL, "run the whole setup as administrator (Run as administrator)" },
    { W_ERROR_1260, "group policy (software restriction or AppLocker) blocks the program" },
    { W_ERROR_1260_ADD_PRINTER, "ask the customer's administrator to allow zqntadd.exe in ProgramDir by group policy" },
    { W_ERROR_1260_DRIVER_TOOL,
        "ask the customer's administrator to allow zqdrvtl.exe in the printer driver directory by group policy" },
    { W_ERROR_1392, "the program file or its folder is damaged on disk" },
    { W_ERROR_1392_ADD_PRINTER,
        "run a disk check (chkdsk) on the drive of ProgramDir, then install the package again" },
    { W_ERROR_1392_DRIVER_TOOL, "run a disk check (chkdsk) on the system drive, then install the driver again" },
    { W_ERROR_1450, "the system ran out of resources (handles, pool memory) while starting the program" },
    { W_ERROR_1450_ADD_PRINTER, "restart the machine and run the setup again with no other setup running" },
    { W_ERROR_1450_DRIVER_TOOL, "restart the machine and run the setup again with no other setup running" },
    { W_ERROR_14001,
        "the program's side-by-side configuration (its manifest or a run-time library it names) is wrong" },
    { W_ERROR_14001_ADD_PRINTER,
        "install the run-time library zqntadd.exe needs (the application event log names it), or replace "
        "zqntadd.exe from the package" },
    { W_ERROR_14001_DRIVER_TOOL,
        "install the run-time library zqdrvtl.exe needs (the application event log names it)" },
    { W_USAGE,
        "usage: zqlog [--summary | --json | --json-lines] [--failed] [--last N] [--code-page N] FILE   (FILE - reads "
        "standard input)\n"
        "Tells what each run of zqrunadd in a ZQsetup.log did: its verdict (ok, failed or incomplete), its stages, "
        "and its lines with what they mean.\n"
        "  --summary      one line per run: its number, first and last line, verdict, and the stages that failed or "
        "did not finish\n"
        "  --json         one JSON document (format 2), for ticket tools; text in UTF-8\n"
        "  --json-lines   the same as one JSON object per run, a line each, then one line for the file\n"
        "  --failed       only the runs that are not ok (incomplete ones included)\n"
        "  --last N       only the last N runs of the file (taken before --failed filters them)\n"
        "  --code-page N  the code page the log was written in; one of: {}.\n"
        "{}"
        "Run numbers are always the file's own. Exit status: 0 when a log was read, 2 when none was.\n" },
    { W_USAGE_DEFAULT_WINDOWS,
        "                 Default: this machine's ANSI code page (GetACP), if zqlog knows it, else 1252.\n" },
    { W_USAGE_DEFAULT_HOST,
        "                 Default: 1252, read byte by byte: name the code page for a log from a double-byte system "
        "(932, 936, 949, 950).\n" },
    { W_USAGE_PROBLEM, "zqlog: {} (zqlog --help tells the usage)\n" },
    { W_CODE_PAGE_TAKES, "zqlog: --code-page takes one of {}\n" },
    { W_FOLDER_NOT_FILE, "a folder, not a file; name the ZQsetup.log in it" },
    { W_READ_FAILED, "a read failed part way" },
    { W_LAST_WANTS_NUMBER, "--last wants a number of runs, 1 or more" },
    { W_ONE_FILE_AT_A_TIME, "one file at a time" },
    { W_UNKNOWN_OPTION, "unknown option {}" },
    { W_NO_FILE_NAMED, "no file named" },
    { W_SUMMARY_AND_JSON, "--summary and {} do not go together" },
    { W_JSON_AND_JSON_LINES, "--json and --json-lines do not go together" },
    { W_SUMMARY_RUN, "run {}  lines {}-{}  {}" },
    { W_SUMMARY_LINE_UNTOLD, "?" },
    { W_SYSTEM_ROW, "system" },
    { W_NOTE_LINE, "note: {}\n" },
    { W_LINES_EITHER_RUNS,
        "       (from line {} on, a line below is this run's only where its own command line shows it: see the "
        "note)\n" },
    { W_AT_LINE, " (line {})" },
    { W_QUOTED, "\"{}\"" },
    { W_OR_QUOTED, " or \"{}\"" },
    { W_STAGE_NAME_SETTINGS, "settings" },
    { W_STAGE_NAME_SPOOLER, "spooler" },
    { W_STAGE_NAME_FAX_DECISION, "fax decision" },
    { W_STAGE_NAME_FAX, "fax" },
    { W_STAGE_NAME_PRINTER, "printer" },
    { W_STAGE_NAME_DRIVER_TOOL_FAX, "driver tool (fax)" },
    { W_STAGE_NAME_DRIVER_TOOL_PRINTER, "driver tool (printer)" },
};
static_assert(sizeof kRows / sizeof kRows[0] == WORD_COUNT, "a row for each word id");

unsigned long gUses[WORD_COUNT];

} // namespace

const char* Word(WordId id)
{
    ++gUses[id];
    return kRows[id].text;
}

namespace {

std::string Filled(const char* text, const std::string* fill, const std::string* end)
{
    // The text between the fills goes in at once: --summary says a line a run.
    std::string said;
    const char* c = text;
    for (const char* at; fill != end && (at = strstr(c, "{}")); c = at + 2) {
        said.append(c, at - c);
        said += *fill++;
    }
    return said += c;
}

} // namespace

std::string Say(WordId id, std::initializer_list<std::string> fills)
{
    return Filled(Word(id), fills.begin(), fills.end());
}

std::string Spoken(const Sentence& said)
{
    if (said.word == WORD_COUNT) {
        std::string text = said.text;
        for (const Sentence& fill : said.fills)
            text += Spoken(fill);
        return text;
    }
    std::vector<std::string> fills;
    for (const Sentence& fill : said.fills)
        fills.push_back(Spoken(fill));
    std::string text = Filled(Word(said.word), fills.data(), fills.data() + fills.size());
    if (said.anchor != WORD_COUNT) {
        const std::string anchor = Word(said.anchor);
        const size_t at = text.find(anchor);
        if (at != std::string::npos)
            text.insert(at + anchor.size(), said.atAnchor);
    }
    return text;
}

std::string Spoken(const Phrase& phrase)
{
    std::string text;
    for (const Sentence& part : phrase.parts)
        text += Spoken(part);
    return text;
}

std::string Count(long n, WordId one, WordId many)
{
    return std::to_string(n) + " " + Word(n == 1 ? one : many);
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
