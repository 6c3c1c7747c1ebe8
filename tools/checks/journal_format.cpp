#include "journal_format.h"

#include <stdio.h>
#include <string.h>

#ifndef ZQCHECK_VERSION
#error "ZQCHECK_VERSION must name the pack's version"
#endif

// The format, and the pack version that wrote it: another version's journal
// may mean its entries otherwise, so it is refused, not undone.
static const char kHeader[] = "zqcheck journal 3 pack " ZQCHECK_VERSION "\r\n";
static const size_t kHeaderSize = sizeof kHeader - 1;

uint32_t JournalChecksum(const char* bytes, size_t size)
{
    uint32_t sum = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        sum = (sum ^ (unsigned char)bytes[i]) * 16777619u;
    return sum;
}

static int AllZero(const char* from, const char* end)
{
    for (; from < end; ++from)
        if (*from)
            return 0;
    return 1;
}

// The entry at at, up to its line end, if its checksum holds; the next
// line's start, at itself when it is cut short (zero bytes follow), or null.
static char* TakeEntry(JournalText* journal, char* at, const char* end, int* cut)
{
    char* stop = at;
    while (stop < end && *stop && !(stop[0] == '\r' && stop + 1 < end && stop[1] == '\n'))
        ++stop;
    if (stop >= end || !*stop) {
        // Cut short by a power failure: zero bytes follow, and its change was never made.
        *cut = AllZero(stop, end);
        return NULL;
    }
    char* bar = stop;
    while (bar > at && *bar != '|')
        --bar;
    char sum[9];
    sprintf(sum, "%08lx", (unsigned long)JournalChecksum(at, (size_t)(bar - at)));
    if (*bar != '|' || stop - bar != 9 || memcmp(bar + 1, sum, 8) != 0)
        return NULL;
    *bar = 0;
    journal->entries[journal->count++] = at;
    return stop + 2;
}

JournalReading JournalRead(JournalText* journal)
{
    char* const text = journal->text;
    const size_t most = JOURNAL_READ_MOST, size = journal->size < most ? journal->size : most;
    journal->count = 0;
    journal->end = kHeaderSize;
    char* const end = text + size;
    *end = 0;
    // Cut while it was made: the start of the header, then zero bytes.
    const size_t headerPart = size < kHeaderSize ? size : kHeaderSize;
    if (memcmp(text, kHeader, headerPart) == 0 && (size <= kHeaderSize || AllZero(text + headerPart, end)))
        return JOURNAL_WHOLE;
    if (size > JOURNAL_SIZE || memcmp(text, kHeader, kHeaderSize) != 0)
        return JOURNAL_FOREIGN;
    for (char* at = text + journal->end; at < end && *at && journal->count < JOURNAL_MOST_ENTRIES;) {
        int cut = 0;
        at = TakeEntry(journal, at, end, &cut);
        if (cut)
            return JOURNAL_WHOLE;
        if (!at)
            break;
        journal->end = (size_t)(at - text);
    }
    return AllZero(text + journal->end, end) ? JOURNAL_WHOLE : JOURNAL_DAMAGED;
}

int JournalMakeEmpty(JournalText* journal, JournalWriter write, void* file)
{
    memset(journal->text, 0, JOURNAL_SIZE);
    memcpy(journal->text, kHeader, kHeaderSize);
    journal->end = kHeaderSize;
    journal->count = 0;
    return write(file, 0, journal->text, JOURNAL_SIZE) == JOURNAL_SIZE;
}

const char* JournalAppend(JournalText* journal, const char* entry, JournalWriter write, void* file)
{
    char line[JOURNAL_ENTRY_SIZE + 16];
    const size_t length = strlen(entry);
    if (journal->count >= JOURNAL_MOST_ENTRIES || length + 16 > sizeof line
        || journal->end + length + 11 > JOURNAL_SIZE)
        return NULL;
    sprintf(line, "%s|%08lx\r\n", entry, (unsigned long)JournalChecksum(entry, length));
    const size_t size = strlen(line);
    if (write(file, journal->end, line, size) != size)
        return NULL;
    char* const kept = journal->text + journal->end;
    memcpy(kept, line, size);
    kept[length] = 0;
    journal->entries[journal->count++] = kept;
    journal->end += size;
    return kept;
}

int JournalEntryText(
    char* out, const char* kind, const char* first, const char* second, unsigned long third, unsigned long fourth)
{
    if (strlen(first) + (second ? strlen(second) : 0) + 64 > JOURNAL_ENTRY_SIZE)
        return 0;
    if (second)
        sprintf(out, "%s|%s|%s|%lu|%lu", kind, first, second, third, fourth);
    else
        sprintf(out, "%s|%s", kind, first);
    return 1;
}
