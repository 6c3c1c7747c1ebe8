// Turns a log's bytes into lines: finds how the log was converted on its way
// (line ends, a byte-order mark, UTF-8, UTF-16), skips zero bytes, and hands
// on each line without its line end. Memory stays bounded: a line is kept up
// to a cap, and a chunk of the start is held to find the conversion.
#ifndef ZQLOG_LINE_SOURCE_H
#define ZQLOG_LINE_SOURCE_H

#include <stddef.h>

#include <string>

#include "file_facts.h"

struct Line {
    long number = 0;
    std::string text; // without its line end, cut at the cap
    size_t length = 0; // before any cut
    bool ended = false; // by a line end
    bool crlf = false; // by the line end the program writes (CR LF, or the one the conversion made of it)
    unsigned zeros = 0; // zero bytes skipped in it
};

class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void TakeLine(Line& line) = 0; // may swap the line's text away
};

class LineSource {
public:
    LineSource(LineSink& sink, size_t lineCap);
    void Feed(const char* bytes, size_t size);
    void Finish();

    Conversion Found() const { return conversion_; } // known after the first line
    Conversion LineEnds() const { return lineEnds_; } // CONV_NONE, CONV_LF or CONV_CRCRLF
    bool Binary() const { return binary_; } // a binary file: nothing was read
    bool SawZero() const { return zeros_ > 0; }
    long ZeroBytes() const { return zeros_; }
    long Lines() const { return line_.number; }
    long long Bytes() const { return bytes_; } // fed so far
    bool OnlyZeros() const { return bytes_ > 0 && onlyZeros_; }

private:
    void Take(const char* bytes, size_t size);
    void Decide(); // from the bytes held
    void Decoded(const char* bytes, size_t size); // bytes after any UTF-16
    void DecideEnds(); // from the decoded bytes held
    void Split(const char* bytes, size_t size);
    void Append(const char* bytes, size_t size);
    void Push(bool ended);
    void FromUtf16(const char* bytes, size_t size);

    LineSink& sink_;
    size_t lineCap_;
    bool decided_ = false, endsDecided_ = false, binary_ = false;
    std::string held_, heldDecoded_;
    Conversion conversion_ = CONV_NONE, lineEnds_ = CONV_NONE;
    std::string odd_; // a UTF-16 unit or surrogate split between chunks
    Line line_;
    long zeros_ = 0;
    long long bytes_ = 0;
    bool onlyZeros_ = true;
    char tail_[2] = { 0, 0 }; // the line's last two bytes so far
};

#endif
