// The table of meanings, second part: the words of a run's account (its
// verdict, its stages' states and causes, its notes), of the conversion
// found, and of the closing line. meanings.cpp holds the words per line.
#ifndef ZQLOG_WORDING_H
#define ZQLOG_WORDING_H

#include <string>

#include "file_facts.h"
#include "run_record.h"
#include "words.h"

struct Words {
    WordId printerEnd; // a run that ends after the printer stage
    // Which cause the rest of the log makes likelier: none, hung, empty; then
    // none and empty when the log was read once, so later runs were unseen.
    WordId printerEndLikelier[5];
    WordId notMadeDriverTool;
    WordId interleave;
    WordId headless;
    WordId lost;
    WordId zeros;
    WordId glued;
    WordId cut;
    WordId emptyFaxName;
    WordId emptyProgramDir;
    WordId nullText;
    WordId others; // lines of other programs inside the run
    WordId crashTail;
    WordId crashBefore; // zero bytes between this run and the next
    WordId firstLineCut;
    // Stages' causes.
    WordId read, noSettingsLine, quotedKeySettings, noProgramDirSettings, emptyDriverName, driverNameUnread;
    WordId noSpoolerLine, notReached, faxOn, faxOnNoLine, noFaxStage, noFaxKeyShown, noFax, noFaxLaunchSeen;
    WordId notMadeNoFaxKey, notMadeNoFax, notMadeLost;
    WordId printerEndRunSaw;
    // Failed starts: causes and advice.
    WordId quotedKeyCause, quotedKeyAdvice, noProgramDirAdvice;
    WordId unknownTextAdvice, unknownCodeAdvice, commandMissing;
    WordId readOnce, onlyZeros, binary, empty;
    WordId why[WHY_COUNT]; // each why id's text, with no line number
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
