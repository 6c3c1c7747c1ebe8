#include "account.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "wording.h"
#include "words.h"

// json_output.cpp
JsonAccountPtr MakeJsonAccount(const AccountOptions& options);
std::string JsonRun(JsonAccount& json, const RunRecord& record, const FileFacts& file);
std::string JsonClose(JsonAccount& json, const FileFacts& file, const long counts[VERDICT_COUNT]);

namespace {

const size_t kHeldLimit = 1 << 20; // bytes of a run's lines (or of what stands before the first run) kept for showing

std::string Padded(const std::string& text, size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

// A tied run's lines, marked before the first that stands at or after the
// tie: from there the reader's choice of run put them here, not the log.
std::string MarkedFrom(const std::string& lines, long from)
{
    for (size_t at = 0; at < lines.size();) {
        char* after = nullptr;
        const long number = strtol(lines.c_str() + at, &after, 10);
        if (after != lines.c_str() + at && strncmp(after, " | ", 3) == 0 && number >= from)
            return lines.substr(0, at) + Say(W_LINES_EITHER_RUNS, { std::to_string(from) }) + lines.substr(at);
        const size_t end = lines.find('\n', at);
        at = end == std::string::npos ? lines.size() : end + 1;
    }
    return lines;
}

} // namespace

AccountWriter::AccountWriter(std::function<void(const std::string&)> write, AccountOptions options)
    : write_(std::move(write))
    , options_(options)
{
    if (options_.Json())
        options_.summary = false;
    if (options_.Json())
        json_ = MakeJsonAccount(options_);
}

void AccountWriter::Top()
{
    if (topDone_)
        return;
    topDone_ = true;
    if (options_.Json())
        return;
    const std::string said = ConversionSaid(file_.found, file_.lineEnds);
    if (!said.empty())
        write_(said + "\n\n");
}

void AccountWriter::Out(const std::string& text)
{
    Top();
    if (!text.empty())
        write_(text);
}

void AccountWriter::Put(const std::string& text, int run)
{
    // Another program's line goes with the run begun last.
    std::string& held = started_ ? held_[run ? run : latest_] : before_;
    if (held.size() + text.size() <= kHeldLimit)
        held += text;
    else
        ++notShown_;
}

void AccountWriter::RunBegins(int run, long)
{
    latest_ = run;
    if (!started_) {
        started_ = true;
        if (notShown_)
            before_ += Say(W_OTHERS_NOT_SHOWN, { Count(notShown_, W_MORE_LINE, W_MORE_LINES) });
        notShown_ = 0;
        const bool all = !options_.failedOnly && options_.last == 0;
        if (!options_.summary && !options_.Json() && all)
            Out(before_);
        before_.clear();
        before_.shrink_to_fit();
    }
}

void AccountWriter::Note(long line, const LineNote& note, size_t)
{
    if (options_.summary || options_.Json())
        return;
    char number[24];
    snprintf(number, sizeof number, "%6ld | ", line);
    Put(number + note.text + "\n       = " + Spoken(note.meaning) + "\n", note.run);
}

// A line's note, its text and what it says, leaves run from's lines for run
// to's. The line was run from's last of the program's: only other programs'
// lines may stand after it.
void AccountWriter::LineMoves(long line, int from, int to)
{
    if (options_.summary || options_.Json())
        return;
    char number[24];
    snprintf(number, sizeof number, "%6ld | ", line);
    std::string& held = held_[from];
    size_t at = held.rfind(number);
    while (at != std::string::npos && at > 0 && held[at - 1] != '\n')
        at = held.rfind(number, at - 1);
    if (at == std::string::npos)
        return; // not held: past the bound of what is shown
    size_t end = held.find('\n', at);
    static const char kMeaning[] = "\n       = ";
    if (end != std::string::npos && held.compare(end, sizeof kMeaning - 1, kMeaning) == 0)
        end = held.find('\n', end + 1);
    end = end == std::string::npos ? held.size() : end + 1;
    held_[to] += held.substr(at, end - at);
    held.erase(at, end - at);
}

void AccountWriter::RunEnds(const RunRecord& record)
{
    ++counts_[record.verdict];
    // --last takes the file's last runs, then --failed filters them.
    std::string lines;
    lines.swap(held_[record.run]);
    held_.erase(record.run);
    if (options_.failedOnly && record.verdict == VERDICT_OK && options_.last == 0) {
        notShown_ = 0;
        return;
    }
    std::string text = json_ ? JsonRun(*json_, record, file_) : Text(record, lines);
    if (json_ && !options_.jsonLines)
        return; // the document holds it
    notShown_ = 0;
    if (options_.last > 0) {
        last_.emplace_back(record.verdict, std::move(text));
        if ((long)last_.size() > options_.last)
            last_.pop_front();
        return;
    }
    Out(text);
}

std::string AccountWriter::Text(const RunRecord& record, const std::string& lines) const
{
    std::string text;
    if (options_.summary) {
        auto line = [](long n) { return n ? std::to_string(n) : std::string(Word(W_SUMMARY_LINE_UNTOLD)); };
        text = Say(W_SUMMARY_RUN,
            { std::to_string(record.run), line(record.firstLine), line(record.lastLine), VerdictId(record.verdict) });
        std::string stages;
        for (int s = 0; s < STAGE_COUNT; ++s)
            if (record.stages[s].state == STATE_FAILED || record.stages[s].state == STATE_UNFINISHED)
                stages += std::string(stages.empty() ? "  " : " ") + StageId((Stage)s) + "="
                    + StateId(record.stages[s].state);
        return text + (stages.empty() && !record.why.empty() ? "  (" + Spoken(record.why) + ")\n" : stages + "\n");
    }
    text = "== " + VerdictLine(record) + " ==\n";
    for (int s = 0; s < STAGE_COUNT; ++s) {
        const StageRecord& stage = record.stages[s];
        const bool said = stage.error.present && !stage.error.text.empty();
        text += "   " + Padded(StateId(stage.state), 12) + Padded(StageName((Stage)s), 23) + Spoken(stage.cause)
            + (said ? Say(W_SYSTEM_SAID_IN_STAGE, { stage.error.text }) : "")
            + (stage.advice.empty() ? "" : "; " + Spoken(stage.advice)) + "\n";
    }
    text += "   " + Padded("", 12) + Padded(Word(W_SYSTEM_ROW), 23) + Spoken(record.system) + "\n";
    for (const RunNote& note : record.notes)
        text += "   " + Say(W_NOTE_LINE, { Spoken(note.text) });
    text += record.untoldFrom ? MarkedFrom(lines, record.untoldFrom) : lines;
    if (notShown_)
        text += Say(W_RUN_NOT_SHOWN, { Count(notShown_, W_MORE_LINE, W_MORE_LINES) });
    return text + "\n";
}

void AccountWriter::Converted(Conversion found, Conversion lineEnds)
{
    file_.found = found;
    file_.lineEnds = lineEnds;
}

void AccountWriter::Close(const FileFacts& file)
{
    for (auto& held : last_)
        if (!(options_.failedOnly && held.first == VERDICT_OK))
            Out(held.second);
    last_.clear();
    if (json_) {
        Out(JsonClose(*json_, file, counts_));
        return;
    }
    for (const RunNote& note : FileNotes(file, options_))
        if (note.id != NOTE_CONVERTED) // said at the top
            Out(Say(W_NOTE_LINE, { Spoken(note.text) }));
    Out(ClosingLine(counts_, file.lines, file.otherLines) + "\n");
}

std::vector<RunNote> FileNotes(const FileFacts& file, const AccountOptions& options)
{
    std::vector<RunNote> notes;
    const std::string said = ConversionSaid(file.found, file.lineEnds);
    if (!said.empty())
        notes.push_back({ NOTE_CONVERTED, said });
    if (const unsigned likely = file.likelyCodePage)
        notes.push_back({ NOTE_CODE_PAGE_LIKELY, CodePageSaid(likely) });
    if (options.readOnce)
        notes.push_back({ NOTE_READ_ONCE, Word(kWords.readOnce) });
    return notes;
}

Refusal RefusalOf(const FileFacts& file)
{
    if (file.runs > 0)
        return { nullptr, "" };
    if (file.onlyZeros)
        return { "zero_bytes_only", Word(kWords.onlyZeros) };
    if (file.binary || (file.sawZero && file.lines <= 1))
        return { "binary", Word(kWords.binary) };
    if (file.lines == 0)
        return { "empty", Word(kWords.empty) };
    return { "no_program_lines", Say(W_NO_PROGRAM_LINES_IN, { Count(file.lines, W_LINE, W_LINES) }) };
}

std::string NotALog(const FileFacts& file)
{
    return RefusalOf(file).text;
}
