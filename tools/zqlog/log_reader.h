// Reads a ZQsetup.log as a stream: tells the program's runs apart, reads each
// line in its place in the program's fixed order, and gives an account of
// each run. Memory stays bounded whatever the log's size: a few lines are
// held for looking ahead, and each run keeps a fixed record.
#ifndef ZQLOG_LOG_READER_H
#define ZQLOG_LOG_READER_H

#include <stddef.h>

#include <deque>
#include <string>
#include <vector>

#include "line_notes.h"
#include "meanings.h"
#include "support/text_rules.h"

struct StageState {
    const char* stage; // settings, spooler, fax decision, fax, printer, driver tool (fax), ...
    std::string state; // started, failed (why, what to check) or not made
};

struct RunAccount {
    int run;
    long firstLine, lastLine;
    std::vector<StageState> stages;
    std::string system; // what the run shows of the system
};

class NoteSink {
public:
    virtual ~NoteSink() = default;
    virtual void RunBegins(int run, long line) = 0;
    virtual void Note(long line, const LineNote& note, size_t length) = 0; // length: the whole line's
    virtual void RunEnds(const RunAccount& account) = 0;
};

// The lead-byte rule of a double-byte code page; null for the others.
LeadByteTest LeadByteTestOf(unsigned codePage);

class LogReader {
public:
    // Lines longer than lineCap bytes are handed on cut at lineCap (none of
    // the program's is that long).
    LogReader(NoteSink& sink, unsigned codePage, size_t lineCap);
    void Feed(const char* bytes, size_t size);
    void Finish();

    int Runs() const { return runs_; }
    long Lines() const { return lines_; }
    long OtherLines() const { return others_; }
    bool SawZeroByte() const { return zeroByte_; }

private:
    struct Line {
        long number;
        std::string text;
        size_t length; // before any cut
        bool ended; // by a line end
        bool crlf; // by CR LF, as the program ends its lines
    };
    struct Launch {
        int phase = 0; // see the PHASE_ values in log_reader.cpp
        int cause = 0; // the phase that the failure line followed
        long line = 0; // of the announcement or of Command line too long
        long failedLine = 0;
        bool command = false; // its command line came
        bool cut = false; // cut short, so arg is the start of the key path or name
        std::string dir, arg; // from the command line: the folder, and the key path or driver name
        std::string systemText;
    };
    struct Run {
        int number = 0;
        long first = 0, last = 0;
        int pos = 0; // the place in the program's order reached so far
        bool ended = false; // by a settings line
        const TextMeaning* settingsEnd = nullptr;
        long settingsLine = 0;
        const TextMeaning* spooler = nullptr;
        long spoolerLine = 0, faxFlagLine = 0, faxNameLine = 0;
        Launch launches[LAUNCH_COUNT];
        std::string gaps;
        unsigned named = 0; // the missing launches named so far
        int firstPos = 0;
        bool headless = false; // the run lost its first lines
    };

    void PushLine(bool ended);
    void Step();
    void Emit(const Line& line, bool own, const std::string& meaning);
    std::string Place(int pos, long number);
    std::string Gaps(int pos, long number, bool fresh);
    void EndRun();
    RunAccount Account() const;
    std::string SystemShown() const;
    int CurrentLaunch() const; // -1 when the run is not inside a launch
    bool TakeSystemText();
    bool TakeCommandLine(const Line& line);
    bool ParseCommand(int launch, const std::string& text, std::string* dir, std::string* arg) const;
    std::string RecordCommand(int launch, const std::string& dir, const std::string& arg, bool cut);
    const TextMeaning* JoinedText(const std::string& text) const;
    bool TakeJoinedCommand(const Line& line, int expected);
    bool TakeUnannouncedCommand(const Line& line);
    std::string TakeOwnText(const Line& line, const TextMeaning& row, const std::string& before, bool emit = true);
    int LaunchOfTooLong() const;
    std::string CommandMeaning(int launch) const;
    std::string FailureMeaning(int launch) const;
    std::string StartFailure(int launch) const;
    bool IsOwnText(const std::string& text) const;
    bool NoFaxKey() const;
    bool FaxKeyShown() const;
    bool PrinterKeyOpened() const;

    NoteSink& sink_;
    LeadByteTest isLead_;
    size_t lineCap_;
    std::string partial_;
    size_t partialLength_ = 0;
    char partialLast_ = 0; // the last byte of the line so far
    std::deque<Line> pending_;
    long lines_ = 0, others_ = 0;
    int runs_ = 0;
    bool zeroByte_ = false;
    bool spoolerSeen_ = false; // in an earlier run of this log
    bool inRun_ = false;
    Run run_;
};

#endif
