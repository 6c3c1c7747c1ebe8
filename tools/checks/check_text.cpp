// The placeholders of the scenario rows, filled in. Plain code over fixed
// buffers and no platform call: the system's texts come through a function
// the caller gives, so that the rules build and are tested on any host.
#include "check_rows.h"

// Where the expansion writes; full once a byte did not fit.
struct Out {
    char* at;
    unsigned long size;
    unsigned long length;
    int full;
};

static void Put(Out* out, const char* bytes, unsigned long count)
{
    for (unsigned long i = 0; i < count; ++i) {
        if (out->length + 1 > out->size) {
            out->full = 1;
            return;
        }
        out->at[out->length++] = bytes[i];
    }
}

static void PutText(Out* out, const char* text)
{
    while (*text && !out->full)
        Put(out, text++, 1);
}

static void PutRepeated(Out* out, char c, unsigned long count)
{
    while (count-- && !out->full)
        Put(out, &c, 1);
}

// The end of the placeholder that opens at open (its closing brace, with
// braces inside it paired), or null.
static const char* CloseOf(const char* open)
{
    int depth = 0;
    for (const char* p = open; *p; ++p) {
        if (*p == '{')
            ++depth;
        else if (*p == '}' && --depth == 0)
            return p;
    }
    return 0;
}

// Reads a decimal number from [from, to); -1 unless it is all digits.
static long Number(const char* from, const char* to)
{
    if (from == to || to - from > 9)
        return -1;
    long value = 0;
    for (const char* p = from; p < to; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

static int Named(const char* from, const char* to, const char* name)
{
    const char* p = from;
    while (p < to && *name && *p == *name)
        ++p, ++name;
    return p == to && !*name;
}

static unsigned long TextEnd(const char* text)
{
    unsigned long length = 0;
    while (text[length])
        ++length;
    return length;
}

static int Expand(const char* text, const char* end, const CheckPlaces* places, Out* out);

// One placeholder, its text between the braces in [from, to). Tells whether
// it is one of those known.
static int Placeholder(const char* from, const char* to, const CheckPlaces* places, Out* out)
{
    const struct {
        const char* name;
        const char* value;
    } named[] = { { "win", places->windows }, { "nt", places->ntDrivers }, { "drv", places->drivers },
        { "dir", places->folder }, { "root", places->key } };
    for (const auto& place : named) {
        if (Named(from, to, place.name)) {
            if (!place.value)
                return 0;
            PutText(out, place.value);
            return 1;
        }
    }
    if (Named(from, to, "0")) {
        Put(out, "", 1);
        return 1;
    }
    if (Named(from, to, "fit")) {
        PutRepeated(out, places->fitChar, places->fitCount);
        return 1;
    }
    if (to - from > 4 && Named(from, from + 4, "nt4:"))
        return places->nt4Road ? Expand(from + 4, to, places, out) : 1;
    if (to - from > 5 && Named(from, from + 5, "text:")) {
        const long code = Number(from + 5, to);
        if (code < 0 || !places->systemText)
            return 0;
        const long length = places->systemText((unsigned long)code, out->at + out->length, out->size - out->length);
        if (length < 0)
            return 0;
        out->length += (unsigned long)length;
        return 1;
    }
    // {N*c}: the character c, N times.
    if (to - from >= 3 && to[-2] == '*') {
        const long count = Number(from, to - 2);
        if (count < 0)
            return 0;
        PutRepeated(out, to[-1], (unsigned long)count);
        return 1;
    }
    return 0;
}

static int Expand(const char* text, const char* end, const CheckPlaces* places, Out* out)
{
    for (const char* p = text; p < end && !out->full;) {
        if (*p == '}')
            return 0;
        if (*p != '{') {
            Put(out, p++, 1);
            continue;
        }
        const char* close = CloseOf(p);
        if (!close || close >= end || !Placeholder(p + 1, close, places, out))
            return 0;
        p = close + 1;
    }
    return !out->full;
}

long ExpandCheckText(const char* text, const CheckPlaces* places, char* out, unsigned long size)
{
    Out written = { out, size, 0, 0 };
    if (!text || !Expand(text, text + TextEnd(text), places, &written)) {
        if (size)
            out[0] = 0;
        return -1;
    }
    if (written.length < size)
        out[written.length] = 0;
    return (long)written.length;
}

int FitCheckRow(const CheckRow* row, CheckPlaces* places)
{
    places->fitCount = 0;
    places->fitChar = row->fitChar;
    if (!row->fitMeasure)
        return 1;
    static char measured[1024];
    const long length = ExpandCheckText(row->fitMeasure, places, measured, sizeof measured);
    if (length < 0 || (unsigned long)length > row->fitLength)
        return 0;
    places->fitCount = row->fitLength - (unsigned)length;
    return 1;
}
