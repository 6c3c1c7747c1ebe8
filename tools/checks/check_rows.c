/* The scenario rows as constant data: the world before a run of zqrunadd.exe
   and what the run must leave behind. The placeholders are listed in
   check_rows.h. C, for its designated initializers: a row names only what it
   sets. */
#include "check_rows.h"

#define REG_SZ 1
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7

/* A row's parts read best one to a line. */
/* clang-format off */
/* ---- what the rows are made of ----------------------------------------- */

#define ROOT "{root}"
#define PRINTER_KEY ROOT "\\Install\\Printer"
#define FAX_KEY ROOT "\\Install\\Fax"
#define PROG "{dir}\\prog"
#define FAX_NAME "Zq Fax Driver"
#define PRINTER_NAME "Zq Printer Driver"

#define RUNNING "{nt4:OpenService the spooler is running\r\n}"
#define NO_FAX_FLAG "Could not get Fax Function Key from the registry which means Do install Fax\r\n"
/* The system's text ends in CR LF itself, so an empty line follows it. */
#define FILE_NOT_FOUND "{text:2}\r\n"
#define TOO_LONG "Command line too long, not started\r\n"
#define FAX_FAILED "Error executing NT Add Printer for FAX\r\n"
#define PRINTER_FAILED "Error executing NT Add Printer for Printer Driver\r\n"

#define ADD_LINE(dir, key) "\"" dir "\\zqntadd.exe\" " key
#define FAX_LINES(dir, key) "Calling ntAdd for Fax -->\r\n" ADD_LINE(dir, key) "\r\n"
#define PRINTER_LINES(dir, key) "Calling ntAdd for Printer Driver -->\r\n" ADD_LINE(dir, key) "\r\n"
#define FAX_TOOL_LINES(fax)                                                                                            \
    "Calling zqsetdrv(zqdrvtl) for fax driver from RunNTAdd -->\r\n{drv}\\zqdrvtl.exe /n:" fax "\r\n"
#define PRINTER_TOOL_LINES(printer)                                                                                    \
    "Calling zqsetdrv(zqdrvtl) for printer driver from RunNTAdd -->\r\n{drv}\\zqdrvtl.exe /n:" printer "\r\n"
#define TOOL_LINES(fax, printer) FAX_TOOL_LINES(fax) PRINTER_TOOL_LINES(printer)

/* Launch records, as the doubles write them. */
#define SHELL_START "{nt4:zqdrvtl|hidden|\"{nt}\\zqdrvtl.exe\"\n}"
#define ADD_RUN(dir, key) "zqntadd|-|" ADD_LINE(dir, key) "\n"
#define TOOL_RUNS(fax, printer) "zqdrvtl|-|{drv}\\zqdrvtl.exe /n:" fax "\nzqdrvtl|-|{drv}\\zqdrvtl.exe /n:" printer "\n"

/* A run whose values are all given. */
#define ROAD_LOG(key, fax, dir, faxName, printerName)                                                                  \
    RUNNING NO_FAX_FLAG FAX_LINES(dir, fax) PRINTER_LINES(dir, key) TOOL_LINES(faxName, printerName)
#define ROAD_LAUNCHES(key, fax, dir, faxName, printerName)                                                             \
    SHELL_START ADD_RUN(dir, fax) ADD_RUN(dir, key) TOOL_RUNS(faxName, printerName)

/* The whole typical road with the fax, for the sample installation. */
#define TYPICAL_LOG ROAD_LOG(PRINTER_KEY, FAX_KEY, PROG, FAX_NAME, PRINTER_NAME)
#define TYPICAL_LAUNCHES ROAD_LAUNCHES(PRINTER_KEY, FAX_KEY, PROG, FAX_NAME, PRINTER_NAME)
/* The flag was read and is not TRUE: no line about it. */
#define FLAG_READ_LOG                                                                                                  \
    RUNNING FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY) TOOL_LINES(FAX_NAME, PRINTER_NAME)
/* Without the fax: launch 2 and the fax name read go. */
#define NO_FAX_LOG RUNNING PRINTER_LINES(PROG, PRINTER_KEY) TOOL_LINES("", PRINTER_NAME)
#define NO_FAX_LAUNCHES SHELL_START ADD_RUN(PROG, PRINTER_KEY) TOOL_RUNS("", PRINTER_NAME)
/* Launch 2 is made, but no fax driver name was read for launch 4. */
#define NO_FAX_NAME_LAUNCHES SHELL_START ADD_RUN(PROG, FAX_KEY) ADD_RUN(PROG, PRINTER_KEY) TOOL_RUNS("", PRINTER_NAME)

/* The sample installation: printer driver, program directory, fax driver. */
#define INSTALLATION_AT(printerKey, root, faxKey)                                                                      \
    { printerKey, "Driver Name", REG_SZ, PRINTER_NAME "{0}" }, { root, "ProgramDir", REG_SZ, PROG "{0}" },             \
        { faxKey, "Driver Name", REG_SZ, FAX_NAME "{0}" }
#define INSTALLATION INSTALLATION_AT(PRINTER_KEY, ROOT, FAX_KEY)
#define NO_FAX_FUNCTION(type, data) { FAX_KEY, "No Fax Function", type, data }
#define END { 0, 0, 0, 0 }
/* A later value of the same name replaces an earlier one. */
#define VALUES(...) ((const CheckValue[]) { __VA_ARGS__, END })

/* The typical installation, and the same with more values: a later value of
   the same name replaces an earlier one. A row sets each field once (the
   compiler's -Woverride-init holds it to that), so the shared parts come as
   whole fields. */
#define TYPICAL .tail = PRINTER_KEY, .registry = VALUES(INSTALLATION)
#define TYPICAL_WITH(...) .tail = PRINTER_KEY, .registry = VALUES(INSTALLATION, __VA_ARGS__)
#define FLAG(rowId, text, off, isCore)                                                                                 \
    {                                                                                                                  \
        .id = rowId, .name = "No Fax Function = '" text "'", .core = isCore,                                           \
        TYPICAL_WITH(NO_FAX_FUNCTION(REG_SZ, text "{0}")),                                                             \
        .log = off ? NO_FAX_LOG : FLAG_READ_LOG, .launches = off ? NO_FAX_LAUNCHES : TYPICAL_LAUNCHES                  \
    }
#define ON_VERSION(v)                                                                                                  \
    {                                                                                                                  \
        .id = "road-" v, .name = "the typical road on " v, TYPICAL, .version = v, .log = TYPICAL_LOG,                  \
        .launches = TYPICAL_LAUNCHES                                                                                   \
    }
/* A key path that opens, given exactly on the command line. */
#define PLAIN ROOT "\\Plain"
#define STARTUP_OPENS(rowId, title, line, page)                                                                        \
    {                                                                                                                  \
        .id = rowId, .name = "start-up: " title, .commandLine = line, .codePage = page,                                \
        .registry = PLAIN_VALUES,                                                                                      \
        .log = RUNNING PRINTER_LINES(PROG, PLAIN) TOOL_LINES("", PRINTER_NAME),                                        \
        .launches = ADD_RUN(PROG, PLAIN) TOOL_RUNS("", PRINTER_NAME)                                                   \
    }
#define STARTUP_FAILS(rowId, title, line, tail, page)                                                                  \
    {                                                                                                                  \
        .id = rowId, .name = "start-up: " title, .commandLine = line, .codePage = page,                                \
        .registry = PLAIN_VALUES,                                                                                      \
        .log = RUNNING PRINTER_LINES("", tail) FILE_NOT_FOUND PRINTER_FAILED TOOL_LINES("", ""),                       \
        .launches = TOOL_RUNS("", "")                                                                                  \
    }
#define PLAIN_VALUES                                                                                                   \
    VALUES({ PLAIN, "Driver Name", REG_SZ, PRINTER_NAME "{0}" }, { PLAIN, "ProgramDir", REG_SZ, PROG "{0}" })

/* The add-printer line holds 15 bytes of its own: with the printer key, a
   folder of the right length makes it 259 characters, the most that fits. */
#define FITS "{dir}\\{fit}"
#define FIT_259 .fitMeasure = ADD_LINE(FITS, PRINTER_KEY), .fitLength = 259, .fitChar = 'd'

#define HIGH ROOT "\\\xC4\xFF"
#define HIGH_KEY HIGH "\\Install\\Printer"
#define HIGH_FAX HIGH "\\Install\\Fax"
#define HIGH_DIR "{dir}\\pr\xF6g \xA0"

/* Under code page 932: 83 49 is one character whose trail byte is "I", 95 5C
   one whose trail byte is a backslash. */
#define TRAIL_KEY ROOT "\\\x83Install\\Printer"
#define TRAIL_FAX ROOT "\\\x83Install\\Fax"
#define DBCS ROOT "\\\x95\x5C"
#define DBCS_KEY DBCS "Install\\Printer"
#define DBCS_FAX DBCS "Install\\Fax"
#define DBCS_DIR "{dir}\\\x95\x5C"
#define DBCS_PRINTER "\x83\x76\x83\x8A\x83\x93\x83\x5E"
#define DBCS_FAX_NAME "\x83\x74\x83\x40\x83\x62\x83\x4E\x83\x58"
/* clang-format on */

/* ---- the rows ------------------------------------------------------------ */

const CheckRow kCheckRows[] = {
    { .id = "typical-nt",
        .name = "typical road on NT, fax value missing",
        TYPICAL,
        .core = 1,
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },

    /* The fax decision: only TRUE in any letter case turns the fax off. */
    FLAG("fax-off-true", "TRUE", 1, 1),
    FLAG("fax-off-lower", "true", 1, 0),
    FLAG("fax-on-blank", "TRUE ", 0, 0),
    FLAG("fax-on-one", "1", 0, 0),
    FLAG("fax-on-yes", "yes", 0, 0),
    FLAG("fax-on-false", "FALSE", 0, 0),

    { .id = "fax-key-missing",
        .name = "a fax key that does not exist installs the fax, and says nothing of the key",
        .tail = PRINTER_KEY,
        .registry = VALUES(INSTALLATION_AT(PRINTER_KEY, ROOT, ROOT "\\Elsewhere")),
        .log = RUNNING FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY) TOOL_LINES("", PRINTER_NAME),
        .launches = NO_FAX_NAME_LAUNCHES },
    { .id = "fax-name-missing",
        .name = "a fax key without a Driver Name",
        TYPICAL_WITH({ FAX_KEY, "Driver Name", REG_SZ, "{50*f}{0}" }, NO_FAX_FUNCTION(REG_SZ, "no{0}")),
        .log = RUNNING FAX_LINES(PROG, FAX_KEY) "Could not get Fax Name from the registry\r\n" PRINTER_LINES(
            PROG, PRINTER_KEY) TOOL_LINES("", PRINTER_NAME),
        .launches = NO_FAX_NAME_LAUNCHES },

    /* Key paths. */
    { .id = "key-without-printer",
        .name = "a key path without Printer skips the fax stage",
        .tail = ROOT "\\Device",
        .registry = VALUES({ ROOT "\\Device", "Driver Name", REG_SZ, PRINTER_NAME "{0}" },
            { ROOT "\\Device", "ProgramDir", REG_SZ, PROG "{0}" }),
        .log = RUNNING PRINTER_LINES(PROG, ROOT "\\Device") TOOL_LINES("", PRINTER_NAME),
        .launches = ADD_RUN(PROG, ROOT "\\Device") TOOL_RUNS("", PRINTER_NAME) },
    { .id = "printer-twice",
        .name = "Install\\Printer twice: both keys are cut at the first",
        .tail = PRINTER_KEY "\\Install\\Printer",
        .registry = VALUES(INSTALLATION_AT(PRINTER_KEY "\\Install\\Printer", ROOT, FAX_KEY)),
        .log = ROAD_LOG(PRINTER_KEY "\\Install\\Printer", FAX_KEY, PROG, FAX_NAME, PRINTER_NAME),
        .launches = ROAD_LAUNCHES(PRINTER_KEY "\\Install\\Printer", FAX_KEY, PROG, FAX_NAME, PRINTER_NAME) },
    { .id = "printers-plural",
        .name = "Printers counts as Printer for the fax key",
        .tail = ROOT "\\Printers\\Install\\Printer",
        .registry = VALUES(INSTALLATION_AT(ROOT "\\Printers\\Install\\Printer", ROOT "\\Printers", ROOT "\\Fax")),
        .log = ROAD_LOG(ROOT "\\Printers\\Install\\Printer", ROOT "\\Fax", PROG, FAX_NAME, PRINTER_NAME),
        .launches = ROAD_LAUNCHES(ROOT "\\Printers\\Install\\Printer", ROOT "\\Fax", PROG, FAX_NAME, PRINTER_NAME) },

    /* Before NT 4.0 there is no spooler wait and no shell start; launches 2
       to 5 are made as usual, from the running system's driver directory. */
    { .id = "old-win95",
        .name = "win95: not NT 4.0 or later, so no spooler line and no shell start",
        TYPICAL,
        .road = ROAD_OLD,
        .version = "win95",
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "old-win98",
        .name = "win98: not NT 4.0 or later, so no spooler line and no shell start",
        TYPICAL,
        .road = ROAD_OLD,
        .version = "win98",
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "old-nt351",
        .name = "nt351: not NT 4.0 or later, so no spooler line and no shell start",
        TYPICAL,
        .road = ROAD_OLD,
        .version = "nt351",
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    ON_VERSION("nt40"),
    ON_VERSION("win2k"),
    ON_VERSION("winxp"),
    ON_VERSION("win7"),

    /* Wine's print provider runs in the caller; on NT it runs in the spooler
       service, so with the spooler stopped no driver directory comes back. */
    { .id = "spooler-stopped",
        .name = "the spooler stopped: it still opens, so it counts as running after the whole wait",
        TYPICAL,
        .road = ROAD_NT4,
        .needs = NEED_SPOOLER_CONTROL,
        .spoolerStopped = 1,
        .atLeastMs = 10000,
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES,
        .otherOn = "NT itself: its print provider runs in the stopped spooler, so no driver directory comes back",
        .otherLog = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY),
        .otherLaunches = ADD_RUN(PROG, FAX_KEY) ADD_RUN(PROG, PRINTER_KEY) },

    /* The add-printer tool's outcomes. */
    { .id = "add-tool-missing",
        .name = "a missing add-printer tool: the system's text, then the error line, for each run",
        TYPICAL,
        .addPrinterToolMissing = 1,
        .log = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) FILE_NOT_FOUND FAX_FAILED PRINTER_LINES(PROG, PRINTER_KEY)
            FILE_NOT_FOUND PRINTER_FAILED TOOL_LINES(FAX_NAME, PRINTER_NAME),
        .launches = SHELL_START TOOL_RUNS(FAX_NAME, PRINTER_NAME) },

    /* A shell start that fails is no more than that: no error box waits for
       a click, nothing is logged, and the run goes on. */
    { .id = "driver-tool-missing",
        .name = "the driver-directory tool missing: the shell start fails quietly, launches 4 and 5 fail",
        TYPICAL,
        .driverToolMissing = 1,
        .log = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY) FAX_TOOL_LINES(FAX_NAME)
            FILE_NOT_FOUND "Error executing zqsetdrv for fax driver\r\n" PRINTER_TOOL_LINES(PRINTER_NAME) FILE_NOT_FOUND
        "Error executing zqsetdrv for printer driver\r\n",
        .launches = ADD_RUN(PROG, FAX_KEY) ADD_RUN(PROG, PRINTER_KEY) },
    { .id = "no-shell32",
        .name = "no shell32.dll to load: no shell start, the rest as usual",
        TYPICAL,
        .road = ROAD_NT4,
        .needs = NEED_WINE_DLLS,
        .shellMissing = 1,
        .log = TYPICAL_LOG,
        .launches = ADD_RUN(PROG, FAX_KEY) ADD_RUN(PROG, PRINTER_KEY) TOOL_RUNS(FAX_NAME, PRINTER_NAME) },

    /* Without the print provider both driver-directory queries fail. The
       shell start falls back to the bare name, which the path search does not
       find (it would start a zqdrvtl.exe in the system folder), and the run
       ends after the printer stage. */
    { .id = "no-print-provider",
        .name = "no print provider: no driver directory, so the log ends with the printer stage",
        TYPICAL,
        .needs = NEED_WINE_DLLS,
        .printProviderMissing = 1,
        .log = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY),
        .launches = ADD_RUN(PROG, FAX_KEY) ADD_RUN(PROG, PRINTER_KEY) },
    { .id = "shell-tool-busy",
        .name = "a shell-started tool busy for 8 s: the fax launch comes once it has ended",
        TYPICAL,
        .road = ROAD_NT4,
        .shellToolBusyMs = 8000,
        .atLeastMs = 8000,
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "add-exit-1",
        .name = "an add-printer tool that exits with 1 is not reported",
        TYPICAL,
        .addPrinterExit = "1",
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "add-exit-crash",
        .name = "an add-printer tool that exits with 0xC0000005 is reported",
        TYPICAL,
        .addPrinterExit = "3221225477",
        .log = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) FAX_FAILED PRINTER_LINES(PROG, PRINTER_KEY)
            PRINTER_FAILED TOOL_LINES(FAX_NAME, PRINTER_NAME),
        .launches = TYPICAL_LAUNCHES },
    { .id = "driver-tool-exit",
        .name = "the driver-directory tool's exit code is never looked at",
        TYPICAL,
        .driverToolExit = "3221225477",
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },

    /* Settings that end the run, or are not read. */
    { .id = "printer-name-49",
        .name = "a 49-character printer driver name is read",
        TYPICAL_WITH({ PRINTER_KEY, "Driver Name", REG_SZ, "{49*p}{0}" }),
        .log = ROAD_LOG(PRINTER_KEY, FAX_KEY, PROG, FAX_NAME, "{49*p}"),
        .launches = ROAD_LAUNCHES(PRINTER_KEY, FAX_KEY, PROG, FAX_NAME, "{49*p}") },
    { .id = "printer-name-50",
        .name = "a 50-character printer driver name ends the run",
        .tail = PRINTER_KEY,
        .registry = VALUES(INSTALLATION, { PRINTER_KEY, "Driver Name", REG_SZ, "{50*p}{0}" }),
        .log = "Could not get Printer Name from the registry\r\n",
        .launches = "" },
    { .id = "printer-name-binary",
        .name = "a 50-byte binary name without a zero byte does not fit",
        .tail = PRINTER_KEY,
        .registry = VALUES(INSTALLATION, { PRINTER_KEY, "Driver Name", REG_BINARY, "{50*b}" }),
        .log = "Could not get Printer Name from the registry\r\n",
        .launches = "" },
    { .id = "program-dir-260",
        .name = "a 260-byte ProgramDir does not fit and ends the run",
        .tail = PRINTER_KEY,
        .registry = VALUES(INSTALLATION, { ROOT, "ProgramDir", REG_SZ, "{260*d}{0}" }),
        .log = "Could not get ProgramDir from the registry\r\n",
        .launches = "" },
    { .id = "printer-key-missing",
        .name = "a missing printer key: nothing said, the values stand empty",
        .tail = ROOT "\\Missing\\Install\\Printer",
        .log = RUNNING FAX_LINES("", ROOT "\\Missing\\Install\\Fax") FILE_NOT_FOUND FAX_FAILED PRINTER_LINES(
            "", ROOT "\\Missing\\Install\\Printer") FILE_NOT_FOUND PRINTER_FAILED TOOL_LINES("", ""),
        .launches = SHELL_START TOOL_RUNS("", "") },
    /* For an administrator only: others may not open HKEY_LOCAL_MACHINE
       itself for full access, and the run goes on without a line. */
    { .id = "empty-tail",
        .name = "an empty tail opens HKEY_LOCAL_MACHINE itself, which has no Driver Name",
        .tail = "",
        .needs = NEED_ADMIN,
        .log = "Could not get Printer Name from the registry\r\n",
        .launches = "" },

    /* The log. */
    { .id = "log-kept",
        .name = "an existing log keeps its lines",
        TYPICAL,
        .logBefore = "an earlier run\r\n",
        .log = "an earlier run\r\n" TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "log-held",
        .name = "a log held open by another process loses the lines, the run goes on",
        TYPICAL,
        .logBefore = "an earlier run\r\n",
        .logState = CHECK_LOG_HELD,
        .log = "an earlier run\r\n",
        .launches = TYPICAL_LAUNCHES },
    { .id = "log-viewer",
        .name = "a viewer that reads the log, sharing read and write, through the run: every line is written",
        TYPICAL,
        .logBefore = "an earlier run\r\n",
        .logState = CHECK_LOG_READ,
        .log = "an earlier run\r\n" TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    /* The add-printer tool's child holds the log, sharing read and write, as
       the next line is written, then appends its own line: only the program's
       refusal to share writing keeps the two apart. */
    { .id = "log-peer",
        .name = "a peer writer holds the log over the next line: that line follows the peer's, whole",
        TYPICAL,
        .logPeer = 1,
        .log = RUNNING NO_FAX_FLAG FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(
            PROG, PRINTER_KEY) "a line of the add-printer tool's child\r\n" TOOL_LINES(FAX_NAME, PRINTER_NAME),
        .launches = TYPICAL_LAUNCHES },
    /* Wine run by root writes a read-only file all the same, so a folder in
       the log's place stands for a log that cannot be opened for writing. */
    { .id = "log-unopenable",
        .name = "a log that cannot be opened loses the lines, the run goes on",
        TYPICAL,
        .logState = CHECK_LOG_FOLDER,
        .log = "",
        .launches = TYPICAL_LAUNCHES },

    /* The start-up rule: the tail shows in the printer launch's command line. */
    STARTUP_OPENS("startup-quoted-name", "a quoted name, blanks, a tab and \\x01 before the tail",
        "\"C:\\Some Folder\\zqrunadd.exe\"  \t\x01" PLAIN, 0),
    STARTUP_OPENS("startup-high-name", "a name with a high byte", "zq\xe9run.exe " PLAIN, 1252),
    STARTUP_OPENS("startup-lone-quote", "a lone quote inside the name", "zq\"run " PLAIN, 0),
    STARTUP_FAILS("startup-quoted-tail", "a quoted tail keeps its quotes and blanks",
        "zqrunadd.exe \"" ROOT "\\Quoted Key\"  ", "\"" ROOT "\\Quoted Key\"  ", 0),
    STARTUP_FAILS("startup-x1f", "\\x1f ends the name, high bytes stay in the tail",
        "zqrunadd.exe\x1f" PLAIN " \xe9\xff", PLAIN " \xe9\xff", 1252),

    /* Registry contents and sizes that no setup package should write, but
       that the program must survive: exit code 0, whole lines, nothing read
       past a buffer. */
    { .id = "dword-true",
        .name = "a DWORD whose bytes spell TRUE turns the fax off (the type is not looked at)",
        TYPICAL_WITH(NO_FAX_FUNCTION(REG_DWORD, "TRUE")),
        .log = NO_FAX_LOG,
        .launches = NO_FAX_LAUNCHES },
    { .id = "binary-names",
        .name = "binary names without a zero byte, a multi-string, a DWORD",
        TYPICAL_WITH({ PRINTER_KEY, "Driver Name", REG_BINARY, "Zq Binary" },
            { FAX_KEY, "Driver Name", REG_MULTI_SZ, "Zq One{0}Zq Two{0}{0}" },
            NO_FAX_FUNCTION(REG_DWORD, "\x01{0}{0}{0}")),
        .log = RUNNING FAX_LINES(PROG, FAX_KEY) PRINTER_LINES(PROG, PRINTER_KEY) TOOL_LINES("Zq One", "Zq Binary"),
        .launches = ROAD_LAUNCHES(PRINTER_KEY, FAX_KEY, PROG, "Zq One", "Zq Binary") },
    /* "No Fax Function" is read into 260 bytes. */
    { .id = "fax-flag-259",
        .name = "a 259-character No Fax Function is read (and is not TRUE)",
        TYPICAL_WITH(NO_FAX_FUNCTION(REG_SZ, "{255* }TRUE{0}")),
        .log = FLAG_READ_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "fax-flag-260",
        .name = "a 260-character No Fax Function does not fit: the fax is installed",
        TYPICAL_WITH(NO_FAX_FUNCTION(REG_SZ, "{260*x}{0}")),
        .log = TYPICAL_LOG,
        .launches = TYPICAL_LAUNCHES },
    { .id = "empty-values",
        .name = "empty values: a name with no bytes at all, an empty folder",
        TYPICAL_WITH({ PRINTER_KEY, "Driver Name", REG_SZ, "" }, { ROOT, "ProgramDir", REG_SZ, "{0}" },
            { FAX_KEY, "Driver Name", REG_BINARY, "" }),
        .addPrinterToolMissing = 1,
        .log = RUNNING NO_FAX_FLAG FAX_LINES("", FAX_KEY) FILE_NOT_FOUND FAX_FAILED PRINTER_LINES("", PRINTER_KEY)
            FILE_NOT_FOUND PRINTER_FAILED TOOL_LINES("", ""),
        .launches = SHELL_START TOOL_RUNS("", "") },
    { .id = "program-dir-fits",
        .name = "a ProgramDir that makes the printer line exactly 259 characters",
        TYPICAL_WITH({ ROOT, "ProgramDir", REG_SZ, FITS "{0}" }),
        FIT_259,
        .alsoToolDir = FITS,
        .log = ROAD_LOG(PRINTER_KEY, FAX_KEY, FITS, FAX_NAME, PRINTER_NAME),
        .launches = ROAD_LAUNCHES(PRINTER_KEY, FAX_KEY, FITS, FAX_NAME, PRINTER_NAME) },
    { .id = "program-dir-over",
        .name = "a ProgramDir that makes the printer line one byte too long",
        TYPICAL_WITH({ ROOT, "ProgramDir", REG_SZ, FITS "d{0}" }),
        FIT_259,
        .alsoToolDir = FITS "d",
        .log
        = RUNNING NO_FAX_FLAG FAX_LINES(FITS "d", FAX_KEY) TOO_LONG PRINTER_FAILED TOOL_LINES(FAX_NAME, PRINTER_NAME),
        .launches = SHELL_START ADD_RUN(FITS "d", FAX_KEY) TOOL_RUNS(FAX_NAME, PRINTER_NAME) },
    { .id = "program-dir-259",
        .name = "a 259-byte ProgramDir is read; no line has room for it",
        TYPICAL_WITH({ ROOT, "ProgramDir", REG_SZ, "{259*d}{0}" }),
        .log = RUNNING NO_FAX_FLAG TOO_LONG FAX_FAILED TOO_LONG PRINTER_FAILED TOOL_LINES(FAX_NAME, PRINTER_NAME),
        .launches = SHELL_START TOOL_RUNS(FAX_NAME, PRINTER_NAME) },
    { .id = "key-path-259",
        .name = "a 259-character key path is taken; its add-printer line does not fit",
        .tail = ROOT "\\{fit}",
        .fitMeasure = ROOT "\\{fit}",
        .fitLength = 259,
        .fitChar = 'k',
        .log = RUNNING TOO_LONG PRINTER_FAILED TOOL_LINES("", ""),
        .launches = TOOL_RUNS("", "") },
    { .id = "key-path-260",
        .name = "a 260-character key path is refused",
        .tail = ROOT "\\{fit}",
        .fitMeasure = ROOT "\\{fit}",
        .fitLength = 260,
        .fitChar = 'k',
        .log = "Registry key path too long in RunNTAdd\r\n",
        .launches = "" },
    /* Written for code page 1252: in another, some of these bytes name no
       character and do not come back from the registry as they went in. */
    { .id = "high-bytes",
        .name = "high bytes in every value",
        .tail = HIGH_KEY,
        .codePage = 1252,
        .registry = VALUES({ HIGH_KEY, "Driver Name", REG_SZ, "Printer \xC0\xFE{0}" },
            { HIGH, "ProgramDir", REG_SZ, HIGH_DIR "{0}" }, { HIGH_FAX, "Driver Name", REG_SZ, "Fax \xE9\xE8\xFF{0}" }),
        .alsoToolDir = HIGH_DIR,
        .log = ROAD_LOG(HIGH_KEY, HIGH_FAX, HIGH_DIR, "Fax \xE9\xE8\xFF", "Printer \xC0\xFE"),
        .launches = ROAD_LAUNCHES(HIGH_KEY, HIGH_FAX, HIGH_DIR, "Fax \xE9\xE8\xFF", "Printer \xC0\xFE") },

    /* Under code page 932: the key-path cuts honour double-byte characters,
       and double-byte text passes through every value unchanged. No
       "Install\Printer" starts on the trail byte of 83 49, so ProgramDir is
       read from the printer key itself; a byte-wise cut leaves a lone lead
       byte, which names the wrong key. */
    { .id = "cp932-cut",
        .name = "cp932: a cut that would split a double-byte character is not made",
        .tail = TRAIL_KEY,
        .codePage = 932,
        .registry = VALUES({ TRAIL_KEY, "Driver Name", REG_SZ, PRINTER_NAME "{0}" },
            { TRAIL_KEY, "ProgramDir", REG_SZ, PROG "{0}" }, { ROOT, "ProgramDir", REG_SZ, "C:\\wrong{0}" },
            { TRAIL_FAX, "Driver Name", REG_SZ, FAX_NAME "{0}" }),
        .log = ROAD_LOG(TRAIL_KEY, TRAIL_FAX, PROG, FAX_NAME, PRINTER_NAME),
        .launches = ROAD_LAUNCHES(TRAIL_KEY, TRAIL_FAX, PROG, FAX_NAME, PRINTER_NAME) },
    { .id = "cp932-text",
        .name = "cp932: double-byte text in the key path, the folder and the names",
        .tail = DBCS_KEY,
        .codePage = 932,
        .registry = VALUES({ DBCS_KEY, "Driver Name", REG_SZ, DBCS_PRINTER "{0}" },
            { DBCS, "ProgramDir", REG_SZ, DBCS_DIR "{0}" }, { DBCS_FAX, "Driver Name", REG_SZ, DBCS_FAX_NAME "{0}" }),
        .alsoToolDir = DBCS_DIR,
        .log = ROAD_LOG(DBCS_KEY, DBCS_FAX, DBCS_DIR, DBCS_FAX_NAME, DBCS_PRINTER),
        .launches = ROAD_LAUNCHES(DBCS_KEY, DBCS_FAX, DBCS_DIR, DBCS_FAX_NAME, DBCS_PRINTER) },
};

const unsigned kCheckRowCount = sizeof kCheckRows / sizeof kCheckRows[0];
