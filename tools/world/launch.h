// One start of a tool double, and its end when it recorded one. The doubles
// append to the file that ZQTEST_RECORD names, a line as each starts and one
// as it ends:
//   <tick>|<pid>|<tool>|<show>|<its whole command line>
//   <tick>|<pid>|end|<exit code>
// The record is plain data with no platform calls, so that the demo's page,
// built on the host too, takes the same shape.
#ifndef ZQ_WORLD_LAUNCH_H
#define ZQ_WORLD_LAUNCH_H

#include <stddef.h>

enum {
    LAUNCH_NAME_SIZE = 16,
    // The program's longest command line is 520 bytes; this leaves room for
    // it in UTF-8, where one byte of the system code page may take three.
    LAUNCH_LINE_SIZE = 2048,
    // One record line, as ReadLaunches shows one that is no double's.
    LAUNCH_TEXT_SIZE = 2 * LAUNCH_NAME_SIZE + LAUNCH_LINE_SIZE,
};

struct Launch {
    unsigned long tick; // GetTickCount() as the double's process was created
    unsigned long pid;
    char tool[LAUNCH_NAME_SIZE]; // zqntadd or zqdrvtl; empty for a line that is no double's record
    char show[LAUNCH_NAME_SIZE]; // "hidden", "-" (no show state passed) or the number
    char commandLine[LAUNCH_LINE_SIZE]; // cut to fit; a line that is no double's record, whole
    int ended; // 0: still running, or ended from outside
    unsigned long endTick; // GetTickCount() as it returned
    unsigned long exitCode;
};

// Reads the doubles' record (size bytes) into at most capacity launches, in
// the order they started, each end paired with the latest start of its
// process that has none yet (an id is reused only once its process is gone).
// A line that is neither, or an end without its start, becomes a launch with
// no tool that holds the line, so that a comparison shows it. Returns the
// number of launches read; *cut, when given, tells whether some did not fit.
int ParseLaunches(const char* record, size_t size, Launch* launches, int capacity, int* cut);

// "tool|show|command line", as the scenario rows expect a launch.
void LaunchText(const Launch* launch, char out[LAUNCH_TEXT_SIZE]);

#endif
