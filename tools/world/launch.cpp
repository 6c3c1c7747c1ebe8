#include "launch.h"

#include <stdlib.h>
#include <string.h>

// Copies the bytes [from, to) into out (size bytes), cut to fit, ended.
static void CopyField(char* out, size_t size, const char* from, const char* to)
{
    size_t length = (size_t)(to - from);
    if (length >= size)
        length = size - 1;
    memcpy(out, from, length);
    out[length] = 0;
}

// The start of the field after the separator at or after from, or null.
static const char* NextField(const char* from, const char* end)
{
    const char* bar = from ? (const char*)memchr(from, '|', (size_t)(end - from)) : NULL;
    return bar ? bar + 1 : NULL;
}

static int RecordEnd(Launch* launches, int count, unsigned long pid, unsigned long tick, unsigned long exitCode)
{
    for (int i = count - 1; i >= 0; --i) {
        if (launches[i].tool[0] && launches[i].pid == pid && !launches[i].ended) {
            launches[i].ended = 1;
            launches[i].endTick = tick;
            launches[i].exitCode = exitCode;
            return 1;
        }
    }
    return 0;
}

int ParseLaunches(const char* record, size_t size, Launch* launches, int capacity, int* cut)
{
    int count = 0;
    if (cut)
        *cut = 0;
    const char* end = record + size;
    for (const char* line = record; line < end;) {
        const char* lineEnd = (const char*)memchr(line, '\n', (size_t)(end - line));
        if (!lineEnd)
            break; // a line still being written is not a record yet
        const char* pid = NextField(line, lineEnd);
        const char* tool = NextField(pid, lineEnd);
        const char* show = NextField(tool, lineEnd);
        const char* command = NextField(show, lineEnd);
        const int isEnd = show && show - tool == 4 && memcmp(tool, "end|", 4) == 0;
        const unsigned long tick = strtoul(line, NULL, 10);
        const unsigned long process = pid ? strtoul(pid, NULL, 10) : 0;
        if (!(isEnd && RecordEnd(launches, count, process, tick, strtoul(show, NULL, 10)))) {
            if (count == capacity) {
                if (cut)
                    *cut = 1;
                break;
            }
            Launch* launch = &launches[count++];
            memset(launch, 0, sizeof *launch);
            if (isEnd || !command) { // not a record of a double, or an end without its start: shown whole
                CopyField(launch->commandLine, sizeof launch->commandLine, line, lineEnd);
            } else {
                launch->tick = tick;
                launch->pid = process;
                CopyField(launch->tool, sizeof launch->tool, tool, show - 1);
                CopyField(launch->show, sizeof launch->show, show, command - 1);
                CopyField(launch->commandLine, sizeof launch->commandLine, command, lineEnd);
            }
        }
        line = lineEnd + 1;
    }
    return count;
}

void LaunchText(const Launch* launch, char out[LAUNCH_TEXT_SIZE])
{
    size_t at = 0;
    const char* const parts[] = { launch->tool, "|", launch->show, "|", launch->commandLine };
    for (const char* part : parts) {
        size_t length = strlen(part);
        memcpy(out + at, part, length);
        at += length;
    }
    out[at] = 0;
}
