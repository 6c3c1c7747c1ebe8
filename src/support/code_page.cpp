#include "code_page.h"

#include <windows.h>

int IsSystemLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) ? 1 : 0;
}
