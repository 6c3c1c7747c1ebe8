// Reads a ZQsetup.log as a stream: tells the program's runs apart by the
// program's grammar (grammar.h), reads each line in its place, and hands on a
// note per line and a record per run. Memory stays bounded whatever the
// log's size: a few lines are held for looking ahead, and each run keeps a
// fixed record.
#ifndef ZQLOG_LOG_READER_H
#define ZQLOG_LOG_READER_H

#include <stddef.h>

#include <string>
#include <vector>

#include "classify.h"
#include "code_page_guess.h"
#include "line_notes.h"
#include "line_source.h"
#include "grammar.h"
#include "meanings.h"
#include "run_record.h"
#include "support/text_rules.h"

class LogReader;
RunRecord BuildRecord(const LogReader& reader); // run_record.cpp: the record of the run the reader is in

// What the whole log shows beyond one run: programs that started, and runs
// that reached the driver tools. Gathered as the log is read; a first pass
// over a file gives them for the later runs too. Bounded.
struct LogFacts {
    struct Started {
        bool addPrinter;
        std::string dir;
        long line;
        int run;
    };
    std::vector<Started> started; // the first start of each program, a few
    int firstDriverToolRun = 0, lastDriverToolRun = 0; // runs that launched a driver tool
    int firstPrinterEndRun = 0; // a run that ended after the printer stage
};

class NoteSink {
public:
    virtual ~NoteSink() = default;
    virtual void RunBegins(int run, long line) = 0;
    // length: the whole line's. Not called when the reader gives no words.
    virtual void Note(long line, const LineNote& note, size_t length) = 0;
    virtual void RunEnds(const RunRecord& record) = 0;
};

// A sink that keeps nothing: for a first pass that gathers the log's facts.
class SilentSink : public NoteSink {
public:
    void RunBegins(int, long) override { }
    void Note(long, const LineNote&, size_t) override { }
    void RunEnds(const RunRecord&) override { }
};

// The facts of a whole log held in memory (collect.cpp).
LogFacts FactsOf(const std::string& logBytes, unsigned codePage);

// What the reader keeps of one launch of a run.
struct LaunchState {
    Phase phase = PHASE_NONE; // the last of its lines so far
    Phase cause = PHASE_NONE; // what stood before its failure line: command, system text, warned, too long
    long line = 0; // of the announcement or of Command line too long
    long failedLine = 0;
    bool command = false; // its command line came
    bool cut = false; // cut short, so arg is the start of the key path or name
    std::string dir, arg; // from the command line: the folder, and the key path or driver name
    std::string systemText, code; // why the start failed; the code of the unknown-error warning

    void Reset();
};

// What the reader keeps of the run it is in.
struct RunState {
    int number = 0;
    long first = 0, last = 0;
    int step = STEP_START; // the place in the program's order reached so far
    int firstStep = STEP_START;
    const GrammarRow* settingsEnd = nullptr;
    long settingsLine = 0;
    const GrammarRow* spooler = nullptr;
    long spoolerLine = 0, faxFlagLine = 0, faxNameLine = 0, nullLine = 0;
    LaunchState launches[LAUNCH_COUNT];
    std::string gaps;
    unsigned named = 0; // the missing launches named so far
    bool headless = false; // the run lost its first lines
    long lost = 0; // places where lines are missing
    long zeroLines = 0, gluedLines = 0, cutLines = 0, others = 0;
    bool endedByRun = false; // a new run began after it
    bool interleaves = false;
    bool spoolerSeen = false; // an earlier run of this log has a spooler line
    bool crashTail = false; // the log ends in zero bytes after this run's last line
    long othersPending = 0; // other programs' lines after the run's last line so far

    void Reset();
};

// What the reader hands Advance (engine.cpp): a line of the program's with
// its grammar row, or a move of the runs themselves.
struct Move {
    enum Kind {
        LINE, // row's line (row null: a line of the program's that takes no place)
        RESUME, // the run kept aside takes the next line: the two interleave
        END, // the log ends
        CUT_FRONT, // the log's first line is the end of the line at place: a run begins there
    };
    Kind kind = LINE;
    const GrammarRow* row = nullptr;
    int launch = -1; // the launch the line stands in
    int place = STEP_NONE; // CUT_FRONT's
    long line = 0;
    const std::string* dir = nullptr; // a command line's folder and argument
    const std::string* arg = nullptr;
    bool cut = false; // the command line was cut short
    bool unannounced = false; // the command line's announcement is missing
    enum Damage {
        WHOLE,
        CUT_BEFORE, // the line begins with a line of the run so far, cut short
        CUT, // the line, or a line joined in it, is cut short
        GLUED, // another program's text without its line end stood before it
    };
    Damage damage = WHOLE;
    const std::string* text = nullptr; // the system's text; the warning's code
};

class LogReader : public LineSink {
public:
    // words: false gives no notes per line; causes: false gives records
    // without causes and notes. Both for speed.
    LogReader(NoteSink& sink, unsigned codePage, size_t lineCap, bool words = true, bool causes = true);
    void Feed(const char* bytes, size_t size) { source_.Feed(bytes, size); }
    // Facts from a first pass over the whole file: evidence from later runs too.
    void Foresee(const LogFacts& facts) { ahead_ = &facts; }
    const LogFacts& Facts() const { return facts_; }
    bool CrashTail() const { return crashTail_; }
    bool FirstLineCut() const { return firstLineCut_; }
    // A double-byte code page the log's high bytes read as, when read as 1252; 0 for none.
    unsigned LikelyCodePage() const { return guessing_ ? guess_.Likely() : 0; }
    void Finish();
    void TakeLine(Line& line) override;

    int Runs() const { return runs_; }
    long Lines() const { return source_.Lines(); }
    long OtherLines() const { return others_; }
    bool SawZeroByte() const { return source_.SawZero(); }
    const LineSource& Source() const { return source_; }

private:
    enum { kRing = 16 };
    Line& Pending(size_t i) { return ring_[(head_ + i) % kRing]; }
    const Line& Pending(size_t i) const { return ring_[(head_ + i) % kRing]; }
    // Takes the first line off; it stays valid until the next line comes in.
    const Line& PopFront();
    void Step();
    void Emit(const Line& line, bool own, const std::string& meaning);
    int CurrentLaunch() const { return inRun_ ? RowOf(run_.step).launch : -1; }
    std::string TakeOwnText(const Line& line, const GrammarRow& row, const std::string& before, bool emit = true,
        Move::Damage damage = Move::WHOLE);
    int LaunchOfTooLong() const;
    bool TakeWarning(const Line& line, int launch, Phase phase);
    bool TakeCutAtEnd(const Line& line, Phase phase);
    void TakeOther(const Line& line, bool whole, Phase phase);
    bool TakeCutOrGlued(const Line& line, const Sorted& sorted, int launch, Phase phase);
    bool ParkedWants(const Line& head) const;
    int CutFrontPlace(const std::string& text) const;
    void TakeCutFront(const Line& head);
    bool ShapeFits(const RunState& run, const Line& head) const;
    bool IsFaxKey(const std::string& arg) const;

    // engine.cpp: the one way a run moves through the grammar, begins, ends
    // or gives way to the run kept aside. Only Advance calls the rest.
    std::string Advance(const Move& move);
    using Recorder = void (LogReader::*)(const Move& move, LaunchState* launch);
    static const Recorder kRecorders[]; // one per Record
    void RecordNothing(const Move&, LaunchState*) { }
    void RecordSettingsEnd(const Move& move, LaunchState*);
    void RecordSpooler(const Move& move, LaunchState*);
    void RecordFaxFlag(const Move& move, LaunchState*);
    void RecordFaxName(const Move& move, LaunchState*);
    void RecordNull(const Move& move, LaunchState*);
    void RecordBegin(const Move& move, LaunchState* launch);
    void RecordCommand(const Move& move, LaunchState* launch);
    void RecordSystemText(const Move& move, LaunchState* launch);
    void RecordWarning(const Move& move, LaunchState* launch);
    void RecordFailure(const Move& move, LaunchState* launch);
    void EndLog();
    std::string Place(int step, long number);
    std::string Gaps(int step, long number, bool fresh);
    void EndRun();
    void Begin(int step, long number);
    void BeginCut(int place, long number);
    static bool Fits(const RunState& run, int step);
    void EndParked();

    // commands.cpp: command lines and system texts.
    bool TakeSystemText();
    bool TakeCommandLine(const Line& line);
    bool ParseCommand(int launch, const std::string& text, std::string* dir, std::string* arg) const;
    Move CommandMove(int launch, const std::string& dir, const std::string& arg, bool cut, long number) const;
    bool TakeJoinedCommand(const Line& line, int expected);
    bool TakeUnannouncedCommand(const Line& line);
    std::string CommandMeaning(int launch) const;
    struct Failure {
        std::string cause, advice;
    };
    Failure StartFailure(int launch) const;
    Failure FailureParts(int launch) const;
    std::string FailureMeaning(int launch) const;
    bool KeyPathQuoted() const;

    // evidence.cpp: what the rest of the log shows of a launch.
    LogFacts::Started StartedAt(int launch) const; // where the same program started; line 0 for nowhere
    const LogFacts& Known() const { return ahead_ ? *ahead_ : facts_; }
    int DriverToolRun() const; // another run that launched a driver tool, or 0
    void KeepStarted(); // the run's started programs, for later runs
    bool PrinterKeyOpened() const;
    bool FaxKeyShown() const;
    bool NoFaxKey() const;
    std::string SystemShown() const;
    SystemId SystemIdShown() const;

    NoteSink& sink_;
    LineSource source_;
    unsigned codePage_;
    LeadByteTest isLead_;
    bool words_, causes_;
    Line ring_[kRing];
    size_t head_ = 0, count_ = 0;
    long others_ = 0;
    int runs_ = 0;
    bool inRun_ = false;
    bool spoolerSeen_ = false;
    LogFacts facts_;
    const LogFacts* ahead_ = nullptr;
    bool crashTail_ = false, firstLineCut_ = false;
    bool guessing_;
    CodePageGuess guess_;
    long crashLines_ = 0; // lines of zero bytes since the last line of the program's
    bool lastInterleaved_ = false; // the run before was one of two that interleave
    RunState run_;
    RunState parkedRun_; // the earlier of two runs whose lines interleave
    bool parked_ = false;
    std::string scratchDir_, scratchArg_, scratchText_; // reused, so that a long log allocates little
    friend RunRecord BuildRecord(const LogReader& reader);
    friend class RecordBuilder;
};

#endif
