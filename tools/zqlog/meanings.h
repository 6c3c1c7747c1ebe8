// The table of meanings: one row per text the program writes to its log,
// keyed on the program's own texts (src/support/log_texts.h).
#ifndef ZQLOG_MEANINGS_H
#define ZQLOG_MEANINGS_H

enum TextKind {
    TEXT_SETTINGS_END, // a settings line: the run ends with it
    TEXT_SPOOLER, // stage A
    TEXT_FAX_FLAG, // stage B: the fax goes in
    TEXT_FAX_NAME, // stage B, after the fax launch
    TEXT_ANNOUNCE, // a launch's announcement; its command line follows
    TEXT_FAILURE, // a launch's failure line
    TEXT_TOO_LONG, // in place of an announcement
    TEXT_NULL, // anywhere
};

struct TextMeaning {
    const char* text; // the program's own text
    TextKind kind;
    int launch; // for TEXT_ANNOUNCE and TEXT_FAILURE: the launch (0 to 3)
    const char* meaning; // what the line says, plain words
    const char* summary; // for the run's account: short
};

// The four launches that the log announces, in the order of a run.
enum { LAUNCH_FAX, LAUNCH_PRINTER, LAUNCH_FAX_TOOL, LAUNCH_PRINTER_TOOL, LAUNCH_COUNT };

struct LaunchMeaning {
    const char* stage; // its name in the run's account
    bool addPrinter; // the add-printer tool (else the driver-directory tool)
    const char* notStarted; // a start that failed: what to check
    const char* negativeExit; // a failure line right after the command line
    const char* tooLong; // the command line did not fit
    const char* notMade; // no line of it in a run that went past it
};

const TextMeaning* FindMeaning(const char* text);
const TextMeaning* AllMeanings(unsigned* count);
const LaunchMeaning& LaunchOf(int launch);

#endif
