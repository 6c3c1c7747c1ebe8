// The table of meanings: one row per text the program writes to its log,
// keyed on the program's own texts (src/support/log_texts.h).
#ifndef ZQLOG_MEANINGS_H
#define ZQLOG_MEANINGS_H

#include <string>

#include "order.h"
#include "words.h"

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
    WordId meaning; // what the line says, plain words
    WordId summary; // for the run's account: short; WORD_COUNT for none
};

struct LaunchMeaning {
    WordId stage; // its name in the run's account
    const char* id; // its stage id in --json
    bool addPrinter; // the add-printer tool (else the driver-directory tool)
    WordId negativeExit; // a failure line right after the command line
    WordId negativeExitAdvice;
    WordId tooLong; // the command line did not fit
    WordId tooLongAdvice;
    WordId notMade; // no line of it in a run that went past it
};

std::string StartedElsewhere(long line, int run); // the same program started at that line, in that run
bool HasVariable(const std::string& dir); // a %NAME% in it
std::string UnexpandedDir();

const TextMeaning* FindMeaning(const char* text);
const TextMeaning* AllMeanings(unsigned* count);
const LaunchMeaning& LaunchOf(int launch);

#endif
