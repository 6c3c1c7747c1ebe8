// Holds a file open, sharing nothing, as a program of the author's might:
//   hold_file PATH MARKER   opens PATH, writes MARKER once it holds it, and
//                           lets go when MARKER is removed. Exit 1 when PATH
//                           would not open.
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    HANDLE held = CreateFileA(argv[1], GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE marker
        = CreateFileA(argv[2], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL, CREATE_ALWAYS, 0, NULL);
    CloseHandle(marker);
    while (GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES)
        Sleep(100);
    CloseHandle(held);
    return 0;
}
