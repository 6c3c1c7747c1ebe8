// The few C library calls that the pack's images (zqcheck.exe, the tool
// doubles) make, for images linked without a C run-time: msvcrt.dll is
// missing from the first Windows 95 and from NT 3.51, as for the program.
// Only what those images use: the text calls, decimal numbers, and a
// formatter of %s, %c, %d, %u, %x and %X with flags '-' and '0', a width, a
// precision for text and an ignored 'l'.
#include <stdarg.h>
#include <stddef.h>

extern "C" {

void* memmove(void* to, const void* from, size_t size)
{
    unsigned char* p = (unsigned char*)to;
    const unsigned char* q = (const unsigned char*)from;
    if (p < q)
        while (size--)
            *p++ = *q++;
    else
        while (size--)
            p[size] = q[size];
    return to;
}

int memcmp(const void* a, const void* b, size_t size)
{
    const unsigned char *p = (const unsigned char*)a, *q = (const unsigned char*)b;
    for (; size; --size, ++p, ++q)
        if (*p != *q)
            return *p < *q ? -1 : 1;
    return 0;
}

void* memchr(const void* block, int byte, size_t size)
{
    const unsigned char* p = (const unsigned char*)block;
    for (; size; --size, ++p)
        if (*p == (unsigned char)byte)
            return (void*)p;
    return NULL;
}

size_t strlen(const char* text)
{
    size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

char* strcpy(char* to, const char* from)
{
    char* p = to;
    while ((*p++ = *from++) != 0) { }
    return to;
}

char* strcat(char* to, const char* from)
{
    strcpy(to + strlen(to), from);
    return to;
}

int strcmp(const char* a, const char* b)
{
    while (*a && *a == *b)
        ++a, ++b;
    return (unsigned char)*a < (unsigned char)*b ? -1 : (unsigned char)*a > (unsigned char)*b;
}

char* strchr(const char* text, int c)
{
    for (;; ++text) {
        if (*text == (char)c)
            return (char*)text;
        if (!*text)
            return NULL;
    }
}

char* strrchr(const char* text, int c)
{
    const char* last = NULL;
    for (;; ++text) {
        if (*text == (char)c)
            last = text;
        if (!*text)
            return (char*)last;
    }
}

char* strstr(const char* text, const char* what)
{
    const size_t length = strlen(what);
    for (; *text; ++text)
        if (memcmp(text, what, length) == 0)
            return (char*)text;
    return length ? NULL : (char*)text;
}

// Decimal only, which is all the images read; blanks before the digits are skipped.
unsigned long strtoul(const char* text, char** end, int)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    unsigned long value = 0;
    while (*text >= '0' && *text <= '9')
        value = value * 10 + (unsigned long)(*text++ - '0');
    if (end)
        *end = (char*)text;
    return value;
}

// Reads unsigned decimal numbers: "%lu" (or "%u") and blanks, nothing else.
int sscanf(const char* text, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    int read = 0;
    for (const char* f = format; *f; ++f) {
        if (*f != '%')
            continue;
        while (*f && *f != 'u')
            ++f;
        while (*text == ' ')
            ++text;
        if (!*f || *text < '0' || *text > '9')
            break;
        char* end;
        *va_arg(arguments, unsigned long*) = strtoul(text, &end, 10);
        text = end;
        ++read;
    }
    va_end(arguments);
    return read;
}

// Where the formatter writes: at most size - 1 bytes and a zero byte.
struct Sink {
    char* at;
    size_t size;
    size_t length; // as if all were written
};

static void Put(Sink* sink, char c)
{
    if (sink->length + 1 < sink->size)
        sink->at[sink->length] = c;
    ++sink->length;
}

static void Pad(Sink* sink, char c, int count)
{
    while (count-- > 0)
        Put(sink, c);
}

static int Format(Sink* sink, const char* format, va_list arguments)
{
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            Put(sink, *f);
            continue;
        }
        ++f;
        int left = 0, zero = 0, width = 0, precision = -1;
        for (; *f == '-' || *f == '0'; ++f)
            if (*f == '-')
                left = 1;
            else
                zero = 1;
        for (; *f >= '0' && *f <= '9'; ++f)
            width = width * 10 + (*f - '0');
        if (*f == '.')
            for (precision = 0, ++f; *f >= '0' && *f <= '9'; ++f)
                precision = precision * 10 + (*f - '0');
        while (*f == 'l')
            ++f;
        char digits[16];
        const char* text = digits;
        int length = 0;
        switch (*f) {
        case 's':
            text = va_arg(arguments, const char*);
            if (!text)
                text = "(null)";
            while (text[length] && (precision < 0 || length < precision))
                ++length;
            zero = 0;
            break;
        case 'c':
            digits[0] = (char)va_arg(arguments, int);
            length = 1;
            zero = 0;
            break;
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X': {
            unsigned long value = va_arg(arguments, unsigned long);
            int negative = 0;
            if ((*f == 'd' || *f == 'i') && (long)value < 0) {
                negative = 1;
                value = 0 - value;
            }
            const unsigned base = *f == 'x' || *f == 'X' ? 16 : 10;
            const char* numerals = *f == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
            char reversed[12];
            int count = 0;
            do {
                reversed[count++] = numerals[value % base];
                value /= base;
            } while (value);
            if (negative)
                digits[length++] = '-';
            while (count)
                digits[length++] = reversed[--count];
            if (negative && zero && !left) { // the sign before the zeros
                Put(sink, '-');
                ++text, --length, --width;
            }
            break;
        }
        case '%':
            digits[0] = '%';
            length = 1;
            break;
        default:
            return -1;
        }
        if (!left)
            Pad(sink, zero ? '0' : ' ', width - length);
        for (int i = 0; i < length; ++i)
            Put(sink, text[i]);
        if (left)
            Pad(sink, ' ', width - length);
    }
    if (sink->size)
        sink->at[sink->length < sink->size ? sink->length : sink->size - 1] = 0;
    return (int)sink->length;
}

int vsprintf(char* out, const char* format, va_list arguments)
{
    Sink sink = { out, (size_t)-1 / 2, 0 };
    return Format(&sink, format, arguments);
}

int sprintf(char* out, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const int length = vsprintf(out, format, arguments);
    va_end(arguments);
    return length;
}

// Where the text does not fit, -1, as the Microsoft form says; this one
// always ends what it wrote with a zero byte.
int _snprintf(char* out, size_t size, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    Sink sink = { out, size, 0 };
    const int length = Format(&sink, format, arguments);
    va_end(arguments);
    return length >= 0 && (size_t)length < size ? length : -1;
}
}

// 64-bit division, which the compiler calls for: bit by bit, with no
// instruction a 386 lacks (the compiler's own library is built for later
// processors).
extern "C" unsigned long long __udivdi3(unsigned long long dividend, unsigned long long divisor)
{
    unsigned long long quotient = 0, remainder = 0;
    for (int bit = 63; bit >= 0; --bit) {
        remainder = (remainder << 1) | ((dividend >> bit) & 1);
        if (remainder >= divisor) {
            remainder -= divisor;
            quotient |= 1ULL << bit;
        }
    }
    return quotient;
}

extern "C" unsigned long long __umoddi3(unsigned long long dividend, unsigned long long divisor)
{
    return dividend - __udivdi3(dividend, divisor) * divisor;
}

// The C headers declare _snprintf as imported from the run-time DLL: its
// callers go through this pointer.
extern "C" {
int (*_imp___snprintf)(char*, size_t, const char*, ...) = _snprintf;
}
