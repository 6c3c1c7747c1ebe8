// What the reader knows of a run when it ends, as plain data: the run's
// places, launches and lines, and what the rest of the log shows. The
// record (build_record.h) is made from this alone.
#ifndef ZQLOG_RUN_FACTS_H
#define ZQLOG_RUN_FACTS_H

#include <string>
#include <vector>

#include "grammar.h"
#include "word_ids.h"
#include "support/text_rules.h"

// What the whole log shows beyond one run: programs that started, and runs
// that reached the driver tools. Gathered as the log is read; a first pass
// over a file gives them for the later runs too. Bounded.
struct LogFacts {
    struct Started {
        bool addPrinter;
        std::string dir;
        long line;
        int run;
    };
    std::vector<Started> started; // the first start of each program, a few
    int firstDriverToolRun = 0, lastDriverToolRun = 0; // runs that launched a driver tool
    int firstPrinterEndRun = 0; // a run that ended after the printer stage
};

// What the reader keeps of one launch of a run.
struct LaunchState {
    Phase phase = PHASE_NONE; // the last of its lines so far
    Phase cause = PHASE_NONE; // what stood before its failure line: command, system text, warned, too long
    long line = 0; // of the announcement or of Command line too long
    long failedLine = 0;
    long commandLine = 0;
    bool command = false; // its command line came
    // Two runs at once: a system's text stood between its command line and
    // its failure line, and which of the two runs it is cannot be told.
    bool causeUntold = false;
    // Two runs at once, of different keys: the other run could have written
    // its driver-tool lines as well, so what they name is not this run's for sure.
    bool unsure = false;
    bool cut = false; // cut short, so arg is the start of the key path or name
    std::string dir, arg; // from the command line: the folder, and the key path or driver name
    std::string systemText, code; // the system's text of a failed start (none with the warning); the warning's code

    void Reset();
};

// What the reader keeps of the run it is in.
struct RunState {
    int number = 0;
    long first = 0, last = 0;
    int step = STEP_START; // the place in the program's order reached so far
    int firstStep = STEP_START;
    int stepBefore = STEP_START; // the place before the last line's, in two runs at once
    const GrammarRow* settingsEnd = nullptr;
    long settingsLine = 0;
    const GrammarRow* spooler = nullptr;
    long spoolerLine = 0, faxFlagLine = 0, faxNameLine = 0, nullLine = 0;
    LaunchState launches[LAUNCH_COUNT];
    Phrase gaps; // where lines are missing, as ids of words
    unsigned named = 0; // the missing launches named so far
    bool headless = false; // the run lost its first lines
    long lost = 0; // places where lines are missing
    long zeroLines = 0, gluedLines = 0, cutLines = 0, others = 0;
    bool endedByRun = false; // a new run began after it
    bool interleaves = false;
    bool spoolerSeen = false; // an earlier run of this log has a spooler line
    bool crashTail = false; // the log ends in zero bytes after this run's last line
    bool crashBefore = false; // zero bytes after this run's last line, another run after them
    bool endCut = false; // the log's last line, in this run, lost its line end: the log's end was lost
    int endCutLaunch = -1; // the launch whose command line that is
    bool zerosInFront = false; // the zero bytes in front of its first line ended the run before
    long othersPending = 0; // other programs' lines after the run's last line so far
    // Two runs that stood at the same place when a line came that either
    // could take: from tieLine on, which of them took such a line was the
    // reader's choice, not the log's. 0 for none.
    int tieWith = 0;
    long tieLine = 0;
    long boundLast = 0; // its last line that its own add-printer command line ties to it

    void Reset();
    // Tied, and the two took turns: a tie that never did was read one run
    // after the other, with nothing chosen between them.
    bool Tied() const { return tieWith && interleaves; }
};

// A run's facts as the record takes them.
struct RunFacts {
    const RunState& run;
    const LogFacts& known; // the whole log's, from a first pass, or the log's so far
    LeadByteTest isLead; // null when the text has no lead bytes
    bool spoolerSeen; // an earlier run of the log has a spooler line
    bool firstLineCut; // the log's first line is the end of a line
    bool causes; // causes and notes put into words
    bool laterSeen; // the runs after this one count: the log was read ahead, or none follows
    const RunState* tied = nullptr; // the run it cannot be told apart from, if any
};

#endif
