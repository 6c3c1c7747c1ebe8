// The result file of a run, format 1, which docs/checks.md describes field by
// field and scripts/matrix reads: a header of "field value" lines, then one
// line per row, "result id text", then the times in a section of their own,
// so that two runs on one machine compare equal on their result lines. Every
// write is checked: a file that could not be written whole is removed, and
// the run says so.
#ifndef ZQ_RESULT_FILE_H
#define ZQ_RESULT_FILE_H

#include <windows.h>

#include "windows_facts.h"

enum { RESULT_FORMAT = 1 };
enum ResultOutcome { RESULT_PASS, RESULT_FAIL, RESULT_SKIP, RESULT_ERROR };

// The SHA-256 of a file as 64 hexadecimal digits; 0 when it cannot be read.
int FileSha256(const char* path, char hex[65]);

// "zqcheck-<windows>-<machine>.txt" in the pack's own folder.
void ResultFilePath(const WindowsFacts* facts, const char* pack, char out[MAX_PATH]);

// Opens the file, before the first change, to know that it can be written:
// an earlier result of this machine there stays as it is until the rows
// begin. name is --name's text or null; the arguments are kept until the
// rows begin. 0 when it cannot be opened, and ResultFileError says why.
int OpenResultFile(const char* path, const WindowsFacts* facts, const char* programHash, const char* name);

// The rows begin: the file is made anew and its header written.
void BeginResultRows(void);

// The run was refused before its rows: it leaves no result file of its own.
// The file is removed if this run made it; one that was there stays as it was.
void DropResultFile(void);

// One row. details (what differed), when given, follows the line, each of its
// lines indented by four spaces; ms, unless RESULT_NO_TIME, goes to the times,
// and so do measured's lines (what failed time checks measured, indented),
// if any: the row's lines hold no time.
enum { RESULT_NO_TIME = -1 };
void ResultRow(int outcome, const char* id, const char* text, const char* details, long ms, const char* measured);

// Writes the times, the summary lines and the last line: "end" when every
// row had its turn, "stopped" when a stop cut the rows short, so that no
// reader takes the rows before the stop for a whole run. Then flushes and
// closes the file. 0 when any write of the file failed: the file is removed.
int CloseResultFile(const char* const summary[], int lines, int stopped);

// The system's error code of the first write that failed, 0 when none did.
DWORD ResultFileError(void);

#endif
