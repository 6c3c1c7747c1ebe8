// The account for callers that hold a log whole: its lines' notes (the
// demo's report) and its runs' records (the demo's summary).
#include <vector>

#include "account.h"
#include "line_notes.h"
#include "run_record.h"

namespace {

class Collector : public NoteSink {
public:
    std::vector<LineNote> notes;
    std::vector<RunRecord> runs;
    void RunBegins(int, long) override { }
    void Note(long, const LineNote& note, size_t) override { notes.push_back(note); }
    void RunEnds(const RunRecord& record) override { runs.push_back(record); }
};

Collector Collect(const std::string& logBytes, unsigned codePage)
{
    Collector collector;
    LogReader reader(collector, codePage, logBytes.size() + 1);
    const LogFacts ahead = FactsOf(logBytes, codePage);
    reader.Foresee(ahead);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    return collector;
}

} // namespace

std::vector<LineNote> NoteLines(const std::string& logBytes, unsigned codePage)
{
    return Collect(logBytes, codePage).notes;
}

std::vector<LineNote> NoteLines(const std::string& logBytes)
{
    return NoteLines(logBytes, 0);
}

std::vector<RunRecord> RunsOf(const std::string& logBytes, unsigned codePage)
{
    return Collect(logBytes, codePage).runs;
}

LogFacts FactsOf(const std::string& logBytes, unsigned codePage)
{
    SilentSink none;
    LogReader reader(none, codePage, 256, false, false);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    return reader.Facts();
}
