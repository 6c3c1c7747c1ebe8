// The doubles' own start, as the program's: no C run-time start-up code, so
// WinMain gets the command tail by the program's own rule.
#include <windows.h>

#include "install/command_tail.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

// Windows enters here with a stack aligned to 4 bytes only.
extern "C" __attribute__((force_align_arg_pointer)) void ProgramStart(void)
{
    STARTUPINFOA startup;
    startup.dwFlags = 0;
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    char* tail = (char*)CommandTailOf(GetCommandLineA());
    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, tail, show));
}
