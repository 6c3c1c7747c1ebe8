// The program's own start-up: no C run-time start-up code, so the command
// tail follows the WinMain rule exactly and the image stays small.
#include <windows.h>

#include "command_tail.h"
#include "run_ntadd.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int)
{
    return RunNTAdd(commandTail);
}

// Windows enters here with a stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    STARTUPINFOA startup;
    startup.dwFlags = 0;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    char* tail = (char*)CommandTailOf(GetCommandLineA());
    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, tail, show));
}
