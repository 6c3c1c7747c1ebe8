// The Windows side that the demo, the bench and the Wine tests share: sets up
// a world for zqrunadd.exe (the Windows version Wine reports, the spooler,
// the tool doubles, the log), runs the program in it, and reads back what
// happened. Plain functions over fixed buffers, so that a runner built
// without the C++ run-time can take them over.
#ifndef ZQ_WORLD_H
#define ZQ_WORLD_H

#include <windows.h>

#include "launch.h"
#include "services.h"

// ---- files ---------------------------------------------------------------

// Reads up to size bytes of the file at path into buffer; returns how many.
// *cut, when given, tells whether the file held more. A missing file reads
// as none.
DWORD ReadFileInto(const char* path, char* buffer, DWORD size, int* cut);
// Writes the file at path anew with exactly these bytes; tells whether it did.
int WriteFileFrom(const char* path, const void* bytes, DWORD size);
// The path of the file of that name (short) in the Windows directory.
void WindowsFilePath(const char* name, char out[MAX_PATH]);
// The installer log's path in the Windows directory.
void LogFilePath(char out[MAX_PATH]);
// The folder this program was started from, without a trailing backslash.
void OwnFolder(char out[MAX_PATH]);
// An inheritable handle to a new file at path, for RunAndWait's output.
HANDLE CreateOutputFile(const char* path);

// ---- the system under Wine -------------------------------------------------

// Sets (or, for a null version, clears) the Windows version that Wine
// reports to the named program.
void EmulateVersion(const char* exeName, const char* version);
// Keeps the named program from loading dll (a system without it), or lets it again.
void DisableDll(const char* exeName, const char* dll, int disabled);
// The printer driver directory of an environment ("Windows NT x86"), or of
// the running system for a null one; empty when the system does not say.
void DriverDirectory(const char* environment, char out[MAX_PATH]);

// ---- the tool doubles ------------------------------------------------------

// The fingerprint of a file: whether it is there, its size and a checksum of
// its bytes. error is 0 when it was read whole or is not there
// (ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND); else the failure to open or
// read it, and then it may well be there: held, denied, or a folder.
struct FileMark {
    int exists;
    DWORD size;
    DWORD sum;
    DWORD error;
};
FileMark MarkFile(const char* path);

// A tool double, built in doubles\ beside this program.
void DoublePath(const char* name, char out[MAX_PATH]);
// Copies the double of that name into folder; tells whether it is there.
int PlaceDouble(const char* name, const char* folder);
// Deletes the file of that name in folder only when it is the double (the
// same size and checksum); tells whether none is there now. Anything else
// there is someone's own: it is left, and the answer is 0 with the last
// error ERROR_FILE_EXISTS.
int TakeDoubleAway(const char* name, const char* folder);
// The same for a path: deleted only when it is the double of its file name.
int DeleteIfDouble(const char* path);
// Puts the driver-directory tool double into the NT x86 and the 9x driver
// directories, and the add-printer tool double into programDir (made when
// missing; none for an empty or null one). Tells whether they are in place.
int PlaceDoubles(const char* programDir);

// ---- a run -----------------------------------------------------------------

// What a RunAndWait saw besides the exit code.
struct RunOutcome {
    DWORD startError; // GetLastError() of a start that failed, else 0
    DWORD leftOver; // processes it started that were still running LEFTOVER_WAIT_MS after it ended
    DWORD endTick; // GetTickCount() as the program itself ended or was stopped, before that wait
};
enum { LEFTOVER_WAIT_MS = 5000 };
const DWORD NOT_ENDED = 0xDEADBEEF; // RunAndWait's answer for a start that failed or a run stopped
// Starts a command line (with applicationName when given) and waits up to
// timeoutMs for it, then up to LEFTOVER_WAIT_MS (at most timeoutMs) for every
// process it started; what is still running then is ended. Returns its exit
// code, or NOT_ENDED when it did not start or did not end in time (then it
// and its children are ended); outcome, when given, tells which. With an
// inheritable output handle, the program's standard output and standard
// error go there.
DWORD RunAndWait(
    const char* applicationName, const char* commandLine, DWORD timeoutMs, RunOutcome* outcome, HANDLE output);

enum { RESULT_LOG_SIZE = 65536, RESULT_LAUNCHES = 32 };

// What stands where the log goes while the program runs.
enum LogState {
    LOG_FREE, // the log, or none
    LOG_FOLDER, // a folder
    LOG_HELD, // the log, held open by another process that shares nothing
    LOG_READ, // the log, kept open by a viewer that shares reading and writing
};

// Set (by a console control handler, say) to end the run going on: the
// program and its doubles are ended, and RunWorld returns at once.
extern volatile LONG g_runStop;

// One run of the program in a world.
struct World {
    const char* version; // what Wine reports to the program ("win10"); null leaves it
    const char* applicationName; // CreateProcess's, or null
    const char* commandLine; // exactly as the program is to get it
    const char* record; // the file the doubles append their launches to
    DWORD limitMs; // the run is stopped after this long
    const char* logBefore; // the log's bytes before the run; null for no log
    DWORD logBeforeSize;
    LogState logState;
    int launches; // how many launches the run should make, so that the wait is no longer; 0 when unknown
    // The program's current folder; null for the runner's own. Never the
    // caller's: a shell start of a bare name searches it first.
    const char* folder;
};

// What the run left behind.
struct RunResult {
    DWORD startTick; // GetTickCount() just before the start
    RunOutcome outcome;
    int finished; // it started and ended within the limit
    DWORD exitCode; // NOT_ENDED unless finished
    DWORD logSize;
    int logCut; // the log held more than RESULT_LOG_SIZE bytes
    char log[RESULT_LOG_SIZE]; // the installer log's bytes after the run
    int launchCount;
    int launchesCut; // the doubles recorded more than RESULT_LAUNCHES
    Launch launches[RESULT_LAUNCHES];
};

// Runs the program once in the world as it stands, with the version set,
// the launch record emptied and the log made as the world says; waits up to
// LEFTOVER_WAIT_MS for the doubles it started (their records tell), and up
// to 30 s for a launch the world expects that has not recorded its start,
// and ends those still running; then puts back what stood in for the log and
// fills result.
// While the program runs, its process id and start stand in the file of
// the record's name with ".program" appended, so that a runner killed
// halfway leaves what EndRunLeftovers needs.
void RunWorld(const World* world, RunResult* result);

// Ends what a run with this record that never finished left running: the
// program, then every double the record shows without its end. With
// mayEnd 0 (the machine booted since) no process is ended: their ids name
// others now.
void EndRunLeftovers(const char* record, int mayEnd);

#endif
