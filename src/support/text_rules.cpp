#include "text_rules.h"

#include <string.h>

unsigned TextLength(const char* text)
{
    const char* end = text;
    while (*end)
        ++end;
    return (unsigned)(end - text);
}

static unsigned char LetterFolded(unsigned char byte)
{
    return byte >= 'A' && byte <= 'Z' ? (unsigned char)(byte + ('a' - 'A')) : byte;
}

int SameTextAnyCase(const char* a, const char* b)
{
    const unsigned char* p = (const unsigned char*)a;
    const unsigned char* q = (const unsigned char*)b;
    for (; LetterFolded(*p) == LetterFolded(*q); ++p, ++q)
        if (*p == 0)
            return 1;
    return 0;
}

void SignedDecimal(char out[SIGNED_DECIMAL_SIZE], uint32_t value)
{
    // The magnitude in unsigned arithmetic, so that 0x80000000 has one too.
    uint32_t magnitude = (value & 0x80000000u) ? 0u - value : value;
    char digits[10];
    unsigned count = 0;
    do {
        digits[count++] = (char)('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value & 0x80000000u)
        *out++ = '-';
    while (count)
        *out++ = digits[--count];
    *out = 0;
}

// Tells whether text begins with what. The walk ends at what's terminator, or
// earlier at a byte that differs, so it never passes text's terminator.
static int BeginsWith(const unsigned char* text, const char* what)
{
    for (const unsigned char* w = (const unsigned char*)what; *w; ++w, ++text)
        if (*text != *w)
            return 0;
    return 1;
}

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
    const unsigned char* p = (const unsigned char*)text;
    for (;;) {
        if (BeginsWith(p, what))
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
        size_t length = TextLength(parts[i]);
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
