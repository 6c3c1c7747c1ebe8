// The words of each launch, and the helpers of the launches' words. The
// words of each text of the program's stand in its grammar row (grammar.cpp).
#ifndef ZQLOG_MEANINGS_H
#define ZQLOG_MEANINGS_H

#include <string>

#include "grammar.h"
#include "word_ids.h"

struct LaunchMeaning {
    WordId stage; // its name in the run's account
    const char* id; // its stage id in --json
    bool addPrinter; // the add-printer tool (else the driver-directory tool)
    WordId negativeExit; // a failure line right after the command line
    WordId negativeExitAdvice;
    WordId tooLong; // the command line did not fit
    WordId tooLongAdvice;
};

bool HasVariable(const std::string& dir); // a %NAME% in it

const LaunchMeaning& LaunchOf(int launch);

#endif
