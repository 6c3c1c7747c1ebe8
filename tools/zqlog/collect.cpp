// The pipeline for callers that hold a log whole: its lines' notes (the
// demo's report), its runs' records (the demo's summary), its facts for a
// first pass, and the account as zqlog prints it.
#include <vector>

#include "account.h"
#include "line_notes.h"
#include "log_reader.h"
#include "run_record.h"

namespace {

class Collector : public NoteSink {
public:
    std::vector<LineNote> notes;
    std::vector<long> lines; // each note's line
    std::vector<RunRecord> runs;
    void RunBegins(int, long) override { }
    void Note(long line, const LineNote& note, size_t) override
    {
        notes.push_back(note);
        lines.push_back(line);
    }
    void RunEnds(const RunRecord& record) override { runs.push_back(record); }
    void LineMoves(long line, int from, int to) override
    {
        for (size_t i = notes.size(); i-- > 0;)
            if (lines[i] == line && notes[i].run == from) {
                notes[i].run = to;
                return;
            }
    }
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

std::string AccountOf(const std::string& logBytes, unsigned codePage, int* status, AccountOptions options)
{
    std::string out;
    options.codePage = codePage;
    AccountWriter writer([&out](const std::string& text) { out += text; }, options);
    LogReader reader(writer, codePage, ZQLOG_LINE_CAP, writer.Words(), writer.Causes());
    // The whole log is at hand: a first pass gives the later runs' evidence,
    // unless the caller reads it as standard input is read, once.
    const LogFacts ahead = options.readOnce ? LogFacts() : FactsOf(logBytes, codePage);
    if (!options.readOnce)
        reader.Foresee(ahead);
    reader.Feed(logBytes.data(), logBytes.size());
    reader.Finish();
    const FileFacts file = reader.File();
    const Refusal refusal = RefusalOf(file);
    *status = refusal.id ? 2 : 0;
    if (refusal.id)
        return options.Json() ? RefusalJson(options, &file, refusal) : refusal.text + "\n";
    writer.Close(file);
    return out;
}
