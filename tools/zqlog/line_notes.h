// What the reader hands on: each line's note, and the sink that takes the
// notes and the runs' records. For a log held whole in memory, its notes;
// each run's record, from the same reading: RunsOf in run_record.h.
#ifndef ZQLOG_LINE_NOTES_H
#define ZQLOG_LINE_NOTES_H

#include <stddef.h>

#include <string>
#include <vector>

#include "file_facts.h"
#include "run_record.h"

// What each line of a log says, in the order of the log.
struct LineNote {
    std::string text; // the line's bytes, without its CR LF
    Phrase meaning; // what the line says and, for a failure, what to check: ids of words, for the printers
    bool own; // a line of the program's (false: another program's, or not read as one)
    int run; // the run it belongs to, counting from 1; 0 for another program's line
};

// What the reader hands on as it reads: the file's conversion once known,
// each run's beginning, each line's note, each run's record.
class NoteSink {
public:
    virtual ~NoteSink() = default;
    virtual void Converted(Conversion, Conversion) { } // found and line ends, before the first note
    virtual void RunBegins(int run, long line) = 0;
    // length: the whole line's. Not called when the reader gives no words.
    virtual void Note(long line, const LineNote& note, size_t length) = 0;
    virtual void RunEnds(const RunRecord& record) = 0;
    // Two runs at once: a line noted as run from's is run to's, as a later line showed.
    virtual void LineMoves(long, int /*from*/, int /*to*/) { }
};

// A sink that keeps nothing: for a first pass that gathers the log's facts.
class SilentSink : public NoteSink {
public:
    void RunBegins(int, long) override { }
    void Note(long, const LineNote&, size_t) override { }
    void RunEnds(const RunRecord&) override { }
};

std::vector<LineNote> NoteLines(const std::string& logBytes);

// The same, for a log written in a double-byte code page (932, 936, 949, 950
// or 1361); any other code page is read byte by byte.
std::vector<LineNote> NoteLines(const std::string& logBytes, unsigned codePage);

#endif
