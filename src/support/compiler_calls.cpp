// The two calls the compiler makes on its own (a zeroed record, a copied
// block). The program links no C run-time library: the one the compiler
// would bring, msvcrt.dll, is missing from the first Windows 95 and from
// NT 3.51, and a missing DLL stops the loader before anything is logged.
// This file is built without loop-to-call rewriting and outside link-time
// optimisation, so neither function turns into a call to itself.
#include <stddef.h>

extern "C" void* memset(void* block, int byte, size_t size)
{
    unsigned char* p = (unsigned char*)block;
    while (size--)
        *p++ = (unsigned char)byte;
    return block;
}

extern "C" void* memcpy(void* to, const void* from, size_t size)
{
    unsigned char* p = (unsigned char*)to;
    const unsigned char* q = (const unsigned char*)from;
    while (size--)
        *p++ = *q++;
    return to;
}
