// The table of meanings: one row per text the program writes to its log,
// keyed on the program's own texts (src/support/log_texts.h).
#ifndef ZQLOG_MEANINGS_H
#define ZQLOG_MEANINGS_H

#include <string>

#include "order.h"

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

struct LaunchMeaning {
    const char* stage; // its name in the run's account
    const char* id; // its stage id in --json
    bool addPrinter; // the add-printer tool (else the driver-directory tool)
    const char* negativeExit; // a failure line right after the command line
    const char* tooLong; // the command line did not fit
    const char* notMade; // no line of it in a run that went past it
};

// Why a start failed, from the system's text: the English texts of the few
// errors that matter, or the code of the unknown-error warning.
enum StartError { START_NOT_FOUND, START_ACCESS_DENIED, START_BAD_EXE, START_UNKNOWN_CODE, START_UNKNOWN_TEXT };
StartError StartErrorOf(const std::string& systemText, const std::string& code);
// What to check for a failed start of the add-printer tool or the driver tool.
std::string Advice(StartError error, bool addPrinter, const std::string& code);
std::string StartedElsewhere(long line); // the same program started at that line
bool HasVariable(const std::string& dir); // a %NAME% in it
std::string UnexpandedDir();

const TextMeaning* FindMeaning(const char* text);
const TextMeaning* AllMeanings(unsigned* count);
const LaunchMeaning& LaunchOf(int launch);

#endif
