// Exits with what IsNt4OrLater says, so a test can ask it under each Windows
// version that Wine emulates.
#include "support/platform_probes.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int first = IsNt4OrLater();
    return first == IsNt4OrLater() ? first : 99; // the cached answer must not change
}
