// The installer log: "ZQsetup.log" in the Windows directory, appended to.
#ifndef ZQ_INSTALLER_LOG_H
#define ZQ_INSTALLER_LOG_H

// Appends text and CR LF. A null text writes a fixed warning line instead.
// Each call opens the file without sharing and closes it again; a line that
// cannot be written (file held by another process, read-only, no log path) is
// dropped without notice.
void LogLine(const char* text);

#endif
