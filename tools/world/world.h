// What the Wine test programs share: checks that count, and the few platform
// chores around the program under test (files, the registry, services).
#ifndef ZQ_WINE_TEST_H
#define ZQ_WINE_TEST_H

#include <windows.h>

#include <string>
#include <vector>

// Counts a check; prints it when it fails. Returns the condition.
bool Check(bool condition, const std::string& what);
// Compares bytes and prints both, escaped, when they differ.
bool CheckBytes(const std::string& expected, const std::string& actual, const std::string& what);
// Prints "N passed, N failed" and gives the process's exit code.
int Finish(void);

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string LogFilePath(void);
std::string ShowBytes(const std::string& bytes);

// Sets the Windows version that Wine reports to the named program.
void EmulateVersion(const char* exeName, const char* version);
// Keeps the named program from loading dll (a system without it), or lets it again.
void DisableDll(const char* exeName, const char* dll, bool disabled);
// Starts or stops a service and waits until it is in that state.
bool SetServiceRunning(const char* name, bool running);
// What a RunAndWait saw besides the exit code.
struct RunOutcome {
    DWORD startError = 0; // GetLastError() of a start that failed, else 0
    DWORD leftOver = 0; // processes it started that were still running LEFTOVER_WAIT_MS after it ended
    DWORD endTick = 0; // GetTickCount() as the program itself ended or was stopped, before that wait
};
const DWORD LEFTOVER_WAIT_MS = 5000;
// Starts a command line (with applicationName when given) and waits up to
// timeoutMs for it, then up to LEFTOVER_WAIT_MS (at most timeoutMs) for every
// process it started; what is still running then is ended. Returns its exit
// code, or 0xDEADBEEF when it did not start or did not end in time (then it
// and its children are ended); outcome, when given, tells which. With an
// inheritable output handle, the program's standard output and standard
// error go there.
DWORD RunAndWait(const char* applicationName, const std::string& commandLine, DWORD timeoutMs,
    RunOutcome* outcome = NULL, HANDLE output = NULL);
// An inheritable handle to a new file at path, for RunAndWait's output.
HANDLE CreateOutputFile(const std::string& path);
// The folder this test program was started from, without a trailing backslash.
std::string OwnFolder(void);

// The tool doubles, built in doubles\ beside this program, and where a run
// looks for them.
std::string DoublePath(const char* name);
// The printer driver directory of an environment ("Windows NT x86"), or of the
// running system for a null one.
std::string DriverDirectory(const char* environment);
// Puts the driver-directory tool double into the NT x86 and the 9x driver
// directories, and the add-printer tool double into programDir (made when
// missing; none for an empty one). Returns whether they are in place.
bool PlaceDoubles(const std::string& programDir);

// One start of a tool double, and its end when it recorded one, as it wrote
// them in the file that ZQTEST_RECORD names.
struct Launch {
    DWORD tick; // GetTickCount() as the double's process was created
    std::string tool; // zqntadd or zqdrvtl
    std::string show; // "hidden", "-" (no show state passed) or the number
    std::string commandLine;
    DWORD pid = 0;
    bool ended = false; // false: still running, or ended from outside
    DWORD endTick = 0; // GetTickCount() as it returned
    DWORD exitCode = 0;
    std::string Text(void) const { return tool + "|" + show + "|" + commandLine; }
};
std::vector<Launch> ReadLaunches(const std::string& recordPath);

#endif
