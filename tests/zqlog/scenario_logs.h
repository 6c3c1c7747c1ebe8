// The logs of the scenario rows (tools/checks/check_rows.c), the one table
// of what each run writes, filled in for a machine of fixed names: the
// Windows folder C:\windows, the driver directory of NT, the runner's folder
// C:\zqtest and its key SOFTWARE\ZqTest; the system's texts are Windows'
// English ones from zqlog's table of start errors.
#ifndef ZQ_TEST_ZQLOG_SCENARIO_LOGS_H
#define ZQ_TEST_ZQLOG_SCENARIO_LOGS_H

#include <string.h>

#include <string>

#include "check_rows.h"
#include "start_errors.h"

inline long EnglishSystemText(unsigned long code, char* out, unsigned long size)
{
    const StartErrorRow* row = StartErrorByCode((long)code);
    if (!row || strstr(row->windows, "%1"))
        return -1; // a text with an insert: the program gets none
    const std::string text = std::string(row->windows) + "\r\n";
    if (text.size() > size)
        return -1;
    text.copy(out, text.size());
    return (long)text.size();
}

// The bytes the row's run leaves in the log (what stood before it too), on
// the road of NT 4.0 and later or the other (-1: the row's own, NT 4.0's for
// a row of both); "" for no such row.
inline std::string ScenarioLog(const std::string& name, int nt4Road = -1)
{
    for (unsigned i = 0; i < kCheckRowCount; ++i) {
        const CheckRow& row = kCheckRows[i];
        if (name != row.name)
            continue;
        // Windows 9x's driver directory is not NT's.
        const bool nine = row.version && strncmp(row.version, "win9", 4) == 0;
        CheckPlaces places = { "C:\\windows", "C:\\windows\\system32\\spool\\drivers\\w32x86",
            nine ? "C:\\windows\\system\\spool\\drivers\\win40" : "C:\\windows\\system32\\spool\\drivers\\w32x86",
            "C:\\zqtest", "SOFTWARE\\ZqTest", nt4Road >= 0 ? nt4Road : row.road != ROAD_OLD, 0, 'f',
            EnglishSystemText };
        if (!FitCheckRow(&row, &places))
            return "";
        std::string bytes;
        for (const char* text : { row.logBefore, row.log }) {
            std::string out(1 << 16, '\0');
            const long length = text ? ExpandCheckText(text, &places, &out[0], out.size()) : 0;
            if (length < 0)
                return "";
            bytes += out.substr(0, (size_t)length);
        }
        return bytes;
    }
    return "";
}

#endif
