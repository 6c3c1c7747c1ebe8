// The table of meanings, second part: the words of a run's account (its
// verdict, its stages' states and causes, its notes), of the conversion
// found, and of the closing line. meanings.cpp holds the words per line.
#ifndef ZQLOG_WORDING_H
#define ZQLOG_WORDING_H

#include <string>

#include "line_source.h"
#include "order.h"
#include "run_record.h"

struct Words {
    const char* stopped[STEP_COUNT]; // why a run cannot stop after this place, and what to look at
    const char* printerEnd; // a run that ends after the printer stage
    const char* printerEndLikelier[3]; // which cause the rest of the log makes likelier: none, hung, empty
    const char* notMadeDriverTool;
    const char* interleave;
    const char* headless;
    const char* lost;
    const char* zeros;
    const char* glued;
    const char* cut;
    const char* emptyFaxName;
    const char* emptyProgramDir;
    const char* nullText;
    const char* others; // lines of other programs inside the run
    const char* crashTail;
    const char* firstLineCut;
    // Stages' causes.
    const char *read, *noSettingsLine, *quotedKeySettings, *noProgramDirSettings, *emptyDriverName, *driverNameUnread;
    const char *noSpoolerLine, *notReached, *faxOn, *faxOnNoLine, *noFaxStage, *noFaxKeyShown, *noFax, *noFaxLaunchSeen;
    const char *notMadeNoFaxKey, *notMadeNoFax, *notMadeLost;
    const char* printerEndRunSaw;
    // Failed starts: causes and advice.
    const char *quotedKeyCause, *quotedKeyAdvice, *noProgramDirAdvice;
    const char *unknownTextAdvice, *unknownCodeAdvice, *commandMissing;
    const char *readOnce, *onlyZeros, *binary, *empty;
    const char* why[WHY_COUNT]; // each why id's text, with no line number
    const char* system[3]; // each system id's short text
};
extern const Words kWords;

const char* WhyText(WhyId why); // "" for WHY_NONE

// The top line for a converted log: what was found and what it costs; "" for none.
std::string ConversionSaid(Conversion conversion, Conversion lineEnds);
// The note for a log whose high bytes read as a double-byte code page.
std::string CodePageSaid(unsigned codePage);
// The closing line: the runs counted by verdict.
std::string ClosingLine(const long runs[VERDICT_COUNT], long lines, long others);
// "" for none; a short name of what made the verdict.
std::string VerdictLine(const RunRecord& record);

#endif
