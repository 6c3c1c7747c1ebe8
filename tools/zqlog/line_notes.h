// What each line of a ZQsetup.log says, for a log held whole in memory.
// Each run's record, from the same reading: RunsOf in run_record.h.
#ifndef ZQLOG_LINE_NOTES_H
#define ZQLOG_LINE_NOTES_H

#include <string>
#include <vector>

// What each line of a log says, in the order of the log.
struct LineNote {
    std::string text; // the line's bytes, without its CR LF
    std::string meaning; // plain words (ASCII), what the line says and, for a failure, what to check
    bool own; // a line of the program's (false: another program's, or not read as one)
    int run; // the run it belongs to, counting from 1; 0 for another program's line
};
std::vector<LineNote> NoteLines(const std::string& logBytes);

// The same, for a log written in a double-byte code page (932, 936, 949, 950
// or 1361); any other code page is read byte by byte.
std::vector<LineNote> NoteLines(const std::string& logBytes, unsigned codePage);

#endif
