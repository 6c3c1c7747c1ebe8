// The account of a log as zqlog prints it: for people (each run's verdict,
// its stages, then its lines with their meanings; or one line per run) or
// for tools (one JSON document, or one JSON line per run).
#ifndef ZQLOG_ACCOUNT_H
#define ZQLOG_ACCOUNT_H

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_facts.h"
#include "line_notes.h"
#include "run_record.h"

// No line of the program's is this long; longer lines are shown cut.
enum { ZQLOG_LINE_CAP = 4096 };

struct AccountOptions {
    bool summary = false; // one line per run
    bool json = false; // one JSON document
    bool jsonLines = false; // one JSON object per run, a line each, then one for the file
    bool failedOnly = false; // only the runs that are not ok
    long last = 0; // only the last N runs of the file; 0 for all
    unsigned codePage = 0; // of the log, for JSON's UTF-8
    std::string inputName = "-"; // as named on the command line; "-" for standard input
    bool readOnce = false; // standard input: no first pass, so evidence comes from earlier runs only
    bool Json() const { return json || jsonLines; }
};

// Why a file is refused: an id of the closed set and its sentence; id null for a log.
struct Refusal {
    const char* id;
    std::string text;
};
Refusal RefusalOf(const FileFacts& file);
std::string NotALog(const FileFacts& file); // the sentence alone; "" for a log

// Notes on the whole file: its conversion, a likely code page, one reading.
std::vector<RunNote> FileNotes(const FileFacts& file, const AccountOptions& options);

class JsonAccount; // json_output.cpp
struct JsonAccountDelete {
    void operator()(JsonAccount* json) const;
};
using JsonAccountPtr = std::unique_ptr<JsonAccount, JsonAccountDelete>;

class AccountWriter : public NoteSink {
public:
    // write gets the account in pieces; for people, the log's bytes unchanged in it.
    explicit AccountWriter(std::function<void(const std::string&)> write, AccountOptions options = AccountOptions());
    ~AccountWriter() override;
    bool Words() const { return !options_.summary && !options_.Json(); } // notes per line, for the reader
    bool Causes() const { return !options_.summary; } // causes in the records
    void Converted(Conversion found, Conversion lineEnds) override;
    void RunBegins(int run, long line) override;
    void Note(long line, const LineNote& note, size_t length) override;
    void RunEnds(const RunRecord& record) override;
    void LineMoves(long line, int from, int to) override;
    // The closing line (or the JSON's end), once the reader has read everything.
    void Close(const FileFacts& file);

private:
    void Put(const std::string& text, int run); // into the run's text (0: the run begun last), or before the first
    void Out(const std::string& text); // to the output, once the top is written
    void Top();
    std::string Text(const RunRecord& record, const std::string& lines) const;

    std::function<void(const std::string&)> write_;
    AccountOptions options_;
    FileFacts file_; // the conversion, once the reader has found it
    JsonAccountPtr json_;
    bool topDone_ = false, started_ = false;
    std::string before_; // other programs' lines before the first run, up to a bound
    std::map<int, std::string> held_; // each open run's lines, up to a bound: two while two runs interleave
    int latest_ = 0; // the run begun last
    long notShown_ = 0;
    std::deque<std::pair<Verdict, std::string>> last_; // the last runs' texts, for --last
    long counts_[VERDICT_COUNT] = { 0, 0, 0 };
};

// JSON for a refused file: one document with its error; json_output.cpp.
std::string RefusalJson(const AccountOptions& options, const FileFacts* file, const Refusal& refusal);

// The account of a whole log in memory, as zqlog prints it (collect.cpp); status is 0 when
// the bytes held a line of the program's, else 2 with the one line why (or,
// for JSON, the document with its error).
std::string AccountOf(
    const std::string& logBytes, unsigned codePage, int* status, AccountOptions options = AccountOptions());

#endif
