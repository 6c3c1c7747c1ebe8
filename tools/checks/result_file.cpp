#include "result_file.h"

#include <stdio.h>
#include <string.h>

#include "sha256.h"

#ifndef ZQCHECK_VERSION
#error "ZQCHECK_VERSION must name the pack's version"
#endif

namespace {

HANDLE g_file = INVALID_HANDLE_VALUE;
char g_path[MAX_PATH];
DWORD g_error; // the first failure's code; once set, the file is lost
int g_made; // this run made the file: no earlier one was there
const WindowsFacts* g_facts;
const char* g_programHash;
const char* g_name;
struct Time {
    const char* id;
    long ms;
    const char* measured; // in g_measured; empty when none
};
Time g_times[256];
unsigned g_timeCount;
char g_measured[8192];
size_t g_measuredSize;

// A short write counts as a failure: the disk is full.
void Bytes(const char* bytes, DWORD length)
{
    DWORD written = 0;
    if (!g_error && (!WriteFile(g_file, bytes, length, &written, NULL) || written != length))
        g_error = GetLastError() ? GetLastError() : ERROR_DISK_FULL;
}

// Writes text with each line ended by CR LF, as Windows' text files have it;
// each line after indent.
void Lines(const char* text, const char* indent)
{
    for (const char* start = text; *start;) {
        const char* end = strchr(start, '\n');
        Bytes(indent, (DWORD)strlen(indent));
        Bytes(start, end ? (DWORD)(end - start) : (DWORD)strlen(start));
        Bytes("\r\n", 2);
        if (!end)
            break;
        start = end + 1;
    }
}

void Put(const char* text)
{
    Bytes(text, (DWORD)strlen(text));
}

void Field(const char* name, const char* value)
{
    Put(name);
    Put(" ");
    Put(value);
    Bytes("\r\n", 2);
}

// Closes and, after a failure, removes the file: half a result is none.
int Finish(void)
{
    if (g_file != INVALID_HANDLE_VALUE) {
        if (!g_error && !FlushFileBuffers(g_file))
            g_error = GetLastError();
        if (!CloseHandle(g_file) && !g_error)
            g_error = GetLastError();
        g_file = INVALID_HANDLE_VALUE;
        if (g_error)
            DeleteFileA(g_path);
    }
    return !g_error;
}

} // namespace

int FileSha256(const char* path, char hex[65])
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    Sha256 hash;
    Sha256Begin(&hash);
    static unsigned char block[4096];
    DWORD got = 0;
    BOOL read;
    while ((read = ReadFile(file, block, sizeof block, &got, NULL)) && got)
        Sha256Add(&hash, block, got);
    CloseHandle(file);
    unsigned char digest[32];
    Sha256End(&hash, digest);
    Sha256Hex(digest, hex);
    return read;
}

void ResultFilePath(const WindowsFacts* facts, const char* pack, char out[MAX_PATH])
{
    // The images' own formatter takes a precision only as digits, not "*".
    sprintf(out, "%.220s\\zqcheck-%s-%s.txt", pack, facts->name, facts->machine);
}

// The file at g_path, opened as disposition says; a failure is kept as the
// file's first error.
static int Create(DWORD disposition)
{
    g_file = CreateFileA(g_path, GENERIC_WRITE, FILE_SHARE_READ, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
    if (g_file != INVALID_HANDLE_VALUE)
        return 1;
    g_error = GetLastError() ? GetLastError() : ERROR_ACCESS_DENIED;
    return 0;
}

int OpenResultFile(const char* path, const WindowsFacts* facts, const char* programHash, const char* name)
{
    strcpy(g_path, path);
    g_error = 0;
    g_timeCount = 0;
    g_measuredSize = 0;
    g_facts = facts;
    g_programHash = programHash;
    g_name = name;
    // Not truncated: a run refused before its rows must not cost the
    // machine's earlier result.
    if (!Create(OPEN_ALWAYS))
        return 0;
    g_made = GetLastError() != ERROR_ALREADY_EXISTS;
    return 1;
}

void BeginResultRows(void)
{
    if (g_file == INVALID_HANDLE_VALUE)
        return;
    // Made anew; a failure here leaves the error for the run's end to say.
    CloseHandle(g_file);
    g_made = 1;
    if (!Create(CREATE_ALWAYS))
        return;
    const WindowsFacts* facts = g_facts;
    char value[160];
    sprintf(value, "%d", RESULT_FORMAT);
    Field("zqcheck-result-format", value);
    Field("pack", ZQCHECK_VERSION);
    Field("program-sha256", g_programHash);
    Field("windows", facts->name);
    sprintf(value, "%lu.%lu", facts->major, facts->minor);
    Field("version", value);
    sprintf(value, "%lu", facts->build);
    Field("build", value);
    Field("service-pack", facts->servicePack);
    Field("product-type", facts->productType);
    Field("edition", facts->edition);
    sprintf(value, "%u", facts->codePage);
    Field("code-page", value);
    sprintf(value, "%04X", facts->uiLanguage);
    Field("ui-language", value);
    Field("machine", facts->machine);
    if (g_name)
        Field("name", g_name);
    if (facts->wine)
        Field("UNDER WINE", facts->wine);
    Lines("\nrows", "");
}

void DropResultFile(void)
{
    if (g_file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(g_file);
    g_file = INVALID_HANDLE_VALUE;
    if (g_made)
        DeleteFileA(g_path);
}

void ResultRow(int outcome, const char* id, const char* text, const char* details, long ms, const char* measured)
{
    static const char* const kOutcomes[] = { "pass ", "FAIL ", "skip ", "error" };
    if (g_file == INVALID_HANDLE_VALUE)
        return;
    Put(kOutcomes[outcome]);
    Put(" ");
    Field(id, text);
    if (details)
        Lines(details, "    ");
    if (ms == RESULT_NO_TIME || g_timeCount >= sizeof g_times / sizeof g_times[0])
        return;
    // Kept whole or not at all: the caller's text is its row's alone.
    const size_t length = measured ? strlen(measured) : 0;
    const char* kept = "";
    if (length && g_measuredSize + length < sizeof g_measured) {
        kept = strcpy(g_measured + g_measuredSize, measured);
        g_measuredSize += length + 1;
    }
    g_times[g_timeCount++] = Time { id, ms, kept };
}

int CloseResultFile(const char* const summary[], int lines, int stopped)
{
    if (g_file == INVALID_HANDLE_VALUE)
        return !g_error;
    Lines("\ntimes (ms)", "");
    char value[16];
    for (unsigned i = 0; i < g_timeCount; ++i) {
        sprintf(value, "%ld", g_times[i].ms);
        Field(g_times[i].id, value);
        if (g_times[i].measured[0])
            Lines(g_times[i].measured, "");
    }
    Lines("\nsummary", "");
    for (int i = 0; i < lines; ++i)
        Lines(summary[i], "");
    Lines(stopped ? "stopped" : "end", "");
    return Finish();
}

DWORD ResultFileError(void)
{
    return g_error;
}
