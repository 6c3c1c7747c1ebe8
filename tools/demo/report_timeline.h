// The page's timelines: per version run, to one scale for every version, the
// program and its launches drawn from the measured events only, with the
// gaps the road of a run explains.
#ifndef ZQ_DEMO_REPORT_TIMELINE_H
#define ZQ_DEMO_REPORT_TIMELINE_H

#include <string>

#include "report_data.h"

std::string TimelineSection(const Report& report);

#endif
