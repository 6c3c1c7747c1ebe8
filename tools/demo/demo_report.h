// The demo's page: one HTML file that opens from disk with nothing from
// elsewhere (no script, styles inline). The summary table, then per version a
// timeline drawn to scale as inline SVG from the measured events only, the
// log with each line's meaning, and the exact command lines. Texts come in as
// UTF-8; nothing here calls the platform. Each section is a unit of its own
// (report_summary, report_timeline, report_lines); this one puts them
// together.
#ifndef ZQ_DEMO_REPORT_H
#define ZQ_DEMO_REPORT_H

#include <string>

#include "report_data.h"
#include "report_summary.h"

std::string ReportPage(const Report& report);

#endif
