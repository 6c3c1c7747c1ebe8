// Every text the program writes to its log, in one place: the program logs
// these, and the log reader (tools/zqlog) is keyed on them, so a text changed
// here changes both. Plain string literals, so the image stays as it was.
#ifndef ZQ_LOG_TEXTS_H
#define ZQ_LOG_TEXTS_H

// The settings: each ends the run.
#define LOG_NO_KEY_PATH "Registry value not specified in RunNTAdd"
#define LOG_KEY_PATH_TOO_LONG "Registry key path too long in RunNTAdd"
#define LOG_NO_PRINTER_NAME "Could not get Printer Name from the registry"
#define LOG_NO_PROGRAM_DIR "Could not get ProgramDir from the registry"

// Stage A, NT 4.0 or later only.
#define LOG_SPOOLER_RUNNING "OpenService the spooler is running"
#define LOG_SPOOLER_NOT_RUNNING "OpenService the spooler is not running"

// Stage B.
#define LOG_NO_FAX_FLAG "Could not get Fax Function Key from the registry which means Do install Fax"
#define LOG_NO_FAX_NAME "Could not get Fax Name from the registry"

// The launches: an announcement ending in " -->", then the command line as a
// line of its own; the failure line after a negative status.
#define LOG_FAX_ANNOUNCE "Calling ntAdd for Fax -->"
#define LOG_FAX_FAILED "Error executing NT Add Printer for FAX"
#define LOG_PRINTER_ANNOUNCE "Calling ntAdd for Printer Driver -->"
#define LOG_PRINTER_FAILED "Error executing NT Add Printer for Printer Driver"
#define LOG_FAX_TOOL_ANNOUNCE "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->"
#define LOG_FAX_TOOL_FAILED "Error executing zqsetdrv for fax driver"
#define LOG_PRINTER_TOOL_ANNOUNCE "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->"
#define LOG_PRINTER_TOOL_FAILED "Error executing zqsetdrv for printer driver"
// In place of the announcement when a command line does not fit its buffer.
#define LOG_COMMAND_TOO_LONG "Command line too long, not started"

// The command lines: "<ProgramDir>\zqntadd.exe" <key path> and
// <driver directory>\zqdrvtl.exe /n:<driver name>.
#define LOG_ADD_PRINTER_TOOL "\\zqntadd.exe\" "
#define LOG_DRIVER_TOOL "\\zqdrvtl.exe"
#define LOG_DRIVER_TOOL_NAME " /n:"

// A start that failed and for which the system has no text: the code as a
// signed decimal stands between the two parts; the command line follows.
#define LOG_UNKNOWN_ERROR_BEFORE "Warning! Unknown error code "
#define LOG_UNKNOWN_ERROR_AFTER " reported while executing command: "

#define LOG_NULL_TEXT "CRITICAL ERROR! Attempt to write NULL string to uninstaller log!"

#endif
