#include "text_rules.h"

#include <string.h>

static const unsigned char* NextCharacter(const unsigned char* p, LeadByteTest isLead)
{
    // A lead byte at the very end has no trail byte to skip: never step past the terminator.
    if (isLead && isLead(*p) && p[1] != 0)
        return p + 2;
    return p + 1;
}

const char* FindText(const char* text, const char* what, LeadByteTest isLead)
{
    if (!text || !what)
        return 0;
    size_t length = strlen(what);
    const unsigned char* p = (const unsigned char*)text;
    for (;;) {
        if (strncmp((const char*)p, what, length) == 0)
            return (const char*)p;
        if (*p == 0)
            return 0;
        p = NextCharacter(p, isLead);
    }
}

int EndsWithBackslash(const char* text, LeadByteTest isLead)
{
    const unsigned char* last = 0;
    for (const unsigned char* p = (const unsigned char*)text; *p; p = NextCharacter(p, isLead))
        last = p;
    return last && *last == '\\' && last[1] == 0;
}

int JoinText(char* out, unsigned size, const char* const* parts, unsigned count)
{
    if (size == 0)
        return 0;
    size_t used = 0;
    for (unsigned i = 0; i < count; ++i) {
        size_t length = strlen(parts[i]);
        if (length >= size - used) {
            out[0] = 0;
            return 0;
        }
        memcpy(out + used, parts[i], length);
        used += length;
    }
    out[used] = 0;
    return 1;
}

int CopyText(char* out, unsigned size, const char* text)
{
    return JoinText(out, size, &text, 1);
}

int EndValueText(char* text, unsigned size, unsigned got)
{
    if (size == 0)
        return 0;
    if (got > size || (got == size && text[got - 1] != 0)) {
        text[0] = 0;
        return 0;
    }
    if (got < size)
        text[got] = 0;
    return 1;
}
