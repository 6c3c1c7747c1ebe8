// The Win32 errors a process start can give, as data: each with its English
// text as Windows gives it, Wine's where Wine's differs, what it means for the
// program that did not start, and what to check. A failed start reaches the
// log as the system's text, or, when the system has no text (Wine has none
// for some, and no text with an insert such as %1 can be made without one),
// as the unknown-error line with the code.
#ifndef ZQLOG_START_ERRORS_H
#define ZQLOG_START_ERRORS_H

#include <string>

#include "words.h"

struct StartErrorRow {
    long code;
    const char* windows; // Windows' English text, without its line end
    const char* wine; // Wine's English text where it differs; null for none or the same
    WordId meaning; // what the start failed for
    WordId addPrinter; // what to check for the add-printer tool
    WordId driverTool; // what to check for the driver-directory tool
};

// The row of a code; null for a code not in the table.
const StartErrorRow* StartErrorByCode(long code);
// The row whose text the system's text is (its lines joined by one blank); null for none.
const StartErrorRow* StartErrorByText(const std::string& systemText);
const StartErrorRow* AllStartErrors(unsigned* count);

#endif
