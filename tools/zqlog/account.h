// The account of a log as zqlog prints it: every line where it stands, with
// what it says, and each run's stages when the run ends.
#ifndef ZQLOG_ACCOUNT_H
#define ZQLOG_ACCOUNT_H

#include <functional>
#include <string>

#include "log_reader.h"

// No line of the program's is this long; longer lines are shown cut.
enum { ZQLOG_LINE_CAP = 4096 };

class AccountWriter : public NoteSink {
public:
    // write gets the account in pieces, the log's bytes unchanged in it.
    explicit AccountWriter(std::function<void(const std::string&)> write);
    void RunBegins(int run, long line) override;
    void Note(long line, const LineNote& note, size_t length) override;
    void RunEnds(const RunAccount& account) override;
    // The closing line, once the reader has read everything.
    void Close(const LogReader& reader);

private:
    void Put(const std::string& text);

    std::function<void(const std::string&)> write_;
    bool started_ = false; // a run began: nothing is held any more
    std::string held_; // what stood before the first run, up to a bound
    long notShown_ = 0;
};

// The account of a whole log in memory, as zqlog prints it; status is 0 when
// the bytes held a line of the program's, else 2 with the one line why.
std::string AccountOf(const std::string& logBytes, unsigned codePage, int* status);

// The one line for a file that holds no log, or "" when it holds one.
std::string NotALog(const LogReader& reader);

#endif
