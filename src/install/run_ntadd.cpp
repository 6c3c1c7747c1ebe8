#include "run_ntadd.h"

#include <string.h>

#include "../support/code_page.h"
#include "../support/installer_log.h"
#include "../support/log_texts.h"
#include "registry_text.h"

int RunNTAdd(const char* keyPath)
{
    if (!keyPath) {
        LogLine(LOG_NO_KEY_PATH);
        return 0;
    }

    struct RunValues values;
    memset(&values, 0, sizeof values);
    values.installFax = 1;
    // A longer path would be cut into another key: refuse it instead.
    if (!CopyText(values.keyPath, KEY_PATH_SIZE, keyPath)) {
        LogLine(LOG_KEY_PATH_TOO_LONG);
        return 0;
    }

    if (!ReadRunValue(values.keyPath, "Driver Name", values.printerDriverName, DRIVER_NAME_SIZE,
            &values.printerDriverNameRead, LOG_NO_PRINTER_NAME))
        return 0;

    char installRoot[KEY_PATH_SIZE];
    InstallRootKeyPath(values.keyPath, installRoot, IsSystemLeadByte);
    if (!ReadRunValue(
            installRoot, "ProgramDir", values.programDir, PROGRAM_DIR_SIZE, &values.programDirRead, LOG_NO_PROGRAM_DIR))
        return 0;

    RunInstallStages(&values);
    return 0;
}
