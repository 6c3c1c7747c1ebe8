// The scenario rows: each a world before a run of zqrunadd.exe and what the
// run must leave behind, as constant data that the Wine scenario tests and
// zqcheck.exe both run. Names, folders and system texts that differ from one
// machine to the next stand in the texts as placeholders that the machine
// fills in (ExpandCheckText):
//   {win}      the Windows directory
//   {nt}       the printer driver directory of "Windows NT x86"
//   {drv}      the running system's printer driver directory
//   {dir}      the runner's own folder, {root} its own key under HKEY_LOCAL_MACHINE
//   {fit}      the row's fill character, as often as makes its fitMeasure fitLength long
//   {N*c}      the character c, N times; {0} a zero byte
//   {text:N}   the system's text for error N, as the program asks for it
//   {nt4:...}  what stands inside, only on the road of NT 4.0 and later
#ifndef ZQ_CHECK_ROWS_H
#define ZQ_CHECK_ROWS_H

#ifdef __cplusplus
extern "C" {
#endif

// Which systems a row applies to: the program takes one road on NT 4.0 and
// later (spooler wait, shell start) and another on 9x and NT 3.51.
enum CheckRoad { ROAD_BOTH, ROAD_NT4, ROAD_OLD };

// What a row needs of the machine besides the road.
enum CheckNeed {
    NEED_ADMIN = 1, // the answer holds for an administrator only
    NEED_SPOOLER_CONTROL = 2, // it stops the spooler: the service manager of NT, and rights over it
    NEED_WINE_DLLS = 4, // a system DLL kept from loading, which only Wine's DLL overrides do
};

// What stands where the log goes while the program runs.
enum CheckLog { CHECK_LOG_FREE, CHECK_LOG_FOLDER, CHECK_LOG_HELD, CHECK_LOG_READ };

typedef struct CheckValue {
    const char* key; // under HKEY_LOCAL_MACHINE; null ends a list
    const char* name;
    unsigned long type;
    const char* data; // the exact bytes stored, {0} for a zero byte
} CheckValue;

typedef struct CheckRow {
    const char* id; // short, lowercase, never changed once released: results are compared by it
    const char* name;
    const char* tail; // the command tail after the quoted program path
    const char* commandLine; // when set: the whole command line, exactly
    const CheckValue* registry;
    // One Windows version only, by Wine's name ("win98"): Wine emulates it,
    // elsewhere the row runs on that version alone.
    const char* version;
    int road; // CheckRoad
    unsigned needs; // CheckNeed
    unsigned codePage; // 0 for any; else the system code page the row's bytes are written for
    int spoolerStopped;
    int addPrinterToolMissing;
    int driverToolMissing; // from the NT x86 driver directory
    int shellMissing; // shell32.dll cannot be loaded
    int printProviderMissing; // localspl.dll cannot be loaded: every driver-directory query fails
    unsigned long shellToolBusyMs; // the tool started through the shell stays busy this long
    unsigned long atLeastMs; // the run takes at least this long
    int core; // also run in a 64-bit prefix and with a signed copy of the program
    const char* alsoToolDir; // another folder that gets the add-printer tool double
    const char* addPrinterExit; // exit codes of the doubles (decimal)
    const char* driverToolExit;
    const char* logBefore; // the log's bytes before the run; null for no log
    int logState; // CheckLog
    int logPeer; // the printer stage's add-printer tool leaves the log to a writer of its own
    const char* fitMeasure; // {fit} is as long as makes this text fitLength bytes
    unsigned fitLength;
    char fitChar;
    const char* log; // the log's bytes after the run
    const char* launches; // "tool|show|command line", one a line, in order
    // Where a real system answers otherwise by design: which, why, and its answer.
    const char* otherOn;
    const char* otherLog;
    const char* otherLaunches;
} CheckRow;

extern const CheckRow kCheckRows[];
extern const unsigned kCheckRowCount;

// What of the machine decides which rows run on it.
typedef struct CheckMachine {
    const char* name; // the Windows version by Wine's name ("win98")
    int emulated; // Wine emulates each row's own version for the program
    int wineDlls; // Wine's DLL overrides may keep system DLLs from the program
    int spoolerNoted; // the spooler's state is journaled, so the rows may stop and start it
    unsigned codePage; // 0 for any
    const char* shellTool; // a zqdrvtl.exe the shell would find for a bare name; null when none
} CheckMachine;

// The NT family (not 95, 98, Me), and of it NT 4.0 and later, by Wine's names.
int VersionIsNt(const char* name);
int VersionTakesNt4Road(const char* name);

// Whether the row runs on the machine; when not, why (size bytes at why).
int RowRunsOn(const CheckRow* row, const CheckMachine* machine, char* why, unsigned size);

// What the machine fills in.
typedef struct CheckPlaces {
    const char* windows;
    const char* ntDrivers;
    const char* drivers;
    const char* folder;
    const char* key;
    int nt4Road;
    unsigned fitCount; // how many fill characters {fit} stands for
    char fitChar;
    // Writes the system's text for an error code into out (size bytes);
    // returns its length, or -1 when there is none or it does not fit.
    long (*systemText)(unsigned long code, char* out, unsigned long size);
} CheckPlaces;

// Expands text into out (size bytes, a zero byte after the text when there is
// room). Returns the length, or -1 when the text does not fit, a placeholder
// is unknown or malformed, or the system has no text for a code.
long ExpandCheckText(const char* text, const CheckPlaces* places, char* out, unsigned long size);

// Sets places->fitCount and fitChar for the row: 0 when it measures nothing.
// Returns 0 when the row's measure is already longer than its fitLength.
int FitCheckRow(const CheckRow* row, CheckPlaces* places);

#ifdef __cplusplus
}
#endif

#endif
