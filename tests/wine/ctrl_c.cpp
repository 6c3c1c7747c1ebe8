// Starts a console program on a console of its own and, once MARKER exists
// (a row under way, say), presses Ctrl+C on that console, as a user at the
// prompt would; exits with the program's exit code:
//   ctrl_c MARKER COMMAND-LINE
// Exit 255 when it did not start, 254 when it did not end in 10 minutes,
// 252 when the Ctrl+C could not be sent (Wine 8 refuses it, error 12, on the
// console it gives a program started without one): the caller then has no
// stop to judge.
// Ctrl+C, not Ctrl+Break: Wine turns a Ctrl+Break into a signal that ends a
// thread without calling the program's handler, so only real Windows shows
// the pack's Ctrl+Break. The pack takes both in one handler.
#include <string.h>

#include <windows.h>

// An inheritable copy of a standard handle, so that the program's output
// still reaches the caller's files although it gets a console of its own.
static HANDLE Inheritable(DWORD which)
{
    HANDLE copy = NULL;
    DuplicateHandle(
        GetCurrentProcess(), GetStdHandle(which), GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS);
    return copy;
}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 253;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = Inheritable(STD_INPUT_HANDLE);
    startup.hStdOutput = Inheritable(STD_OUTPUT_HANDLE);
    startup.hStdError = Inheritable(STD_ERROR_HANDLE);
    // A Ctrl+C goes only to programs on the sender's console: started with
    // its output in files, this one may have none.
    AllocConsole();
    PROCESS_INFORMATION process;
    static char line[32768];
    strcpy(line, argv[2]);
    // Not a process group of its own: such a group ignores Ctrl+C.
    if (!CreateProcessA(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process))
        return 255;
    // This program ignores the Ctrl+C it sends; set only now, so that the
    // program it started does not inherit the ignoring.
    SetConsoleCtrlHandler(NULL, TRUE);
    while (GetFileAttributesA(argv[1]) == INVALID_FILE_ATTRIBUTES
        && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT) { }
    // What happened is said, so that a run that was not stopped tells why.
    const BOOL seen = GetFileAttributesA(argv[1]) != INVALID_FILE_ATTRIBUTES;
    const BOOL sent = GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    char said[160];
    const DWORD error = GetLastError();
    wsprintfA(said, "ctrl_c: marker %s, console %s, Ctrl+C %s (error %lu)\r\n", seen ? "seen" : "not seen",
        GetConsoleWindow() ? "with a window" : "without a window", sent ? "sent" : "not sent", error);
    DWORD written;
    WriteFile(startup.hStdError, said, lstrlenA(said), &written, NULL);
    DWORD code = 254;
    if (WaitForSingleObject(process.hProcess, 600000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    return sent ? (int)code : 252;
}
