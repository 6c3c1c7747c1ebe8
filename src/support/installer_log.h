// The installer log: "ZQsetup.log" in the Windows directory, appended to.
#ifndef ZQ_INSTALLER_LOG_H
#define ZQ_INSTALLER_LOG_H

// Appends text and CR LF. A null text writes a fixed warning line instead.
// Each call opens the file, sharing it with readers only, and closes it again.
// While another writer holds it the open is tried again every 50 ms for about
// 500 ms; a line that cannot be written (file held all that time, read-only,
// no log path) is dropped without notice.
void LogLine(const char* text);

#endif
