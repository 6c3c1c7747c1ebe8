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
#include "run_facts.h"
#include "run_record.h"
#include "support/text_rules.h"

// The facts of a whole log held in memory (collect.cpp).
LogFacts FactsOf(const std::string& logBytes, unsigned codePage);

// What the reader hands Advance (engine.cpp): a line of the program's with
// its grammar row, or a move of the runs themselves.
struct Move {
    enum Kind {
        LINE, // row's line (row null: a line of the program's that takes no place)
        RESUME, // the run kept aside takes the next line: the two interleave
        END, // the log ends
        CUT_FRONT, // the log's first line is the end of the line at place: a run begins there
        STANDS, // a line handed on: where it stands, a line of the program's (own) or another's
        STRAY_TEXT, // two runs at once: a system's text that stands apart from its run's command line
        HAND_OVER, // two runs at once: the launch's announcement, which the current run took, is the kept run's
    };
    Kind kind = LINE;
    const GrammarRow* row = nullptr;
    int launch = -1; // the launch the line stands in
    int place = STEP_NONE; // CUT_FRONT's; STRAY_TEXT's: how far on its empty line stands
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
        CUT_AT_END, // the log's last line, without its line end: cut short, the log's end lost
    };
    Damage damage = WHOLE;
    const std::string* text = nullptr; // the system's text; the warning's code
    bool own = false; // STANDS: a line of the program's
    bool zeros = false; // STANDS: zero bytes were skipped in it
    enum { kAhead = 4 };
    const GrammarRow* ahead[kAhead] = {}; // a failure line's: the next lines of the program's, as far as read
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
    FileFacts File() const; // what the printers take of the file

private:
    enum { kRing = 16 };
    Line& Pending(size_t i) { return ring_[(head_ + i) % kRing]; }
    const Line& Pending(size_t i) const { return ring_[(head_ + i) % kRing]; }
    // Takes the first line off; it stays valid until the next line comes in.
    const Line& PopFront();
    void Step();
    void Emit(const Line& line, bool own, Phrase meaning);
    int CurrentLaunch() const { return inRun_ ? RowOf(run_.step).launch : -1; }
    Phrase TakeOwnText(const Line& line, const GrammarRow& row, const Phrase& before, bool emit = true,
        Move::Damage damage = Move::WHOLE);
    int LaunchOfTooLong() const;
    bool TakeWarning(const Line& line, int launch, Phase phase);
    bool TakeCutAtEnd(const Line& line, Phase phase);
    void TakeOther(const Line& line, bool whole, Phase phase);
    bool TakeCutOrGlued(const Line& line, const Sorted& sorted, int launch, Phase phase);
    bool ParkedWants(const Line& head) const;
    bool ParkedWarned() const;
    int CutFrontPlace(const std::string& text) const;
    bool IsCutFirstLine(const std::string& text) const;
    bool CommandFollows(int step) const;
    void TakeCutFront(const Line& head);
    bool ShapeFits(const RunState& run, const Line& head) const;
    bool IsFaxKey(const std::string& arg) const;

    // engine.cpp and, for two runs at once, interleave.cpp: the one way a run
    // moves through the grammar, begins, ends or gives way to the run kept
    // aside. Only Advance calls the rest.
    Phrase Advance(const Move& move);
    void MoveRuns(const Move& move);
    bool ToolLineUnsure(int place, const Move& move, const LaunchState* launch);
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
    void KeepStray(const Move& move);
    void ClaimStrayText(const Move& move, LaunchState* launch);
    bool OtherRunMovedOn(const Move& move, int strayRun) const;
    void EndLog();
    void Stand(const Move& move);
    Phrase Place(int step, long number);
    Phrase Gaps(int step, long number, bool fresh);
    void EndRun(const RunState& run);
    void Begin(int step, long number);
    void BeginCut(int place, long number);
    static bool Fits(const RunState& run, int step);
    bool EitherRunsTool(int step) const;
    static bool IsDriverTool(int launch);
    void EndParked();
    void HandOver(int launch);
    void SwitchRuns();
    Phrase GoOn(int step, long number);
    void Tie(int step, long number);
    void Untie(int run);

    // ties.cpp: two runs that cannot be told apart from a line on, and their records.
    bool ShownApart() const;
    void Record(const RunState& run);
    void FlushWaiting();

    // commands.cpp: command lines and system texts.
    bool TakeSystemText();
    bool TakeStrayText(size_t end, size_t empty);
    bool TakeTextApart(size_t end);
    bool HandsOver(int launch, const std::string& dir, const std::string& arg) const;
    bool ShowsPackage(const RunState& run, int launch, const std::string& dir, const std::string& arg) const;
    std::string KeyRoot(const std::string& arg) const;
    static bool AwaitsStart(const RunState& run);
    bool TakeCommandLine(const Line& line);
    bool ParseCommand(int launch, const std::string& text, std::string* dir, std::string* arg) const;
    Move CommandMove(int launch, const std::string& dir, const std::string& arg, bool cut, long number) const;
    bool TakeJoinedCommand(const Line& line, int expected);
    bool TakeUnannouncedCommand(const Line& line);
    Phrase CommandMeaning(int launch) const;
    Phrase FailureMeaning(int launch) const;

    // The run's facts as they stand, for the record and for what evidence.h reads of them.
    RunFacts RunFactsNow() const { return RunFactsOf(run_); }
    RunFacts RunFactsOf(const RunState& run) const
    {
        // Runs end in their order, so the log's facts so far are the earlier runs'.
        const bool last = logEnded_ && run.number == runs_;
        return { run, ahead_ ? *ahead_ : facts_, isLead_, spoolerSeen_, firstLineCut_, causes_, ahead_ || last };
    }

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
    bool logEnded_ = false; // the log's end was read: its last run has none after it
    bool crashTail_ = false, firstLineCut_ = false;
    bool guessing_;
    CodePageGuess guess_;
    long crashLines_ = 0; // lines of zero bytes since the last line of the program's
    unsigned headZeros_ = 0; // zero bytes in the line being read
    bool lastInterleaved_ = false; // the run before was one of two that interleave
    RunState run_;
    RunState parkedRun_; // the earlier of two runs whose lines interleave
    bool parked_ = false;
    bool toolsContested_ = false; // of two runs at once, a driver tool's line could have been either's
    // Two runs at once: a system's text after a command line that is not its
    // run's, kept for the failure line of the run whose start failed.
    struct StrayText {
        std::string text;
        long line = 0;
        int runs[2] = {}; // the runs that waited for a start then, 0 for none
        bool contested = false; // a failure line could not tell whose it is
        long emptyLine = 0; // its empty line, where the other run's lines stood between
    } stray_;
    // The first of two tied runs to end, waiting for the other's end, and
    // what the log showed when it ended.
    struct Waiting {
        RunState run;
        LogFacts facts;
        bool spoolerSeen = false, last = false;
    } waiting_;
    bool holding_ = false;
    std::string scratchDir_, scratchArg_, scratchText_; // reused, so that a long log allocates little
};

#endif
