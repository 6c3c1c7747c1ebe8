// The page's lines: per version run, the program's exact command line and
// the log, each line with what it says, broken only between words.
#ifndef ZQ_DEMO_REPORT_LINES_H
#define ZQ_DEMO_REPORT_LINES_H

#include <string>

#include "report_data.h"

std::string LinesSection(const Report& report);

#endif
