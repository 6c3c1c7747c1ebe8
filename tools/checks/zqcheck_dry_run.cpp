#include "zqcheck_dry_run.h"

#include <stdio.h>

#include "journal_file.h"
#include "world/world.h"
#include "zqcheck_output.h"
#include "zqcheck_prepare.h"

void SayWhatItTouches(const Machine* m, const char* reportPath)
{
    char line[4 * MAX_PATH], journal[MAX_PATH];
    JournalPath(journal);
    Say("With --throwaway, zqcheck touches only:");
    sprintf(line, "  the key HKEY_LOCAL_MACHINE\\%s and the folder %s: made, then removed", kZqcheckKey, m->folder);
    Say(line);
    if (m->spoolerKnown) {
        sprintf(line, "  the spooler (now %s, start type %lu): %sstopped and started, then left as it was",
            m->spoolerRunning ? "running" : "stopped", (unsigned long)m->spoolerStart,
            m->spoolerRunning ? "" : "started first, so that the driver directories answer; ");
        Say(line);
    }
    const char* files[3];
    for (int i = 0, count = TouchedFiles(m, files); i < count; ++i) {
        const FileMark mark = MarkFile(files[i]);
        sprintf(line, "  %s: %s", files[i],
            mark.error        ? "cannot be read: the run would refuse to start"
                : mark.exists ? "moved aside (\".zqcheck-saved\" appended) and put back"
                              : "not there; made, then removed");
        Say(line);
    }
    if (m->toolCount == 0)
        Say("  zqdrvtl.exe in each printer driver directory, which the spooler names once it runs");
    sprintf(line, "  its journal %s, written before each change and removed at the end", journal);
    Say(line);
    sprintf(line, "  its result file %s, written and kept", reportPath);
    Say(line);
}
